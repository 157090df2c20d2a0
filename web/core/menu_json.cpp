#include "web/core/menu_json.h"

#include "session/json_text.h"
#include "shell/menu_items.h"

namespace web {
namespace {

const char* boolText(bool value) {
    return value ? "true" : "false";
}

bool ticked(shell::MenuItem item, bool fullscreen, bool splashAtStartup) {
    switch (item) {
    case shell::MenuItem::pm_10_fullscreen:
        return fullscreen;
    case shell::MenuItem::pm_11_splashscreen:
        return splashAtStartup;
    default:
        return false;
    }
}

} // namespace

std::string menuItemsJson() {
    std::string out = "[";
    int row = 1;
    for (const shell::MenuItemInfo& info : shell::MenuItemTable()) {
        out += row == 1 ? "{" : ",{";
        out += "\"name\":";
        session::appendJsonString(out, info.name);
        out += ",\"caption\":";
        session::appendJsonString(out, info.caption);
        out += ",\"shortcut\":" + (info.shortcut ? std::to_string(*info.shortcut) : "null");
        out += ",\"checkable\":";
        out += boolText(info.checkable);
        out += ",\"default\":";
        out += boolText(info.isDefault);
        out += ",\"separator\":";
        out += boolText(shell::isSeparator(info));
        out += ",\"gameMenuRow\":[0," + std::to_string(shell::gameMenuRowTop(row)) + ',' +
               std::to_string(shell::kGameMenuRowWidth) + ',' +
               std::to_string(shell::kGameMenuRowHeight) + "]}";
        ++row;
    }
    return out + "]";
}

std::string menuStateJson(bool fullscreen, bool splashAtStartup) {
    std::string ticks;
    std::string rows;
    for (const shell::MenuItemInfo& info : shell::MenuItemTable()) {
        const bool on = ticked(info.item, fullscreen, splashAtStartup);
        ticks += ticks.empty() ? "" : ",";
        ticks += boolText(on);
        rows += rows.empty() ? "" : ",";
        session::appendJsonString(rows, shell::gameMenuRowText(info, on));
    }
    return "{\"ticked\":[" + ticks + "],\"rowTexts\":[" + rows + "]}";
}

} // namespace web
