#pragma once

#include <string>

#include "manual/manual_config.h"
#include "manual/manual_pager.h"

namespace web {

// The window's client size and each page's picture file, from the skin's configuration.
std::string manualConfigJson(const manual::ManualConfig& config);

// The page shown and, per button (close, previous, next), whether its released and its
// pressed picture are shown and its box in a client area of the given size.
std::string manualStateJson(const manual::ManualPager& pager, manual::ManualSize client);

} // namespace web
