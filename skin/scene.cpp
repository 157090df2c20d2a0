#include "skin/scene.h"

#include <algorithm>
#include <utility>

#include <QPainter>

#include "skin/box_bounds.h"
#include "skin/game_menu_picture.h"

namespace skin {
namespace {

Picture makePlaceholder() {
    QImage image(10, 10, QImage::Format_ARGB32);
    image.fill(QColor(255, 0, 0));
    for (int i = 0; i < 10; ++i) {
        image.setPixel(i, 0, qRgb(0, 0, 0));
        image.setPixel(i, 9, qRgb(0, 0, 0));
        image.setPixel(0, i, qRgb(0, 0, 0));
        image.setPixel(9, i, qRgb(0, 0, 0));
    }
    return Picture{image, PictureFormat::Bitmap};
}

} // namespace

const Picture& placeholderPicture() {
    static const Picture placeholder = makePlaceholder();
    return placeholder;
}

Scene::Scene() {
    for (std::size_t i = 0; i < kComponentCount; ++i) {
        const ComponentInfo& info = componentInfo(static_cast<Component>(i));
        states_[i].box = info.boxAtCreation;
        shown_[i] = info.shownAtStart;
    }
    setPicture(Component::btn_game_menu_background, gameMenuPicture());
}

void Scene::setShown(Component c, bool shown) {
    shown_[index(c)] = shown;
}

void Scene::setBox(Component c, const Box& box) {
    state(c).box = boundedBox(box.left, box.top, box.width, box.height);
}

void Scene::setClientSize(QSize size) {
    clientSize_ = size.expandedTo(QSize(1, 1));
}

Box Scene::box(Component c) const {
    if (componentInfo(c).drawMode == DrawMode::Backdrop) {
        return Box{0, 0, clientSize_.width(), clientSize_.height()};
    }
    return state(c).box;
}

void Scene::setPicture(Component c, const Picture& picture) {
    State& s = state(c);
    s.picture = picture;
    s.placeholder = false;
    prepareDrawable(c);
    if (componentInfo(c).drawMode == DrawMode::SizeToPicture) {
        s.box.width = picture.image.width();
        s.box.height = picture.image.height();
    }
}

void Scene::clearPicture(Component c) {
    State& s = state(c);
    s.picture.reset();
    s.placeholder = false;
    s.drawable = QImage();
}

void Scene::setPlaceholder(Component c) {
    setPicture(c, placeholderPicture());
    state(c).placeholder = true;
}

void Scene::prepareDrawable(Component c) {
    State& s = state(c);
    const Picture& p = *s.picture;
    switch (p.format) {
    case PictureFormat::Bitmap:
        s.drawable = componentInfo(c).transparent ? keyOutBottomLeft(p.image)
                                                  : p.image.convertToFormat(QImage::Format_RGB32);
        break;
    case PictureFormat::Png:
        s.drawable = p.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        break;
    case PictureFormat::Jpeg:
        s.drawable = p.image.convertToFormat(QImage::Format_RGB32);
        break;
    }
    if (s.drawable.format() == QImage::Format_ARGB32) {
        s.drawable.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
}

QRect Scene::paintRect(Component c) const {
    const State& s = state(c);
    const QRect box = toRect(this->box(c));
    switch (componentInfo(c).drawMode) {
    case DrawMode::Backdrop:
        if (backdropStretch_ || s.drawable.isNull()) {
            return box;
        }
        return QRect(drawOrigin(c), s.drawable.size()).intersected(box);
    case DrawMode::ScaleToBox:
        return box;
    case DrawMode::TopLeftClipped:
    case DrawMode::SizeToPicture:
        break;
    }
    return QRect(box.topLeft(), s.drawable.size()).intersected(box);
}

QPoint Scene::drawOrigin(Component c) const {
    const QRect box = toRect(this->box(c));
    if (componentInfo(c).drawMode == DrawMode::Backdrop && !backdropStretch_) {
        // Centred at its own size; a picture larger than the window overhangs every edge.
        const QSize size = state(c).drawable.size();
        return QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2);
    }
    return box.topLeft();
}

void Scene::paint(QPainter& painter, const QRect& dirty) const {
    painter.save();
    painter.fillRect(dirty, background_);
    for (std::size_t i = 0; i < kComponentCount; ++i) {
        const State& s = states_[i];
        if (!shown_[i] || s.drawable.isNull()) {
            continue;
        }
        const auto c = static_cast<Component>(i);
        const QRect target = paintRect(c);
        const QRect area = target.intersected(dirty);
        if (area.isEmpty()) {
            continue;
        }
        if (isScaled(c)) {
            painter.setClipRect(area);
            painter.drawImage(target, s.drawable);
            painter.setClipping(false);
        } else {
            painter.drawImage(area.topLeft(), s.drawable, area.translated(-drawOrigin(c)));
        }
    }
    painter.restore();
}

bool Scene::isScaled(Component c) const {
    const DrawMode mode = componentInfo(c).drawMode;
    return mode == DrawMode::ScaleToBox || (mode == DrawMode::Backdrop && backdropStretch_);
}

namespace {

// x * a / 255 on each of the four bytes, rounded as the raster painter rounds.
QRgb byteMul(QRgb x, std::uint32_t a) {
    std::uint32_t t = (x & 0xff00ffu) * a;
    t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    std::uint32_t u = ((x >> 8) & 0xff00ffu) * a;
    u = (u + ((u >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return u | t;
}

bool is32Bit(const QImage& image) {
    return image.format() == QImage::Format_RGB32 ||
           image.format() == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

void Scene::compose(QImage& frame, const QRect& dirty) const {
    const QRect area = dirty.intersected(frame.rect());
    if (area.isEmpty()) {
        return;
    }
    struct Part {
        const QImage* picture;
        QPoint origin;
        QRect rect;
    };
    std::array<Part, kComponentCount> parts;
    std::size_t count = 0;
    bool painterNeeded = !is32Bit(frame) || background_.alpha() != 255;
    for (std::size_t i = 0; i < kComponentCount; ++i) {
        const State& s = states_[i];
        if (!shown_[i] || s.drawable.isNull()) {
            continue;
        }
        const auto c = static_cast<Component>(i);
        const QRect rect = paintRect(c).intersected(area);
        if (rect.isEmpty()) {
            continue;
        }
        painterNeeded = painterNeeded || isScaled(c) || !is32Bit(s.drawable);
        parts[count++] = Part{&s.drawable, drawOrigin(c), rect};
    }
    if (painterNeeded) {
        QPainter painter(&frame);
        paint(painter, area);
        return;
    }
    const QRgb background = background_.rgba();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::fill_n(reinterpret_cast<QRgb*>(frame.scanLine(y)) + area.left(), area.width(),
                    background);
    }
    for (std::size_t n = 0; n < count; ++n) {
        const Part& part = parts[n];
        const bool opaque = part.picture->format() == QImage::Format_RGB32;
        for (int y = part.rect.top(); y <= part.rect.bottom(); ++y) {
            const auto* from =
                reinterpret_cast<const QRgb*>(part.picture->constScanLine(y - part.origin.y())) +
                (part.rect.left() - part.origin.x());
            auto* to = reinterpret_cast<QRgb*>(frame.scanLine(y)) + part.rect.left();
            if (opaque) {
                std::copy_n(from, part.rect.width(), to);
                continue;
            }
            for (int x = 0; x < part.rect.width(); ++x) {
                const std::uint32_t alpha = qAlpha(from[x]);
                if (alpha == 255) {
                    to[x] = from[x];
                } else if (alpha != 0) {
                    to[x] = from[x] + byteMul(to[x], 255 - alpha);
                }
            }
        }
    }
}

QImage Scene::render() const {
    QImage frame(clientSize_, QImage::Format_ARGB32_Premultiplied);
    compose(frame, frame.rect());
    return frame;
}

QImage keyOutBottomLeft(const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull() || image.width() == 0 || image.height() == 0) {
        return image;
    }
    const QRgb key = image.pixel(0, image.height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == key) {
                line[x] = 0;
            }
        }
    }
    return image;
}

QImage seeThroughMask(const QImage& frame, QColor key) {
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    QImage mask(rgb.size(), QImage::Format_MonoLSB);
    mask.fill(0);
    const QRgb wanted = key.rgb() & 0x00FFFFFFu;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == wanted) {
                mask.setPixel(x, y, 1);
            }
        }
    }
    return mask;
}

void WindowCut::reset(QSize size, std::optional<QColor> key) {
    size_ = size;
    key_ = key ? std::optional<QRgb>(key->rgb() | 0xFF000000u) : std::nullopt;
    cut_.assign(static_cast<std::size_t>(size.width()) * static_cast<std::size_t>(size.height()),
                0);
}

bool WindowCut::update(const QImage& frame, const QRect& area) {
    const QRect rect = area.intersected(QRect(QPoint(0, 0), size_)).intersected(frame.rect());
    if (!key_ || rect.isEmpty()) {
        return false;
    }
    // Painted over an opaque background, a pixel of the key colour is that colour at full
    // alpha, in any 32-bit format.
    const QImage argb = frame.format() == QImage::Format_ARGB32_Premultiplied ||
                                frame.format() == QImage::Format_ARGB32 ||
                                frame.format() == QImage::Format_RGB32
                            ? frame
                            : frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    bool changed = false;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint8_t* cut = &cut_[static_cast<std::size_t>(y) * size_.width()];
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const std::uint8_t now = line[x] == *key_;
            changed = changed || cut[x] != now;
            cut[x] = now;
        }
    }
    return changed;
}

bool WindowCut::isCut(QPoint p) const {
    if (!QRect(QPoint(0, 0), size_).contains(p)) {
        return false;
    }
    return cut_[static_cast<std::size_t>(p.y()) * size_.width() + p.x()] != 0;
}

void WindowCut::clear(QImage& frame, const QRect& area) const {
    const QRect rect = area.intersected(QRect(QPoint(0, 0), size_)).intersected(frame.rect());
    if (!key_ || rect.isEmpty() || frame.depth() != 32) {
        return;
    }
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const std::uint8_t* cut = &cut_[static_cast<std::size_t>(y) * size_.width()];
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (cut[x] != 0) {
                line[x] = 0;
            }
        }
    }
}

QRegion WindowCut::visible() const {
    // Rows with the same runs as the row above widen that band instead of adding rectangles,
    // so an outline with straight sides takes a few dozen rectangles, not one per row: every
    // repaint of the window is clipped to this region.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> band; // the runs of the band being built: start, end
    std::vector<std::pair<int, int>> row;
    std::size_t bandStart = 0;
    for (int y = 0; y < size_.height(); ++y) {
        const std::uint8_t* cut = &cut_[static_cast<std::size_t>(y) * size_.width()];
        row.clear();
        int x = 0;
        while (x < size_.width()) {
            while (x < size_.width() && cut[x] != 0) {
                ++x;
            }
            const int start = x;
            while (x < size_.width() && cut[x] == 0) {
                ++x;
            }
            if (x > start) {
                row.emplace_back(start, x);
            }
        }
        if (y > 0 && row == band) {
            for (std::size_t i = bandStart; i < rects.size(); ++i) {
                rects[i].setHeight(rects[i].height() + 1);
            }
            continue;
        }
        band = row;
        bandStart = rects.size();
        for (const auto& [start, end] : row) {
            rects.emplace_back(start, y, end - start, 1);
        }
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

} // namespace skin
