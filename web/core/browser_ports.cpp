#include "web/core/browser_ports.h"

#include <cstdlib>

#include <emscripten.h>

#include "skin/segment_components.h"

namespace {

constexpr std::uint8_t kShown = 1;
constexpr std::uint8_t kOwnPicture = 14;
constexpr std::uint8_t kNoDigit = 15;

// Null when the storage has no such value or cannot be read; the page reports the latter.
// clang-format off
EM_JS(char*, zemblor_storage_get, (const char* name), {
    const text = Module.storage.get(UTF8ToString(name));
    if (text === null) {
        return 0;
    }
    const bytes = lengthBytesUTF8(text) + 1;
    const copy = _malloc(bytes);
    stringToUTF8(text, copy, bytes);
    return copy;
});

EM_JS(void, zemblor_storage_set, (const char* name, const char* text), {
    Module.storage.set(UTF8ToString(name), UTF8ToString(text));
});
// clang-format on

} // namespace

namespace web {

BrowserDisplay::BrowserDisplay() {
    for (std::size_t i = 0; i < skin::kComponentCount; ++i) {
        const bool shown = skin::componentInfo(static_cast<skin::Component>(i)).shownAtStart;
        state_[i] = static_cast<std::uint8_t>((shown ? kShown : 0) | kOwnPicture << 1);
    }
}

void BrowserDisplay::segmentShown(device::Segment segment, bool shown) {
    std::uint8_t& s = state_[skin::index(skin::componentForSegment(segment))];
    s = static_cast<std::uint8_t>((s & ~kShown) | (shown ? kShown : 0));
    changed_ = true;
}

void BrowserDisplay::digitPicture(device::Segment position, int digit) {
    std::uint8_t& s = state_[skin::index(skin::componentForSegment(position))];
    const int shownDigit = digit >= 0 && digit <= 9 ? digit : kNoDigit;
    s = static_cast<std::uint8_t>((s & kShown) | shownDigit << 1);
    changed_ = true;
}

bool BrowserDisplay::takeChanged() {
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

bool BrowserDisplay::takeHintsChanged() {
    const bool changed = hintsChanged_;
    hintsChanged_ = false;
    return changed;
}

std::vector<device::Sample> BrowserSound::take() {
    std::vector<device::Sample> played;
    played.swap(played_);
    return played;
}

std::optional<std::string> BrowserSettings::readText(std::string_view name) {
    char* text = zemblor_storage_get(std::string(name).c_str());
    if (!text) {
        return std::nullopt;
    }
    std::string value(text);
    std::free(text);
    return value;
}

void BrowserSettings::writeText(std::string_view name, const std::string& text) {
    zemblor_storage_set(std::string(name).c_str(), text.c_str());
}

} // namespace web
