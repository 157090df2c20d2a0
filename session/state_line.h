#pragma once

#include <string>

#include "device/device.h"

namespace session {

// The fields after "t" of the state line: mode, game state, digits, lit segments, timers.
std::string stateFields(const device::Device& device);

// The fields after "t" of the hints line: the six button hints in their fixed order.
std::string hintsFields(const device::Device& device);

} // namespace session
