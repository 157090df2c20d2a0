#pragma once

#include <string>
#include <string_view>

namespace dialogs {

// The author's addresses, as every dialog shows and opens them.
inline constexpr std::string_view kWebsiteAddress = "https://zemblor.example.org/sim/";
inline constexpr std::string_view kEmailAddress = "mailto:team@zemblor.example.org";
inline constexpr std::string_view kDonationAddress = "https://donate.example.net/zemblor";

// How an address reads in a dialog: without its scheme, nor the "//" a web address keeps
// after it.
std::string addressText(std::string_view address);

} // namespace dialogs
