#include "dialogs/link_addresses.h"

#include <algorithm>
#include <cctype>

namespace dialogs {
namespace {

// A scheme is a letter followed by letters, digits, '+', '-' or '.'.
bool isScheme(std::string_view text) {
    const auto schemeChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    };
    return !text.empty() && std::isalpha(static_cast<unsigned char>(text.front())) &&
           std::all_of(text.begin(), text.end(), schemeChar);
}

} // namespace

std::string addressText(std::string_view address) {
    const std::size_t colon = address.find(':');
    if (colon != std::string_view::npos && isScheme(address.substr(0, colon))) {
        address.remove_prefix(colon + 1);
    }
    if (address.starts_with("//")) {
        address.remove_prefix(2);
    }
    return std::string(address);
}

} // namespace dialogs
