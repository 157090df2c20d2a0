#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string_view>

#include "date_time.h"
#include "device/device.h"
#include "headless_ports.h"
#include "script_command.h"

namespace headless {

struct RunOptions {
    std::uint64_t seed = 0;
    DateTime clock;
};

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
    const MemorySettings& settings() const { return settings_; }
    const VirtualClock& clock() const { return clock_; }

private:
    void startUp();
    device::Millis now() const { return devicePtr_ ? devicePtr_->now() : 0; }

    const device::Device* devicePtr_ = nullptr;
    EventLog log_;
    NullDisplay display_;
    PrintingSound sound_;
    MemorySettings settings_;
    VirtualClock clock_;
    QueuedRandom random_;
    device::Device device_;
    bool started_ = false;
};

// Runs a script line by line, printing as it goes. Returns the exit status: 0, or 2 after
// "zemblor-headless: line N: ..." on `err` once everything before the bad line is printed.
int runScript(std::istream& script, std::ostream& out, std::ostream& err,
              const RunOptions& options);

} // namespace headless
