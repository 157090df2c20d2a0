#pragma once

#include <functional>
#include <string_view>

#include "device/ports.h"

namespace app {

// The settings store as the windows use it: each read and write first brings the core to the
// present, so the device's timers due by now have fired and a write carries the present time
// in the trace. No caller has to remember to do it.
class PresentSettings : public device::Settings {
public:
    PresentSettings(device::Settings& store, std::function<void()> toPresent)
        : store_(store), toPresent_(std::move(toPresent)) {}

    int readInt(std::string_view name, int defaultValue) override {
        toPresent_();
        return store_.readInt(name, defaultValue);
    }
    bool readBool(std::string_view name, bool defaultValue) override {
        toPresent_();
        return store_.readBool(name, defaultValue);
    }
    void writeInt(std::string_view name, int value) override {
        toPresent_();
        store_.writeInt(name, value);
    }
    void writeBool(std::string_view name, bool value) override {
        toPresent_();
        store_.writeBool(name, value);
    }

private:
    device::Settings& store_;
    std::function<void()> toPresent_;
};

} // namespace app
