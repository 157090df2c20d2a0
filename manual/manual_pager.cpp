#include "manual/manual_pager.h"

#include <algorithm>

#include "device/virtual_keys.h"

namespace manual {

void ManualPager::Vid_Show_Page() {
    if (ManualPage == kFirstPage) {
        setButton(ManualButton::Left, false);
    } else if (ManualPage == kLastPage) {
        setButton(ManualButton::Right, false);
    } else {
        setButton(ManualButton::Left, true);
        setButton(ManualButton::Right, true);
    }
}

void ManualPager::setButton(ManualButton b, bool shown) {
    down_[index(b)] = shown;
    up_[index(b)] = shown;
}

// The arrow keys test the page at the press and again at the release: a key held across a
// page change must not turn past the first or last page, nor press a hidden button.
ManualOutcome ManualPager::keyDown(std::uint16_t virtualKey) {
    switch (virtualKey) {
    case device::vk::Escape:
        return Inp_esc_down();
    case device::vk::Left:
        return ManualPage > kFirstPage ? Inp_left_down() : ManualOutcome::None;
    case device::vk::Right:
        return ManualPage < kLastPage ? Inp_right_down() : ManualOutcome::None;
    default:
        return ManualOutcome::None;
    }
}

ManualOutcome ManualPager::keyUp(std::uint16_t virtualKey) {
    switch (virtualKey) {
    case device::vk::Escape:
        return Inp_esc_up();
    case device::vk::Left:
        return ManualPage > kFirstPage ? Inp_left_up() : ManualOutcome::None;
    case device::vk::Right:
        return ManualPage < kLastPage ? Inp_right_up() : ManualOutcome::None;
    default:
        return ManualOutcome::None;
    }
}

ManualOutcome ManualPager::buttonDown(ManualButton b) {
    switch (b) {
    case ManualButton::Close:
        return Inp_esc_down();
    case ManualButton::Left:
        return Inp_left_down();
    case ManualButton::Right:
        return Inp_right_down();
    }
    return ManualOutcome::None;
}

ManualOutcome ManualPager::buttonUp(ManualButton b) {
    switch (b) {
    case ManualButton::Close:
        return Inp_esc_up();
    case ManualButton::Left:
        return Inp_left_up();
    case ManualButton::Right:
        return Inp_right_up();
    }
    return ManualOutcome::None;
}

std::optional<ManualButton> ManualPager::buttonAt(ManualPoint clientPos, ManualSize client) const {
    for (ManualButton b : {ManualButton::Right, ManualButton::Left, ManualButton::Close}) {
        if (upShown(b) && manualButtonPlace(b, client).contains(clientPos)) {
            return b;
        }
    }
    return std::nullopt;
}

ManualOutcome ManualPager::Inp_left_down() {
    up_[index(ManualButton::Left)] = false;
    return ManualOutcome::Redraw;
}

// The mouse release of a button and the release of its arrow key may both end presses made
// on the same page; the page still stays within the book.
ManualOutcome ManualPager::Inp_left_up() {
    ManualPage = std::max(kFirstPage, ManualPage - 1);
    Vid_Show_Page();
    return ManualOutcome::Redraw;
}

ManualOutcome ManualPager::Inp_right_down() {
    up_[index(ManualButton::Right)] = false;
    return ManualOutcome::Redraw;
}

ManualOutcome ManualPager::Inp_right_up() {
    ManualPage = std::min(kLastPage, ManualPage + 1);
    Vid_Show_Page();
    return ManualOutcome::Redraw;
}

ManualOutcome ManualPager::Inp_esc_down() {
    up_[index(ManualButton::Close)] = false;
    return ManualOutcome::Redraw;
}

ManualOutcome ManualPager::Inp_esc_up() {
    up_[index(ManualButton::Close)] = true;
    return ManualOutcome::Close;
}

void ManualDrag::begin(ManualPoint clientPos) {
    ManualDragOriginX = clientPos.x;
    ManualDragOriginY = clientPos.y;
}

ManualPoint ManualDrag::moved(ManualPoint windowPos, ManualPoint clientPos) const {
    return {windowPos.x + clientPos.x - ManualDragOriginX,
            windowPos.y + clientPos.y - ManualDragOriginY};
}

} // namespace manual
