#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/ports.h"
#include "device/stored_text.h"
#include "skin/components.h"

// The device's outward needs as the page provides them. Whatever the page must act on (a
// beep, a changed segment) is collected here and taken by the page after each call into the
// core; settings are read and written through at once in the browser's storage.
namespace web {

// The shown state of the window's components and the digit each digit position copies,
// as the page paints them.
class BrowserDisplay : public device::Display {
public:
    BrowserDisplay();

    void segmentShown(device::Segment segment, bool shown) override;
    void digitPicture(device::Segment position, int digit) override;
    void hintsChanged() override { hintsChanged_ = true; }

    // One byte a component, in drawing order: bit 0 shown; bits 1-4 the digit (0..9) whose
    // picture a digit position shows, 14 while it shows its own picture, 15 for none.
    const std::uint8_t* state() const { return state_.data(); }
    // Whether anything changed since the last call, and forget it.
    bool takeChanged();
    bool takeHintsChanged();

private:
    std::array<std::uint8_t, skin::kComponentCount> state_{};
    bool changed_ = true;
    bool hintsChanged_ = true;
};

// The beeps the core asked for since the page last took them.
class BrowserSound : public device::SoundPlayer {
public:
    void play(device::Sample sample) override { played_.push_back(sample); }
    std::vector<device::Sample> take();

private:
    std::vector<device::Sample> played_;
};

// The browser's storage (localStorage), one text value a name, as the desktop stores them.
class BrowserSettings : public device::TextSettings {
protected:
    std::optional<std::string> readText(std::string_view name) override;
    void writeText(std::string_view name, const std::string& text) override;
};

} // namespace web
