#pragma once

#include <cstdint>
#include <span>

#include "skin/picture.h"

namespace skin {

// The in-window game menu's picture, built into the program (not part of any skin).
const Picture& gameMenuPicture();

// The PNG file it is decoded from, embedded at build time.
std::span<const std::uint8_t> gameMenuPng();

} // namespace skin
