#pragma once

#include <optional>

#include <QPoint>

#include "device/device.h"
#include "skin/scene.h"

namespace app {

// The component a mouse press at `point` (client coordinates) lands on: the topmost shown
// one whose box holds the point. Hidden components take no input; shown segments lying over
// a button take the press themselves, as their pictures would.
std::optional<skin::Component> componentAt(const skin::Scene& scene, QPoint point);

enum class MouseRole {
    None,         // takes the press and does nothing with it
    DragsWindow,  // the device's face, the LCD overlay and the inert button
    DeviceButton, // the five released-button pictures
    GameMenu,     // the in-window game menu button
};

MouseRole mouseRole(skin::Component c);
// The device button behind a released-button picture.
std::optional<device::Button> deviceButton(skin::Component c);
// The picture's hover hint, for the pictures that have one.
std::optional<device::HintPicture> hintPicture(skin::Component c);

} // namespace app
