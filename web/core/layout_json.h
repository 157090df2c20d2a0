#pragma once

#include <string>

#include "skin/skin_layout.h"

namespace web {

// The layout as the page reads it: sizes, colours, the backdrop and logo, and each
// configured component's picture and box.
std::string layoutJson(const skin::SkinLayout& layout);

// The window's components in drawing order: name, box at creation, shown at start,
// transparency and drawing mode.
std::string componentsJson();

} // namespace web
