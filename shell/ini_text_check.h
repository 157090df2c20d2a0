#pragma once

#include <string_view>

namespace shell {

// True when rewriting this INI text through QSettings keeps everything a person wrote in it:
// every line is blank, a [section] header or a key=value pair. Comments and lines without
// "=" are dropped by a rewrite, so their text is not clean.
bool iniTextSurvivesRewrite(std::string_view text);

} // namespace shell
