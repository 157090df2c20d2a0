#include "web/core/layout_json.h"

#include "session/json_text.h"

namespace web {
namespace {

void appendBox(std::string& out, const skin::Box& b) {
    out += '[' + std::to_string(b.left) + ',' + std::to_string(b.top) + ',' +
           std::to_string(b.width) + ',' + std::to_string(b.height) + ']';
}

void appendRgb(std::string& out, const skin::Rgb& c) {
    out += '[' + std::to_string(c.r) + ',' + std::to_string(c.g) + ',' + std::to_string(c.b) + ']';
}

void appendSize(std::string& out, const skin::Size& s) {
    out += '[' + std::to_string(s.width) + ',' + std::to_string(s.height) + ']';
}

const char* drawModeName(skin::DrawMode mode) {
    switch (mode) {
    case skin::DrawMode::TopLeftClipped:
        return "topLeft";
    case skin::DrawMode::Backdrop:
        return "backdrop";
    case skin::DrawMode::ScaleToBox:
        return "scale";
    case skin::DrawMode::SizeToPicture:
        return "sizeToPicture";
    }
    return "topLeft";
}

} // namespace

std::string layoutJson(const skin::SkinLayout& layout) {
    std::string out = "{\"fullscreen\":";
    out += layout.fullscreen ? "true" : "false";
    out += ",\"clientSize\":";
    appendSize(out, layout.clientSize);
    out += ",\"configuredGameSize\":";
    appendSize(out, layout.configuredGameSize);
    out += ",\"gameArea\":";
    appendBox(out, layout.gameArea);
    out += ",\"background\":";
    appendRgb(out, layout.background);
    out += ",\"colourKey\":";
    if (layout.colourKey) {
        appendRgb(out, *layout.colourKey);
    } else {
        out += "null";
    }
    out += ",\"backdropPath\":";
    session::appendJsonString(out, layout.backdropPath);
    out += ",\"backdropStretch\":";
    out += layout.backdropStretch ? "true" : "false";
    out += ",\"logoPath\":";
    session::appendJsonString(out, layout.logoPath);
    out += ",\"logoPosition\":" + std::to_string(layout.logoPosition);
    out += ",\"gameMenuShown\":";
    out += layout.gameMenuShown ? "true" : "false";
    out += ",\"gameMenuBox\":";
    appendBox(out, layout.gameMenuBox);
    out += ",\"images\":[";
    bool first = true;
    for (const skin::ImagePlacement& image : layout.images) {
        out += first ? "{" : ",{";
        first = false;
        out += "\"component\":" + std::to_string(skin::index(image.component));
        out += ",\"picturePath\":";
        session::appendJsonString(out, image.picturePath);
        out += ",\"box\":";
        appendBox(out, image.box);
        out += '}';
    }
    return out + "]}";
}

std::string componentsJson() {
    std::string out = "[";
    for (std::size_t i = 0; i < skin::kComponentCount; ++i) {
        const skin::ComponentInfo& info = skin::componentInfo(static_cast<skin::Component>(i));
        out += i == 0 ? "{" : ",{";
        out += "\"name\":";
        session::appendJsonString(out, info.name);
        out += ",\"box\":";
        appendBox(out, info.boxAtCreation);
        out += ",\"shown\":";
        out += info.shownAtStart ? "true" : "false";
        out += ",\"transparent\":";
        out += info.transparent ? "true" : "false";
        out += ",\"drawMode\":\"";
        out += drawModeName(info.drawMode);
        out += "\"}";
    }
    return out + "]";
}

} // namespace web
