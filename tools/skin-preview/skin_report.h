#pragma once

#include <optional>
#include <string>
#include <vector>

#include "skin/load_skin.h"
#include "skin/scene.h"

namespace preview {

// What a skin author should fix: missing and undecodable pictures, components with no
// box, and boxes that leave the game area.
std::vector<std::string> skinProblems(const skin::Scene& scene, const skin::SkinLoadReport& load);

// A game area without a pixel, which leaves nothing to preview: the keys that cause it.
std::optional<std::string> gameAreaProblem(const skin::SkinLoadReport& load);

} // namespace preview
