#pragma once

#include <string>

#include "dialogs/keys_logic.h"

namespace web {

// The key settings lists' 44 rows, in list order, as the desktop's lists show them.
std::string keyNamesJson();

// A list position per slot (GAME A, GAME B, TIME, LEFT, RIGHT), -1 for none.
std::string keySelectionsJson(const dialogs::KeySelections& selections);

// Which slots' names turn red and whether Accept is available.
std::string keyCheckJson(const dialogs::KeySelections& selections);

// The about box's title, its detail rows and its links (caption, text shown, address).
std::string aboutJson();

} // namespace web
