#include "manual/manual_geometry.h"

namespace manual {
namespace {

constexpr int kMargin = 4;

} // namespace

ManualBox manualButtonPlace(ManualButton button, ManualSize client) {
    const int right = client.width - kMargin - kManualButtonExtent.width;
    const int bottom = client.height - kMargin - kManualButtonExtent.height;
    const auto at = [](int left, int top) {
        return ManualBox{left, top, kManualButtonExtent.width, kManualButtonExtent.height};
    };
    switch (button) {
    case ManualButton::Close:
        return at(right, kMargin);
    case ManualButton::Left:
        return at(kMargin, bottom);
    case ManualButton::Right:
        return at(right, bottom);
    }
    return {};
}

} // namespace manual
