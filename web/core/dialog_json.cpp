#include "web/core/dialog_json.h"

#include "device/key_table.h"
#include "dialogs/about_text.h"
#include "session/json_text.h"

namespace web {

std::string keyNamesJson() {
    std::string out = "[";
    for (const device::KeyRow& row : device::keyTable()) {
        out += out.size() == 1 ? "" : ",";
        session::appendJsonString(out, row.listText);
    }
    return out + "]";
}

std::string keySelectionsJson(const dialogs::KeySelections& selections) {
    std::string out = "[";
    for (int position : selections) {
        out += out.size() == 1 ? "" : ",";
        out += std::to_string(position);
    }
    return out + "]";
}

std::string keyCheckJson(const dialogs::KeySelections& selections) {
    const dialogs::KeyCheck check = dialogs::CheckKeys(selections);
    std::string out = "{\"conflict\":[";
    for (std::size_t slot = 0; slot < check.inConflict.size(); ++slot) {
        out += slot == 0 ? "" : ",";
        out += check.inConflict[slot] ? "true" : "false";
    }
    out += "],\"acceptAvailable\":";
    out += check.anyConflict ? "false" : "true";
    return out + "}";
}

std::string aboutJson() {
    std::string out = "{\"title\":";
    session::appendJsonString(out, dialogs::kAboutTitle);
    out += ",\"details\":[";
    for (const dialogs::AboutDetail& d : dialogs::kAboutDetails) {
        out += out.back() == '[' ? "{" : ",{";
        out += "\"captionName\":";
        session::appendJsonString(out, d.captionName);
        out += ",\"caption\":";
        session::appendJsonString(out, d.caption);
        out += ",\"valueName\":";
        session::appendJsonString(out, d.valueName);
        out += ",\"value\":";
        session::appendJsonString(out, d.value);
        out += ",\"italic\":";
        out += d.italic ? "true}" : "false}";
    }
    out += "],\"links\":[";
    for (const dialogs::AboutLink& l : dialogs::kAboutLinks) {
        out += out.back() == '[' ? "{" : ",{";
        out += "\"captionName\":";
        session::appendJsonString(out, l.captionName);
        out += ",\"caption\":";
        session::appendJsonString(out, l.caption);
        out += ",\"linkName\":";
        session::appendJsonString(out, l.linkName);
        out += ",\"text\":";
        session::appendJsonString(out, dialogs::addressText(l.address));
        out += ",\"address\":";
        session::appendJsonString(out, l.address);
        out += '}';
    }
    return out + "]}";
}

} // namespace web
