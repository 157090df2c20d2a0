#include "manual/manual_buttons.h"

#include <cstdlib>

namespace manual {
namespace {

constexpr QRgb kFace = qRgb(0, 0, 255);
constexpr QRgb kLightOuter = qRgb(192, 192, 255);
constexpr QRgb kLightInner = qRgb(128, 128, 255);
constexpr QRgb kDarkInner = qRgb(0, 0, 192);
constexpr QRgb kDarkOuter = qRgb(0, 0, 0);
constexpr QRgb kGlyph = qRgb(255, 255, 255);
constexpr int kGlyphHeight = 7;

// One ring of the bevel, `inset` pixels in. The bottom and right edges run the full length,
// so the two corners they share with the top and left edges take the bottom-right colour.
void drawRing(QImage& image, int inset, QRgb topLeft, QRgb bottomRight) {
    const int left = inset;
    const int top = inset;
    const int right = image.width() - 1 - inset;
    const int bottom = image.height() - 1 - inset;
    for (int x = left; x < right; ++x) {
        image.setPixel(x, top, topLeft);
    }
    for (int y = top; y < bottom; ++y) {
        image.setPixel(left, y, topLeft);
    }
    for (int x = left; x <= right; ++x) {
        image.setPixel(x, bottom, bottomRight);
    }
    for (int y = top; y <= bottom; ++y) {
        image.setPixel(right, y, bottomRight);
    }
}

int glyphWidth(ManualButton button) {
    return button == ManualButton::Close ? 8 : 5;
}

// Each glyph row holds strokes two pixels wide: the X's two diagonals cross in the middle
// row; a chevron's tip is its middle row at the pointing side.
void drawGlyph(QImage& image, ManualButton button, QPoint origin) {
    const auto plot = [&](int x, int y) {
        image.setPixel(origin.x() + x, origin.y() + y, kGlyph);
        image.setPixel(origin.x() + x + 1, origin.y() + y, kGlyph);
    };
    for (int y = 0; y < kGlyphHeight; ++y) {
        const int fromTip = std::abs(y - kGlyphHeight / 2);
        switch (button) {
        case ManualButton::Close:
            plot(y, y);
            plot(kGlyphHeight - 1 - y, y);
            break;
        case ManualButton::Left:
            plot(fromTip, y);
            break;
        case ManualButton::Right:
            plot(glyphWidth(button) - 2 - fromTip, y);
            break;
        }
    }
}

} // namespace

QImage manualButtonPicture(ManualButton button, bool pressed) {
    QImage image(kManualButtonSize, QImage::Format_RGB32);
    image.fill(kFace);
    if (pressed) {
        drawRing(image, 0, kDarkOuter, kLightOuter);
        drawRing(image, 1, kDarkInner, kLightInner);
    } else {
        drawRing(image, 0, kLightOuter, kDarkOuter);
        drawRing(image, 1, kLightInner, kDarkInner);
    }
    const QPoint centred((kManualButtonSize.width() - glyphWidth(button)) / 2,
                         (kManualButtonSize.height() - kGlyphHeight) / 2);
    drawGlyph(image, button, pressed ? centred + QPoint(1, 1) : centred);
    return image;
}

QRect manualButtonBox(ManualButton button, QSize client) {
    const ManualBox box = manualButtonPlace(button, {client.width(), client.height()});
    return QRect(box.left, box.top, box.width, box.height);
}

} // namespace manual
