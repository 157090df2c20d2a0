// The browser edition's adapter: it owns the device core and everything it runs on, takes
// the page's time and input, and hands the page what to paint, play and trace. The page
// calls the C functions at the end of this file.

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include <emscripten.h>

#include "app/key_legend.h"
#include "device/device.h"
#include "device/seeded_random.h"
#include "device/setting_entries.h"
#include "dialogs/about_text.h"
#include "dialogs/keys_logic.h"
#include "dialogs/splash_logic.h"
#include "manual/manual_config.h"
#include "manual/manual_pager.h"
#include "session/core_timeline.h"
#include "session/event_log.h"
#include "session/json_text.h"
#include "session/program_info.h"
#include "session/script_command.h"
#include "session/session_recorder.h"
#include "session/state_line.h"
#include "session/virtual_clock.h"
#include "skin/config_file.h"
#include "skin/skin_layout.h"
#include "web/core/browser_ports.h"
#include "web/core/dialog_json.h"
#include "web/core/layout_json.h"
#include "web/core/manual_json.h"
#include "web/core/menu_json.h"

namespace web {
namespace {

using Nanos = std::chrono::nanoseconds;

Nanos fromMillis(double ms) {
    return Nanos(static_cast<std::int64_t>(std::llround(ms * 1e6)));
}

class WebCore final : public dialogs::KeysHost {
public:
    WebCore(std::uint64_t seed, const session::DateTime& clock, bool followWallClock, bool trace,
            double now)
        : followWallClock_(followWallClock), timeline_(fromMillis(now)),
          log_(traceText_, [this] { return device_.now(); }), tracedSettings_(log_, settings_),
          tracedSound_(log_, &sound_), clock_([this] { return device_.now(); }, clock),
          random_(seed), trace_(trace),
          device_(device::Ports{display_,
                                trace ? static_cast<device::SoundPlayer&>(tracedSound_) : sound_,
                                trace ? static_cast<device::Settings&>(tracedSettings_) : settings_,
                                clock_, random_}),
          recorder_(recordText_) {
        recorder_.header(seed, clock);
    }

    void startUp() {
        device_.startUp();
        const device::DeviceSnapshot s = device_.snapshot();
        for (std::size_t slot = 0; slot < device::setting::Keys.size(); ++slot) {
            recorder_.store(device::setting::Keys[slot].name,
                            std::to_string(s.bindings[slot].KeyIndex));
        }
        recorder_.store(device::setting::HiScore1.name, std::to_string(s.hiScoreA));
        recorder_.store(device::setting::HiScore2.name, std::to_string(s.hiScoreB));
    }

    // Brings the core to the page's time `now` (milliseconds of performance.now()).
    void advanceTo(double now) {
        const device::Millis target = timeline_.coreTimeAt(fromMillis(now), device_.nextDeadline());
        if (target > device_.now()) {
            device_.advance(target - device_.now());
        }
    }

    // The page's time at which the core is next due; negative when no timer runs.
    double nextDeadline() const {
        const auto deadline = device_.nextDeadline();
        if (!deadline) {
            return -1;
        }
        return std::chrono::duration<double, std::milli>(timeline_.monotonicAt(*deadline)).count();
    }

    // The device shows the computer's time: set anew when it drifts two seconds or more (a
    // sleep, a clock change, a daylight-saving switch), and recorded so a replay follows.
    void wallClock(const session::DateTime& wall) {
        if (!followWallClock_) {
            return;
        }
        const long long drift = session::secondsBetween(clock_.current(), wall);
        if (drift >= 2 || drift <= -2) {
            clock_.set(wall);
            recorder_.command(device_.now(), "clock " + session::formatDateTime(wall));
        }
    }

    template <typename Action> void input(double now, const std::string& command, Action action) {
        advanceTo(now);
        action();
        recorder_.event(device_.now(), command);
        if (trace_) {
            log_.write(session::stateFields(device_));
        }
    }

    template <typename Action> void command(double now, const std::string& line, Action action) {
        advanceTo(now);
        action();
        recorder_.command(device_.now(), line);
    }

    // One slot's key index, stored, its key code derived and the hints rebuilt. Only a binding
    // the device takes is recorded: a replay refuses a binding to no key.
    void acceptBinding(int slot, int keyIndex) {
        device_.acceptBinding(slot, keyIndex);
        if (slot >= 1 && slot <= device::kBindingCount && device::isValidKeyIndex(keyIndex)) {
            recorder_.command(device_.now(),
                              "bind " + std::to_string(slot) + " " + std::to_string(keyIndex));
        }
    }

    std::array<int, device::kBindingCount> keyIndexes() const override {
        std::array<int, device::kBindingCount> indexes{};
        const device::DeviceSnapshot s = device_.snapshot();
        for (std::size_t slot = 0; slot < indexes.size(); ++slot) {
            indexes[slot] = s.bindings[slot].KeyIndex;
        }
        return indexes;
    }

    // The key settings dialog's Accept, at the core's present (see zc_accept_keys).
    void acceptBindings(const std::array<int, device::kBindingCount>& keyIndexes) override {
        for (int slot = 1; slot <= device::kBindingCount; ++slot) {
            acceptBinding(slot, keyIndexes[static_cast<std::size_t>(slot - 1)]);
        }
    }

    // The page gives the device its keys and clicks back once the dialog is gone.
    void enableMainWindow() override {}

    device::Device& device() { return device_; }
    // The store as the page reads and writes it (traced, as the device's own writes are).
    device::Settings& settings() {
        return trace_ ? static_cast<device::Settings&>(tracedSettings_) : settings_;
    }
    BrowserDisplay& display() { return display_; }
    BrowserSound& sound() { return sound_; }
    std::ostringstream& traceText() { return traceText_; }
    // The session so far, closed with the wait up to now (the recording goes on after it).
    std::string record(double now) {
        advanceTo(now);
        recorder_.end(device_.now());
        return recordText_.str();
    }

private:
    bool followWallClock_;
    session::CoreTimeline timeline_;
    std::ostringstream traceText_;
    session::EventLog log_;
    BrowserSettings settings_;
    session::PrintingSettings tracedSettings_;
    BrowserSound sound_;
    session::PrintingSound tracedSound_;
    BrowserDisplay display_;
    session::VirtualClock clock_;
    device::SeededRandom random_;
    bool trace_;
    device::Device device_;
    std::ostringstream recordText_;
    session::SessionRecorder recorder_;
};

std::unique_ptr<WebCore> core;
// Kept for the whole visit, like the desktop's manual window: it reopens on the same page.
manual::ManualPager manualPager;
std::string text; // the last string handed to the page

const char* handOut(std::string value) {
    text = std::move(value);
    return text.c_str();
}

session::DateTime dateTime(int y, int mo, int d, int h, int mi, int s) {
    return session::DateTime{y, mo, d, h, mi, s};
}

dialogs::KeySelections selections(int a, int b, int c, int d, int e) {
    return dialogs::KeySelections{a, b, c, d, e};
}

std::optional<manual::ManualButton> manualButton(int button) {
    if (button < 0 || button > 2) {
        return std::nullopt;
    }
    return static_cast<manual::ManualButton>(button);
}

} // namespace
} // namespace web

using web::core;

extern "C" {

// `seedHigh`/`seedLow`: the 64-bit seed of the item draws; `fixedClock`: the clock given in
// the page's address, else the computer's own, followed from then on.
EMSCRIPTEN_KEEPALIVE void zc_create(std::uint32_t seedHigh, std::uint32_t seedLow, int fixedClock,
                                    int y, int mo, int d, int h, int mi, int s, int trace,
                                    double now) {
    const std::uint64_t seed = std::uint64_t{seedHigh} << 32 | seedLow;
    core = std::make_unique<web::WebCore>(seed, web::dateTime(y, mo, d, h, mi, s), !fixedClock,
                                          trace != 0, now);
}

EMSCRIPTEN_KEEPALIVE void zc_start_up() {
    core->startUp();
}

EMSCRIPTEN_KEEPALIVE void zc_power_on(double now) {
    core->input(now, "power", [] { core->device().powerOn(); });
}

EMSCRIPTEN_KEEPALIVE void zc_advance(double now) {
    core->advanceTo(now);
}

EMSCRIPTEN_KEEPALIVE double zc_next_deadline() {
    return core->nextDeadline();
}

EMSCRIPTEN_KEEPALIVE void zc_wall_clock(int y, int mo, int d, int h, int mi, int s) {
    core->wallClock(web::dateTime(y, mo, d, h, mi, s));
}

EMSCRIPTEN_KEEPALIVE void zc_key_down(double now, int code) {
    const auto key = static_cast<std::uint16_t>(code);
    core->input(now, "keydown " + std::to_string(key), [key] { core->device().FormKeyDown(key); });
}

EMSCRIPTEN_KEEPALIVE void zc_key_up(double now, int code) {
    const auto key = static_cast<std::uint16_t>(code);
    core->input(now, "keyup " + std::to_string(key), [key] { core->device().FormKeyUp(key); });
}

// `button`: 0 GAME A, 1 GAME B, 2 TIME, 3 LEFT, 4 RIGHT.
EMSCRIPTEN_KEEPALIVE void zc_press(double now, int button) {
    if (button < 0 || button > 4) {
        return;
    }
    const auto b = static_cast<device::Button>(button);
    core->input(now, "press " + std::string(session::buttonName(b)),
                [b] { core->device().press(b); });
}

EMSCRIPTEN_KEEPALIVE void zc_release(double now, int button) {
    if (button < 0 || button > 4) {
        return;
    }
    const auto b = static_cast<device::Button>(button);
    core->input(now, "release " + std::string(session::buttonName(b)),
                [b] { core->device().release(b); });
}

EMSCRIPTEN_KEEPALIVE void zc_accept_binding(double now, int slot, int keyIndex) {
    core->advanceTo(now);
    core->acceptBinding(slot, keyIndex);
}

EMSCRIPTEN_KEEPALIVE void zc_reset_hiscores(double now) {
    core->command(now, "resethiscores", [] { core->device().resetHiScores(); });
}

// The components' state (one byte each, see BrowserDisplay) and whether it changed.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* zc_display_state() {
    return core->display().state();
}

EMSCRIPTEN_KEEPALIVE int zc_display_changed() {
    return core->display().takeChanged() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int zc_hints_changed() {
    return core->display().takeHintsChanged() ? 1 : 0;
}

// The beeps asked for since the last call, one sample number (0 Gameover, 1 Got, 2 Miss,
// 3 Move, 4 Start) a character.
EMSCRIPTEN_KEEPALIVE const char* zc_take_sounds() {
    std::string played;
    for (device::Sample sample : core->sound().take()) {
        played += static_cast<char>('0' + static_cast<int>(sample));
    }
    return web::handOut(std::move(played));
}

// The trace's JSON lines written since the last call.
EMSCRIPTEN_KEEPALIVE const char* zc_take_trace() {
    std::string lines = core->traceText().str();
    core->traceText().str({});
    return web::handOut(std::move(lines));
}

// The device's state as the trace's state line shows it (for the page's text alternative).
EMSCRIPTEN_KEEPALIVE const char* zc_state_line() {
    return web::handOut("{\"t\":" + std::to_string(core->device().now()) +
                        session::stateFields(core->device()) + "}");
}

EMSCRIPTEN_KEEPALIVE const char* zc_hints() {
    return web::handOut("{\"t\":" + std::to_string(core->device().now()) +
                        session::hintsFields(core->device()) + "}");
}

// The five bindings' key indexes, comma-separated.
EMSCRIPTEN_KEEPALIVE const char* zc_key_indexes() {
    std::string list;
    for (const device::KeyBinding& binding : core->device().snapshot().bindings) {
        list += (list.empty() ? "" : ",") + std::to_string(binding.KeyIndex);
    }
    return web::handOut(std::move(list));
}

// The full-screen legend of the keys in force.
EMSCRIPTEN_KEEPALIVE const char* zc_key_legend_text() {
    std::array<int, device::kBindingCount> keys{};
    const auto bindings = core->device().snapshot().bindings;
    for (std::size_t slot = 0; slot < keys.size(); ++slot) {
        keys[slot] = bindings[slot].KeyIndex;
    }
    return web::handOut(app::keyLegendText(keys));
}

// Where the legend of a text size goes on a screen: "left,top", or "" where there is no room.
// The taken boxes are three (left, top, width, height each; an empty one takes no room).
EMSCRIPTEN_KEEPALIVE const char* zc_key_legend_place(int screenWidth, int screenHeight,
                                                     int textWidth, int textHeight, int l1, int t1,
                                                     int w1, int h1, int l2, int t2, int w2, int h2,
                                                     int l3, int t3, int w3, int h3) {
    const std::vector<skin::Box> boxes = {{l1, t1, w1, h1}, {l2, t2, w2, h2}, {l3, t3, w3, h3}};
    const auto place = app::keyLegendPlace({0, 0, screenWidth, screenHeight},
                                           {0, 0, textWidth, textHeight}, boxes);
    return web::handOut(place ? std::to_string(place->left) + "," + std::to_string(place->top)
                              : std::string());
}

// The session so far as a zemblor-headless script, ending with the wait up to now.
EMSCRIPTEN_KEEPALIVE const char* zc_record(double now) {
    return web::handOut(core->record(now));
}

// A stored value read as the desktop reads it (a plain decimal number, else the default).
EMSCRIPTEN_KEEPALIVE int zc_read_setting(const char* name, int defaultValue) {
    return core->settings().readInt(name, defaultValue);
}

EMSCRIPTEN_KEEPALIVE void zc_write_setting(double now, const char* name, int value) {
    core->advanceTo(now);
    core->settings().writeInt(name, value);
}

// The skin's layout from its configuration text, as JSON.
EMSCRIPTEN_KEEPALIVE const char* zc_layout(const char* config, int fullscreen, int screenWidth,
                                           int screenHeight) {
    const skin::SkinLayout layout = skin::layOutSkin(
        skin::ConfigFile::fromText(config), fullscreen != 0, skin::Size{screenWidth, screenHeight});
    return web::handOut(web::layoutJson(layout));
}

// Where a logo of width x height goes on a screen (see skin::logoBox): "left,top".
EMSCRIPTEN_KEEPALIVE const char* zc_logo_place(int position, int screenWidth, int screenHeight,
                                               int width, int height, int left, int top) {
    const skin::Box box = skin::logoBox(position, skin::Size{screenWidth, screenHeight},
                                        skin::Size{width, height}, skin::Box{left, top, 0, 0});
    return web::handOut(std::to_string(box.left) + "," + std::to_string(box.top));
}

EMSCRIPTEN_KEEPALIVE const char* zc_program_title() {
    return session::kProgramTitle;
}

EMSCRIPTEN_KEEPALIVE const char* zc_program_version() {
    return session::kProgramVersion;
}

// Every component's name, drawing rules and box at creation, as JSON.
EMSCRIPTEN_KEEPALIVE const char* zc_components() {
    return web::handOut(web::componentsJson());
}

// The menu's items as JSON (see web::menuItemsJson).
EMSCRIPTEN_KEEPALIVE const char* zc_menu_items() {
    return web::handOut(web::menuItemsJson());
}

// Which items are ticked and the game menu's row texts, the splash item from the store as
// the desktop's menu reads it when it opens.
EMSCRIPTEN_KEEPALIVE const char* zc_menu_state(int fullscreen) {
    const bool splash = device::setting::read(core->settings(), device::setting::SplashScreen);
    return web::handOut(web::menuStateJson(fullscreen != 0, splash));
}

// The key settings lists' rows as JSON.
EMSCRIPTEN_KEEPALIVE const char* zc_key_names() {
    return web::handOut(web::keyNamesJson());
}

// The bindings in force as list positions, what the dialog shows when it opens.
EMSCRIPTEN_KEEPALIVE const char* zc_key_selections() {
    return web::handOut(web::keySelectionsJson(dialogs::KeysLogic(*core).storedSelections()));
}

// Five list positions (-1 for none): the slots in conflict and whether Accept is available.
EMSCRIPTEN_KEEPALIVE const char* zc_check_keys(int a, int b, int c, int d, int e) {
    return web::handOut(web::keyCheckJson(web::selections(a, b, c, d, e)));
}

// Accept with five list positions: 1 when stored (and recorded), 0 while two slots share a key.
EMSCRIPTEN_KEEPALIVE int zc_accept_keys(double now, int a, int b, int c, int d, int e) {
    core->advanceTo(now);
    return dialogs::KeysLogic(*core).accept(web::selections(a, b, c, d, e)) ? 1 : 0;
}

// What a key does in a dialog (0 the start-up dialog, 1 key settings, 2 about): 0 pass it on
// to the focused control, 1 confirm, 2 swallow, 3 leave. `code` -1: a key without a code.
EMSCRIPTEN_KEEPALIVE int zc_dialog_key_action(int dialog, int code, int confirmAvailable) {
    static constexpr std::array<dialogs::DialogKeyRules, 3> rules = {
        dialogs::kSplashKeys, dialogs::kKeySettingsKeys, dialogs::kAboutKeys};
    if (dialog < 0 || dialog >= static_cast<int>(rules.size())) {
        return 0;
    }
    const std::optional<std::uint16_t> key =
        code < 0 || code > 0xFFFF ? std::nullopt
                                  : std::optional<std::uint16_t>(static_cast<std::uint16_t>(code));
    return static_cast<int>(dialogs::dialogKeyAction(rules[static_cast<std::size_t>(dialog)], key,
                                                     confirmAvailable != 0));
}

// The about box's texts and links as JSON.
EMSCRIPTEN_KEEPALIVE const char* zc_about() {
    return web::handOut(web::aboutJson());
}

// The manual's size and page files from the skin's configuration text, as JSON.
EMSCRIPTEN_KEEPALIVE const char* zc_manual_config(const char* config) {
    return web::handOut(
        web::manualConfigJson(manual::readManualConfig(skin::ConfigFile::fromText(config))));
}

// "View manual" shows the manual: the page it was left on, its arrow buttons set for it.
EMSCRIPTEN_KEEPALIVE void zc_manual_open() {
    web::manualPager.Vid_Show_Page();
}

// The page and the buttons' pictures and boxes for a client area of width x height, as JSON.
EMSCRIPTEN_KEEPALIVE const char* zc_manual_state(int width, int height) {
    return web::handOut(web::manualStateJson(web::manualPager, {width, height}));
}

// Keys and buttons (0 close, 1 previous, 2 next): 0 nothing to do, 1 redraw, 2 close.
EMSCRIPTEN_KEEPALIVE int zc_manual_key_down(int code) {
    return static_cast<int>(web::manualPager.keyDown(static_cast<std::uint16_t>(code)));
}

EMSCRIPTEN_KEEPALIVE int zc_manual_key_up(int code) {
    return static_cast<int>(web::manualPager.keyUp(static_cast<std::uint16_t>(code)));
}

EMSCRIPTEN_KEEPALIVE int zc_manual_button_down(int button) {
    const auto b = web::manualButton(button);
    return b ? static_cast<int>(web::manualPager.buttonDown(*b)) : 0;
}

EMSCRIPTEN_KEEPALIVE int zc_manual_button_up(int button) {
    const auto b = web::manualButton(button);
    return b ? static_cast<int>(web::manualPager.buttonUp(*b)) : 0;
}

// The button whose released picture is at the client point, or -1.
EMSCRIPTEN_KEEPALIVE int zc_manual_button_at(int x, int y, int width, int height) {
    const auto b = web::manualPager.buttonAt({x, y}, {width, height});
    return b ? static_cast<int>(*b) : -1;
}
}
