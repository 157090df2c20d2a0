#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "manual/manual_geometry.h"

namespace manual {

// What the window has to do after an input.
enum class ManualOutcome { None, Redraw, Close };

// The manual's paging state and rules: the page shown, which of the six button pictures are
// shown, and what presses and releases of the keys and buttons do. Kept while the window is
// hidden, so the next opening shows the same page.
class ManualPager {
public:
    static constexpr int kFirstPage = 1;
    static constexpr int kLastPage = 8;

    int page() const { return ManualPage; }
    // A button shows its released picture over its pressed one, so it looks pressed while
    // only the pressed picture is shown.
    bool downShown(ManualButton b) const { return down_[index(b)]; }
    bool upShown(ManualButton b) const { return up_[index(b)]; }

    // Shows page ManualPage and sets the arrow buttons for it.
    void Vid_Show_Page();

    ManualOutcome keyDown(std::uint16_t virtualKey);
    ManualOutcome keyUp(std::uint16_t virtualKey);
    // A press on a shown released picture, and the release that ends it.
    ManualOutcome buttonDown(ManualButton b);
    ManualOutcome buttonUp(ManualButton b);

    // The button whose released picture is shown at the client point, the topmost first.
    std::optional<ManualButton> buttonAt(ManualPoint clientPos, ManualSize client) const;

private:
    static std::size_t index(ManualButton b) { return static_cast<std::size_t>(b); }
    void setButton(ManualButton b, bool shown);

    ManualOutcome Inp_left_down();
    ManualOutcome Inp_left_up();
    ManualOutcome Inp_right_down();
    ManualOutcome Inp_right_up();
    ManualOutcome Inp_esc_down();
    ManualOutcome Inp_esc_up();

    int ManualPage = kFirstPage;
    // Indexed by ManualButton: close, previous, next.
    std::array<bool, 3> down_{true, false, true};
    std::array<bool, 3> up_{true, false, true};
};

// Moving the window by dragging its page: the window follows the pointer, which stays over
// the spot of the page where the drag began.
struct ManualDrag {
    int ManualDragOriginX = 0;
    int ManualDragOriginY = 0;

    void begin(ManualPoint clientPos);
    // The window's new top-left, the pointer being at `clientPos` of the window at `windowPos`.
    ManualPoint moved(ManualPoint windowPos, ManualPoint clientPos) const;
};

} // namespace manual
