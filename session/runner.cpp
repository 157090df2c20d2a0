#include "session/runner.h"

#include <string>

#include "session/checked_output.h"
#include "session/script_lines.h"
#include "session/state_line.h"

namespace session {

Runner::Runner(std::ostream& out, const RunOptions& options)
    : log_(out, [this] { return now(); }), store_(options.store ? *options.store : memoryStore_),
      sound_(log_, options.soundOutput), settings_(log_, store_),
      afterStartUp_(options.afterStartUp), clock_([this] { return now(); }, options.clock),
      random_(options.seed),
      device_(device::Ports{options.display ? *options.display : nullDisplay_, sound_, settings_,
                            clock_, random_}) {
    devicePtr_ = &device_;
}

void Runner::runLine(std::string_view line) {
    if (auto command = parseCommand(line)) {
        execute(*command);
    }
}

void Runner::startUp() {
    if (!started_) {
        started_ = true;
        device_.startUp();
        if (afterStartUp_ && !afterStartUp_(settings_)) {
            throw StartUpFailed{};
        }
    }
}

void Runner::finish() {
    startUp();
}

void Runner::execute(const Command& command) {
    if (command.kind == CommandKind::Store) {
        if (started_) {
            throw ScriptError("store after another command (store lines must come first)");
        }
        store_.putText(command.storeName, command.storeValue);
        return;
    }
    startUp();
    switch (command.kind) {
    case CommandKind::Store:
        break;
    case CommandKind::Power:
        device_.powerOn();
        break;
    case CommandKind::Press:
        device_.press(command.button);
        break;
    case CommandKind::Release:
        device_.release(command.button);
        break;
    case CommandKind::Tap:
        device_.press(command.button);
        device_.release(command.button);
        break;
    case CommandKind::KeyDown:
        device_.FormKeyDown(command.keyCode);
        break;
    case CommandKind::KeyUp:
        device_.FormKeyUp(command.keyCode);
        break;
    case CommandKind::Wait:
        device_.advance(command.waitMs);
        break;
    case CommandKind::Clock:
        clock_.set(command.clock);
        break;
    case CommandKind::Draw:
        for (int value : command.draws) {
            random_.queue(value);
        }
        break;
    case CommandKind::Bind:
        device_.acceptBinding(command.slot, command.keyIndex);
        break;
    case CommandKind::ResetHiScores:
        device_.resetHiScores();
        break;
    case CommandKind::Show:
        log_.write(stateFields(device_));
        break;
    case CommandKind::Hints:
        log_.write(hintsFields(device_));
        break;
    }
}

namespace {

// Ends the run with `status` once the output is out, telling `message` if there is one.
// Output that could not be written outweighs everything else.
int endRun(CheckedOutput& output, std::ostream& err, int status, const std::string& message = {}) {
    if (output.pubsync() != 0) {
        err << "zemblor-headless: cannot write the output: " << output.failure()->message() << '\n';
        return 1;
    }
    if (!message.empty()) {
        err << "zemblor-headless: " << message << '\n';
    }
    return status;
}

} // namespace

int runScript(std::istream& script, std::ostream& out, std::ostream& err,
              const RunOptions& options) {
    CheckedOutput output(out.rdbuf());
    std::ostream checkedOut(&output);
    // Whatever goes to the error stream mid-run follows the output written before it.
    struct TieGuard {
        std::ostream& err;
        std::ostream* previous;
        ~TieGuard() { err.tie(previous); }
    } tie{err, err.tie(&checkedOut)};
    Runner runner(checkedOut, options);
    ScriptLines lines(script);
    long lineNumber = 0;
    for (ScriptLines::Next next; (next = lines.next()) != ScriptLines::Next::End;) {
        ++lineNumber;
        try {
            if (next == ScriptLines::Next::TooLong) {
                throw ScriptError("line longer than " + std::to_string(kMaxScriptLineBytes) +
                                  " bytes");
            }
            runner.runLine(lines.line());
        } catch (const ScriptError& error) {
            return endRun(output, err, 2,
                          "line " + std::to_string(lineNumber) + ": " + error.what());
        } catch (const StartUpFailed&) {
            return endRun(output, err, 1);
        }
        // Output goes out whenever the script has no more input at hand, so a script fed
        // through a pipe sees the answer to each line before it sends the next. Output that
        // cannot be written ends the run at once: nothing after it would be seen.
        const bool waiting = script.rdbuf()->in_avail() <= 0;
        if ((waiting || output.failure()) && output.pubsync() != 0) {
            return endRun(output, err, 1);
        }
    }
    if (script.bad()) {
        return endRun(output, err, 2,
                      "reading the script failed after line " + std::to_string(lineNumber));
    }
    try {
        runner.finish();
    } catch (const StartUpFailed&) {
        return endRun(output, err, 1);
    }
    return endRun(output, err, 0);
}

} // namespace session
