#include <gtest/gtest.h>

#include <QKeyEvent>

#include "device/virtual_keys.h"
#include "shell/key_tracker.h"
#include "shell/key_translation.h"

namespace {

using shell::virtualKeyCode;

// X11 keycodes of the keys used below.
constexpr quint32 kScanDigit1 = 10;
constexpr quint32 kScanDigit0 = 19;
constexpr quint32 kScanQ = 24;
constexpr quint32 kScanMinus = 20;
constexpr quint32 kScanKeypad1 = 87;
constexpr quint32 kScanKeypad4 = 83;

std::optional<std::uint16_t> code(int key, quint32 scan, Qt::KeyboardModifiers mods = {},
                                  const QString& text = {}) {
    const QKeyEvent event(QEvent::KeyPress, key, mods, scan, 0, 0, text);
    return virtualKeyCode(event);
}

TEST(KeyTranslation, DigitRowGoesByPhysicalKey) {
    EXPECT_EQ(code(Qt::Key_1, kScanDigit1), 49);
    EXPECT_EQ(code(Qt::Key_Exclam, kScanDigit1, Qt::ShiftModifier), 49); // Shift+1
    EXPECT_EQ(code(Qt::Key_Ampersand, kScanDigit1), 49);                 // AZERTY
    EXPECT_EQ(code(Qt::Key_Agrave, kScanDigit0), 48);
    EXPECT_EQ(code(Qt::Key_1, 0), 49); // made by software, no scan code
}

TEST(KeyTranslation, LettersAsTheLayoutNamesThem) {
    EXPECT_EQ(code(Qt::Key_A, kScanQ), 'A'); // AZERTY: the QWERTY Q position is A
    EXPECT_EQ(code(Qt::Key_Q, kScanQ, Qt::ShiftModifier | Qt::ControlModifier), 'Q');
    // A non-Latin layout falls back to the physical QWERTY position.
    EXPECT_EQ(code(0x0419, kScanQ, {}, QString(QChar(0x0439))), 'Q');
    // A Latin layout's punctuation stays out of the table.
    EXPECT_EQ(code(Qt::Key_Comma, 58), std::nullopt);
    EXPECT_EQ(code(Qt::Key_Minus, kScanMinus), std::nullopt);
}

TEST(KeyTranslation, NamedKeysAndTheKeypad) {
    EXPECT_EQ(code(Qt::Key_Left, 113), 37);
    EXPECT_EQ(code(Qt::Key_Down, 116), 40);
    EXPECT_EQ(code(Qt::Key_Shift, 62), 16);    // right Shift
    EXPECT_EQ(code(Qt::Key_Control, 105), 17); // right Ctrl
    EXPECT_EQ(code(Qt::Key_AltGr, 108), 18);   // right Alt
    EXPECT_EQ(code(Qt::Key_Space, 65), 32);
    EXPECT_EQ(code(Qt::Key_Escape, 9), device::vk::Escape);
    EXPECT_EQ(code(Qt::Key_Return, 36), device::vk::Return);
    EXPECT_EQ(code(Qt::Key_F12, 96), device::vk::F12);
    EXPECT_EQ(code(Qt::Key_1, kScanKeypad1, Qt::KeypadModifier), std::nullopt);
    EXPECT_EQ(code(Qt::Key_Left, kScanKeypad4, Qt::KeypadModifier), std::nullopt);
}

TEST(KeyTracker, RepeatsPressButNeverRelease) {
    shell::KeyTracker keys;
    EXPECT_EQ(keys.press(kScanDigit1, 49), 49);
    // X11 sends a release before each repeated press; only the presses go on.
    EXPECT_EQ(keys.release(kScanDigit1, true), std::nullopt);
    EXPECT_EQ(keys.press(kScanDigit1, 49), 49);
    EXPECT_EQ(keys.release(kScanDigit1, false), 49);
    EXPECT_EQ(keys.release(kScanDigit1, false), std::nullopt); // released once only
}

TEST(KeyTracker, ReleaseCarriesThePressCode) {
    shell::KeyTracker keys;
    EXPECT_EQ(keys.press(kScanQ, 'A'), 'A');
    // The layout changed while the key was held: the repeat and release still say 'A'.
    EXPECT_EQ(keys.press(kScanQ, 'Q'), 'A');
    EXPECT_EQ(keys.release(kScanQ, false), 'A');
    EXPECT_EQ(keys.press(kScanMinus, std::nullopt), std::nullopt);
    EXPECT_EQ(keys.release(kScanMinus, false), std::nullopt);
}

TEST(KeyTracker, FocusLossReleasesHeldKeysInPressOrder) {
    shell::KeyTracker keys;
    keys.press(113, 37);
    keys.press(kScanDigit1, 49);
    keys.press(114, 39);
    keys.release(kScanDigit1, false);
    EXPECT_EQ(keys.releaseAll(), (std::vector<std::uint16_t>{37, 39}));
    EXPECT_TRUE(keys.releaseAll().empty());
}

} // namespace
