#include "session/state_line.h"

#include <algorithm>
#include <vector>

#include "session/json_text.h"

namespace session {
namespace {

// The segments the state line reports as lit, in name order. Digit positions report their
// pictures instead, and the digit holders are never shown.
const std::vector<device::Segment>& reportedSegments() {
    static const std::vector<device::Segment> segments = [] {
        std::vector<device::Segment> list;
        for (std::size_t i = 0; i < device::kSegmentCount; ++i) {
            const auto segment = static_cast<device::Segment>(i);
            const bool numberHolder = segment >= device::Segment::im_panel_number_0 &&
                                      segment <= device::Segment::im_panel_number_9;
            if (!device::isDigitPosition(segment) && !numberHolder) {
                list.push_back(segment);
            }
        }
        std::sort(list.begin(), list.end(), [](device::Segment a, device::Segment b) {
            return device::segmentName(a) < device::segmentName(b);
        });
        return list;
    }();
    return segments;
}

void appendInt(std::string& out, std::int64_t value) {
    out += std::to_string(value);
}

} // namespace

std::string stateFields(const device::Device& device) {
    const device::DeviceSnapshot state = device.snapshot();
    std::string out = ",\"mode\":";
    appendJsonString(out, device::modeName(state.mode));
    out += ",\"score\":";
    appendInt(out, state.score);
    out += ",\"misses\":";
    appendInt(out, state.misses);
    out += ",\"hero\":";
    appendInt(out, state.hero);
    out += ",\"phase\":";
    appendInt(out, state.tickPhase);
    out += ",\"maxitems\":";
    appendInt(out, state.maxItems);
    out += ",\"hiscores\":[";
    appendInt(out, state.hiScoreA);
    out += ',';
    appendInt(out, state.hiScoreB);
    out += "],\"cells\":[";
    for (std::size_t i = 0; i < state.cells.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        appendInt(out, state.cells[i]);
    }
    out += "],\"digits\":[";
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0) {
            out += ',';
        }
        const int digit = device.lcd().digitPicture(device::PanelDigits[i]);
        out += '"';
        if (digit >= 0) {
            out += static_cast<char>('0' + digit);
        }
        out += '"';
    }
    out += "],\"lit\":[";
    bool first = true;
    for (device::Segment segment : reportedSegments()) {
        if (device.lcd().isShown(segment)) {
            if (!first) {
                out += ',';
            }
            first = false;
            appendJsonString(out, device::segmentName(segment));
        }
    }
    out += "],\"timers\":[";
    first = true;
    for (std::size_t i = 0; i < device::kTimerCount; ++i) {
        const auto id = static_cast<device::TimerId>(i);
        if (device.timers().enabled(id)) {
            if (!first) {
                out += ',';
            }
            first = false;
            appendJsonString(out, device::timerName(id));
        }
    }
    out += ']';
    return out;
}

std::string hintsFields(const device::Device& device) {
    std::string out = ",\"hints\":{";
    for (std::size_t i = 0; i < device::kHintCount; ++i) {
        const auto picture = static_cast<device::HintPicture>(i);
        if (i > 0) {
            out += ',';
        }
        appendJsonString(out, device::hintPictureName(picture));
        out += ':';
        appendJsonString(out, device.buttonHint(picture));
    }
    out += '}';
    return out;
}

} // namespace session
