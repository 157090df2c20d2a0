#include "skin/segment_components.h"

#include <array>

namespace skin {
namespace {

std::array<Component, device::kSegmentCount> buildSegmentTable() {
    std::array<Component, device::kSegmentCount> table{};
    for (std::size_t i = 0; i < device::kSegmentCount; ++i) {
        // Every segment of the device is a component of the window with the same name.
        table[i] = *componentFromName(device::segmentName(static_cast<device::Segment>(i)));
    }
    return table;
}

} // namespace

Component componentForSegment(device::Segment segment) {
    static const std::array<Component, device::kSegmentCount> table = buildSegmentTable();
    return table[device::index(segment)];
}

} // namespace skin
