#include "web/core/manual_json.h"

#include "session/json_text.h"

namespace web {

std::string manualConfigJson(const manual::ManualConfig& config) {
    std::string out = "{\"clientSize\":[" + std::to_string(config.clientSize.width) + ',' +
                      std::to_string(config.clientSize.height) + "],\"pages\":[";
    for (const std::string& file : config.pageFiles) {
        out += out.back() == '[' ? "" : ",";
        session::appendJsonString(out, file);
    }
    return out + "]}";
}

std::string manualStateJson(const manual::ManualPager& pager, manual::ManualSize client) {
    using manual::ManualButton;
    std::string out = "{\"page\":" + std::to_string(pager.page()) + ",\"buttons\":[";
    for (ManualButton b : {ManualButton::Close, ManualButton::Left, ManualButton::Right}) {
        const manual::ManualBox box = manual::manualButtonPlace(b, client);
        out += out.back() == '[' ? "{" : ",{";
        out += "\"up\":";
        out += pager.upShown(b) ? "true" : "false";
        out += ",\"down\":";
        out += pager.downShown(b) ? "true" : "false";
        out += ",\"box\":[" + std::to_string(box.left) + ',' + std::to_string(box.top) + ',' +
               std::to_string(box.width) + ',' + std::to_string(box.height) + "]}";
    }
    return out + "]}";
}

} // namespace web
