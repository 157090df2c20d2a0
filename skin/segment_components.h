#pragma once

#include "device/segment.h"
#include "skin/components.h"

namespace skin {

// The window's component that shows a segment of the device: the one of the same name.
Component componentForSegment(device::Segment segment);

} // namespace skin
