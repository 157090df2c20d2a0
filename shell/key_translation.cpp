#include "shell/key_translation.h"
#include "device/virtual_keys.h"

#include <array>

#include <QKeyEvent>

namespace shell {
namespace {

// X11 and Wayland report XKB keycodes (evdev code + 8), whatever the layout.
constexpr std::uint32_t kXkbDigit1 = 10; // '1' .. '9', then '0' at 19
constexpr std::uint32_t kXkbDigit0 = 19;

// Letters by physical QWERTY position, for layouts whose letters are not Latin.
constexpr std::array<std::pair<std::uint32_t, char>, 26> kQwertyLetters = {{
    {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'}, {29, 'Y'}, {30, 'U'},
    {31, 'I'}, {32, 'O'}, {33, 'P'}, {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'},
    {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'}, {46, 'L'}, {52, 'Z'}, {53, 'X'},
    {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'},
}};

std::optional<std::uint16_t> digitRowKey(std::uint32_t scanCode) {
    if (scanCode >= kXkbDigit1 && scanCode < kXkbDigit0) {
        return static_cast<std::uint16_t>('1' + (scanCode - kXkbDigit1));
    }
    if (scanCode == kXkbDigit0) {
        return static_cast<std::uint16_t>('0');
    }
    return std::nullopt;
}

std::optional<std::uint16_t> qwertyLetter(std::uint32_t scanCode) {
    for (const auto& [code, letter] : kQwertyLetters) {
        if (code == scanCode) {
            return static_cast<std::uint16_t>(letter);
        }
    }
    return std::nullopt;
}

bool isNonLatinLetter(int key) {
    return key > 0x7f && key < Qt::Key_Escape && QChar::isLetter(static_cast<char32_t>(key));
}

std::optional<std::uint16_t> namedKey(int key) {
    switch (key) {
    case Qt::Key_Left:
        return device::vk::Left;
    case Qt::Key_Up:
        return device::vk::Up;
    case Qt::Key_Right:
        return device::vk::Right;
    case Qt::Key_Down:
        return device::vk::Down;
    case Qt::Key_Shift:
        return device::vk::Shift;
    case Qt::Key_Control:
        return device::vk::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: // the right Alt key on most layouts
        return device::vk::Alt;
    case Qt::Key_Space:
        return device::vk::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return device::vk::Return;
    case Qt::Key_Escape:
        return device::vk::Escape;
    default:
        break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        return static_cast<std::uint16_t>(device::vk::F1 + (key - Qt::Key_F1));
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint16_t> virtualKeyCode(const QKeyEvent& event) {
#ifdef Q_OS_WIN
    // Windows names the key itself, exactly as the key table expects.
    if (event.nativeVirtualKey() != 0) {
        return static_cast<std::uint16_t>(event.nativeVirtualKey());
    }
#endif
    const int key = event.key();
    if (key == Qt::Key_Enter) {
        return device::vk::Return; // the keypad's Enter is Enter on every platform
    }
    if (event.modifiers().testFlag(Qt::KeypadModifier)) {
        return std::nullopt;
    }
    const std::uint32_t scanCode = event.nativeScanCode();
#ifndef Q_OS_WIN
    if (auto digit = digitRowKey(scanCode)) {
        return digit;
    }
#endif
    if (scanCode == 0 && key >= Qt::Key_0 && key <= Qt::Key_9) {
        return static_cast<std::uint16_t>(key); // an event made by software, without a scan code
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<std::uint16_t>(key);
    }
#ifndef Q_OS_WIN
    if (isNonLatinLetter(key)) {
        return qwertyLetter(scanCode);
    }
#endif
    return namedKey(key);
}

std::uint32_t physicalKey(const QKeyEvent& event) {
    if (event.nativeScanCode() != 0) {
        return event.nativeScanCode();
    }
    // Software-made events carry no scan code; their key stands in, kept apart from scan codes.
    return 0x80000000u | static_cast<std::uint32_t>(event.key() & 0x7fffffff);
}

} // namespace shell
