#pragma once

#include <array>
#include <string_view>

#include "dialogs/dialog_keys.h"
#include "dialogs/link_addresses.h"

// What the about box says, row by row, apart from any widget.
namespace dialogs {

inline constexpr std::string_view kAboutTitle = "About the author...";

// Only Escape is the box's own key.
inline constexpr DialogKeyRules kAboutKeys{};

// One row: a caption and its value, each with its label's name.
struct AboutDetail {
    std::string_view captionName;
    std::string_view caption;
    std::string_view valueName;
    std::string_view value;
    bool italic = false;
};

inline constexpr std::array<AboutDetail, 5> kAboutDetails = {{
    {"la_name_1", "Name:", "la_name_2", "The Zemblor team"},
    {"la_birthplace_1", "Birthplace:", "la_birthplace_2", "a small workshop"},
    {"la_birthdate_1", "Birth date:", "la_birthdate_2", "8 December 2026"},
    {"la_job_1", "Occupation:", "la_job_2", "keeping pocket games alive"},
    {"la_hobby_1", "Hobby:", "la_hobby_2", "winding clocks", true},
}};

// The rows after the details: a caption and a link, shown as addressText(address).
struct AboutLink {
    std::string_view captionName;
    std::string_view caption;
    std::string_view linkName;
    std::string_view address;
};

inline constexpr std::array<AboutLink, 2> kAboutLinks = {{
    {"la_website_1", "Website:", "la_website_2", kWebsiteAddress},
    {"la_email_1", "Email:", "la_email_2", kEmailAddress},
}};

} // namespace dialogs
