#pragma once

#include <string_view>

namespace shell {

// True when rewriting this INI text through QSettings keeps everything a person wrote in it:
// every line is blank, a [section] header or a key=value pair, and no key is given twice in
// one section. Comments and lines without "=" are dropped by a rewrite, and of a repeated key
// only the last value is kept, so such text is not clean. A pair without a key ("=5") is
// written back as it was, so it is clean, as is everything QSettings itself writes.
bool iniTextSurvivesRewrite(std::string_view text);

} // namespace shell
