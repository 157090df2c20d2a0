#pragma once

namespace app {

// Asks the X server to send a held key's repeats to this program as presses alone, without a
// release before each: Qt's look-ahead for such pairs misses many of them, and a repeat that
// arrives as a real release and press would act twice. True when the server agreed; false
// off X11 or without XKB, where the key tracker's repeat rules still apply.
bool requestDetectableKeyRepeat();

} // namespace app
