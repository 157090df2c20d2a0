#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string_view>

#include "device/device.h"
#include "session/date_time.h"
#include "session/event_log.h"
#include "session/memory_settings.h"
#include "session/null_display.h"
#include "session/queued_random.h"
#include "session/script_command.h"
#include "session/virtual_clock.h"

namespace session {

struct RunOptions {
    std::uint64_t seed = 0;
    DateTime clock;
    // Optional real ports; without them the store is in memory, sound is only printed and
    // the LCD is kept by the device alone.
    device::TextSettings* store = nullptr;
    device::SoundPlayer* soundOutput = nullptr;
    device::Display* display = nullptr;
    // Runs once the device has started up, before the first command acts (the splash
    // dialog's turn: starting the sound). False ends the run with status 1.
    std::function<bool(device::Settings&)> afterStartUp;
};

// The run was ended by start-up itself (for example a broken sound installation).
struct StartUpFailed {};

// The device core on virtual time, driven by script commands, printing its events to `out`.
class Runner {
public:
    Runner(std::ostream& out, const RunOptions& options);

    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // Runs one script line. Leading store lines fill the store; the first other command
    // starts the device up before it runs. Throws ScriptError for a bad line.
    void runLine(std::string_view line);
    void execute(const Command& command);
    // Starts the device up if no command has done so yet (a script of store lines only).
    void finish();

    device::Device& device() { return device_; }
    const device::Device& device() const { return device_; }
    device::Settings& settings() { return settings_; }
    const VirtualClock& clock() const { return clock_; }

private:
    void startUp();
    device::Millis now() const { return devicePtr_ ? devicePtr_->now() : 0; }

    const device::Device* devicePtr_ = nullptr;
    EventLog log_;
    NullDisplay nullDisplay_;
    MemorySettings memoryStore_;
    device::TextSettings& store_;
    PrintingSound sound_;
    PrintingSettings settings_;
    std::function<bool(device::Settings&)> afterStartUp_;
    VirtualClock clock_;
    QueuedRandom random_;
    device::Device device_;
    bool started_ = false;
};

// Runs a script line by line, printing as it goes. Returns the exit status: 0; 2 after
// "zemblor-headless: line N: ..." on `err` once everything before the bad line is printed
// (a line longer than kMaxScriptLineBytes is a bad line); 1 when start-up failed, and 1 after
// "zemblor-headless: cannot write the output: CAUSE" as soon as a write to `out` fails.
int runScript(std::istream& script, std::ostream& out, std::ostream& err,
              const RunOptions& options);

} // namespace session
