#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>

#include "skin/box_bounds.h"
#include "skin/components.h"
#include "skin/picture.h"

class QPainter;

namespace skin {

inline QRect toRect(const Box& b) {
    return QRect(b.left, b.top, b.width, b.height);
}

// The 10 x 10 red square with a black outline that stands in for a missing picture.
const Picture& placeholderPicture();

// The main window's face as data: every picture component with its box, shown state and
// picture, plus the window's client size, background colour and colour key. It paints
// itself in drawing order, limited to a dirty rectangle.
class Scene {
public:
    Scene();

    void setShown(Component c, bool shown);
    bool isShown(Component c) const { return shown_[index(c)]; }

    // Edges beyond any window are cut back (boundedBox), so any box a skin gives is safe.
    void setBox(Component c, const Box& box);
    Box box(Component c) const;
    void setPicture(Component c, const Picture& picture);
    void clearPicture(Component c);
    bool hasPicture(Component c) const { return state(c).picture.has_value(); }
    const std::optional<Picture>& picture(Component c) const { return state(c).picture; }
    // Gives the component the placeholder picture.
    void setPlaceholder(Component c);
    bool hasPlaceholder(Component c) const { return state(c).placeholder; }

    void setBackdropStretch(bool stretch) { backdropStretch_ = stretch; }
    bool backdropStretch() const { return backdropStretch_; }

    // A window keeps at least one pixel, so its frame is never empty.
    void setClientSize(QSize size);
    QSize clientSize() const { return clientSize_; }
    void setBackgroundColour(QColor colour) { background_ = colour; }
    QColor backgroundColour() const { return background_; }
    void setColourKey(std::optional<QColor> key) { colourKey_ = key; }
    const std::optional<QColor>& colourKey() const { return colourKey_; }

    // The client-area rectangle a component paints into while shown.
    QRect paintRect(Component c) const;

    // Paints the background and every shown component that meets `dirty`, bottom first.
    void paint(QPainter& painter, const QRect& dirty) const;
    // The same pixels into a frame of its own. Pictures drawn at their own size are blended
    // here directly, as the painter blends them: a few repainted pixels cost far less than a
    // painter's setting up. A scaled picture in the area takes the painter.
    void compose(QImage& frame, const QRect& dirty) const;
    // The whole client area as one picture.
    QImage render() const;

private:
    struct State {
        Box box;
        bool placeholder = false;
        std::optional<Picture> picture;
        QImage drawable; // the picture as drawn on this component: see-through pixels at alpha 0
    };
    State& state(Component c) { return states_[index(c)]; }
    const State& state(Component c) const { return states_[index(c)]; }
    void prepareDrawable(Component c);
    bool isScaled(Component c) const;
    QPoint drawOrigin(Component c) const;

    std::array<State, kComponentCount> states_;
    // Apart from the states, so a small repaint finds the few shown components without
    // reading every state.
    std::array<bool, kComponentCount> shown_{};
    bool backdropStretch_ = false;
    QSize clientSize_{560, 372};
    QColor background_{Qt::white};
    std::optional<QColor> colourKey_{QColor(Qt::white)};
};

// A bitmap on a transparent component: every pixel of its bottom-left pixel's colour lets
// what lies beneath show through (alpha 0).
QImage keyOutBottomLeft(const QImage& source);

// Window pixels of exactly the key colour, as a one-bit mask (1 = see-through), for the
// windowed layout's shape.
QImage seeThroughMask(const QImage& frame, QColor key);

// The see-through part of a device-shaped window: the pixels of its frame (the scene composed
// over the background) that are exactly the key colour. It follows the frame as parts of it
// are repainted, so the window's shape is rebuilt only when a pixel changes side.
class WindowCut {
public:
    // A frame of `size` with nothing cut yet; without a key nothing is ever cut.
    void reset(QSize size, std::optional<QColor> key);
    // Reads the frame within `area` after it was repainted; true when the cut changed there.
    bool update(const QImage& frame, const QRect& area);
    bool isCut(QPoint p) const;
    // The pixels cut within `area` become fully transparent (for a compositor, which honours
    // alpha); the others keep their colour.
    void clear(QImage& frame, const QRect& area) const;
    // What is left of the window: runs of pixels row by row, rows alike joined into bands.
    QRegion visible() const;

private:
    QSize size_;
    std::optional<QRgb> key_;       // opaque
    std::vector<std::uint8_t> cut_; // one per pixel, row by row
};

} // namespace skin
