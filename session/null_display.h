#pragma once

#include "device/ports.h"

// A device display that shows nothing, for runs without a screen.
namespace session {

class NullDisplay : public device::Display {
public:
    void segmentShown(device::Segment, bool) override {}
    void digitPicture(device::Segment, int) override {}
};

} // namespace session
