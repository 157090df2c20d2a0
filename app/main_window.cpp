#include "main_window.h"

#include <iostream>
#include <vector>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include "device/setting_entries.h"
#include "game_menu_row.h"
#include "hit_test.h"
#include "shell/key_translation.h"
#include "skin/load_skin.h"
#include "timing_log.h"
#include "window_placement.h"

namespace app {
namespace {

// The visible part of a device-shaped window: every pixel not of the key colour, as
// one-pixel-high runs, row by row (the banded order QRegion::setRects expects).
QRegion deviceShape(const QImage& frame, QColor key) {
    const QImage mask = skin::seeThroughMask(frame, key);
    std::vector<QRect> runs;
    for (int y = 0; y < mask.height(); ++y) {
        int x = 0;
        while (x < mask.width()) {
            while (x < mask.width() && mask.pixelIndex(x, y) == 1) {
                ++x;
            }
            const int start = x;
            while (x < mask.width() && mask.pixelIndex(x, y) == 0) {
                ++x;
            }
            if (x > start) {
                runs.emplace_back(start, y, x - start, 1);
            }
        }
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

// Key-colour pixels become fully transparent, so a compositor shows what lies beneath.
void keyOut(QImage& frame, const QRect& area, QColor key) {
    const QRgb wanted = key.rgb() & 0x00FFFFFFu;
    const QRect rect = area.intersected(frame.rect());
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == wanted) {
                line[x] = 0;
            }
        }
    }
}

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

TForm1::TForm1(CoreController& core, std::string configPath, std::optional<int> zoom,
               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), core_(core),
      configPath_(std::move(configPath)), zoomOption_(zoom) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(560, 372);
    // The key handlers see every key of this window before any widget in it does.
    winId();
    windowHandle()->installEventFilter(this);
    connect(&core_, &CoreController::displayChanged, this, &TForm1::redraw);
}

void TForm1::FormCreate() {
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    FullscreenOn = device::setting::read(core_.settings(), device::setting::FullscreenMode);
    const int zoom =
        zoomOption_.value_or(device::setting::read(core_.settings(), device::setting::Zoom));
    scale_ = zoom >= 1 && zoom <= 8 ? zoom : 1;
    LoadSkin();
    GameMenuOpen = false;
    core_.startUp();
}

void TForm1::LoadSkin() {
    skin::LoadSkin(core_.scene(), *this, configPath_, FullscreenOn);
    frame_ = QImage(core_.scene().clientSize(), QImage::Format_ARGB32_Premultiplied);
    redraw(frame_.rect());
    applyShape();
}

void TForm1::redraw(const QRect& dirty) {
    if (frame_.isNull()) {
        return;
    }
    {
        QPainter painter(&frame_);
        core_.scene().paint(painter, dirty);
    }
    if (const auto& key = core_.scene().colourKey()) {
        keyOut(frame_, dirty, *key);
    }
    update(toWidget(dirty));
}

void TForm1::applyShape() {
    if (const auto& key = core_.scene().colourKey()) {
        QRegion region = deviceShape(core_.scene().render(), *key);
        if (scale_ != 1) {
            region = QTransform::fromScale(scale_, scale_).map(region);
        }
        setMask(region);
    } else {
        clearMask();
    }
}

QRect TForm1::screenRect() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 560, 372);
}

// Zoomed, the skin is laid out on a screen of picture pixels, N screen pixels each.
QSize TForm1::screenSize() const {
    return screenRect().size() / scale_;
}

void TForm1::setClientSize(QSize size) {
    // Full screen covers the whole screen, even the few pixels a zoom does not divide.
    setFixedSize(FullscreenOn && size == screenSize() ? screenRect().size() : size * scale_);
}

void TForm1::showError(const std::string& text) {
    QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromStdString(text));
}

void TForm1::pictureError(const std::string& text) {
    std::cerr << "zemblor: " << text << '\n';
}

void TForm1::placeOnScreen() {
    if (FullscreenOn) {
        setGeometry(screenRect());
    } else {
        move(centredTopLeft(screenRect(), size()));
    }
}

void TForm1::showDevice() {
    placeOnScreen();
    if (FullscreenOn) {
        // Without a window manager that honours the request, the screen-sized frameless
        // geometry set above already covers the screen.
        showFullScreen();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    applyShape();
}

QPoint TForm1::clientPoint(QPointF widgetPos) const {
    return QPoint(static_cast<int>(widgetPos.x()) / scale_,
                  static_cast<int>(widgetPos.y()) / scale_);
}

QRect TForm1::toWidget(const QRect& client) const {
    return QRect(client.topLeft() * scale_, client.size() * scale_);
}

void TForm1::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    if (scale_ == 1) {
        painter.drawImage(area, frame_, area);
    } else {
        // Whole picture pixels around the area, each drawn as an N x N block.
        const QRect client(QPoint(area.left() / scale_, area.top() / scale_),
                           QPoint(area.right() / scale_, area.bottom() / scale_));
        painter.fillRect(area, core_.scene().backgroundColour());
        const QRect source = client.intersected(frame_.rect());
        painter.drawImage(toWidget(source), frame_, source);
    }
    if (core_.isPoweredOn()) {
        TimingLog::instance().markOnce("device-drawn");
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != windowHandle() || !isEnabled()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (auto code = keys_.press(shell::physicalKey(*key), shell::virtualKeyCode(*key))) {
            core_.keyDown(*code);
        }
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (auto code = keys_.release(shell::physicalKey(*key), key->isAutoRepeat())) {
            core_.keyUp(*code);
        }
        break;
    }
    case QEvent::FocusOut:
        // Keys held while the focus leaves never send their releases here; without them the
        // device's buttons would stay pressed.
        for (std::uint16_t code : keys_.releaseAll()) {
            core_.keyUp(code);
        }
        break;
    default:
        break;
    }
    // The keys go on to the platform's normal handling.
    return false;
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const auto hit = componentAt(core_.scene(), clientPoint(event->position()));
    if (!hit) {
        return;
    }
    switch (mouseRole(*hit)) {
    case MouseRole::DeviceButton:
        pressedButton_ = deviceButton(*hit);
        core_.press(*pressedButton_);
        break;
    case MouseRole::DragsWindow:
        if (FullscreenOn) {
            break;
        }
        if (onWayland()) {
            // Wayland lets only the compositor move windows.
            windowHandle()->startSystemMove();
            break;
        }
        dragging_ = true;
        windowAtPress_ = pos();
        pointerAtPress_ = event->globalPosition().toPoint();
        break;
    case MouseRole::GameMenu:
        menuButtonPressed_ = true;
        break;
    case MouseRole::None:
        break;
    }
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(draggedWindowPos(windowAtPress_, pointerAtPress_, event->globalPosition().toPoint()));
        return;
    }
    updatePointer(clientPoint(event->position()));
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    dragging_ = false;
    if (menuButtonPressed_) {
        menuButtonPressed_ = false;
        const auto hit = componentAt(core_.scene(), clientPoint(event->position()));
        if (hit && mouseRole(*hit) == MouseRole::GameMenu) {
            btn_game_menu_topClick();
        }
    }
    // The button the press went to is released, wherever the pointer is now.
    if (pressedButton_) {
        const device::Button button = *pressedButton_;
        pressedButton_.reset();
        core_.release(button);
    }
    updatePointer(clientPoint(event->position()));
}

void TForm1::updatePointer(QPoint clientPos) {
    const auto hit = componentAt(core_.scene(), clientPos);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (hit && *hit == skin::Component::btn_set_top) {
        shape = Qt::WhatsThisCursor;
    } else if (hit && (mouseRole(*hit) == MouseRole::DeviceButton ||
                       mouseRole(*hit) == MouseRole::GameMenu)) {
        shape = Qt::PointingHandCursor;
    }
    if (cursor().shape() != shape) {
        setCursor(shape);
    }
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto hit = componentAt(core_.scene(), clientPoint(help->pos()));
        const auto picture = hit ? hintPicture(*hit) : std::nullopt;
        if (picture) {
            const skin::Box b = core_.scene().box(*hit);
            QToolTip::showText(help->globalPos(), core_.hint(*picture), this,
                               toWidget(QRect(b.left, b.top, b.width, b.height)));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
}

void TForm1::toggleFullscreen() {
    FullscreenOn = !FullscreenOn;
    if (menu_) {
        menu_->setChecked(shell::MenuItem::pm_10_fullscreen, FullscreenOn);
    }
    closeGameMenu();
    core_.syncToNow();
    device::setting::write(core_.settings(), device::setting::FullscreenMode, FullscreenOn);
    if (!FullscreenOn) {
        showNormal(); // leaves the full-screen state before the window takes the device's size
    }
    LoadSkin();
    showDevice();
}

void TForm1::btn_game_menu_topClick() {
    GameMenuOpen = !GameMenuOpen;
    Vid_Display_Game_Menu();
}

void TForm1::closeGameMenu() {
    if (GameMenuOpen) {
        GameMenuOpen = false;
        Vid_Display_Game_Menu();
    }
}

void TForm1::setMenuBackgroundBox(int width, int height) {
    skin::Scene& scene = core_.scene();
    skin::Box box = scene.box(skin::Component::btn_game_menu_background);
    const QRect before(box.left, box.top, box.width, box.height);
    box.width = width;
    box.height = height;
    scene.setBox(skin::Component::btn_game_menu_background, box);
    redraw(before.united(QRect(box.left, box.top, box.width, box.height)));
}

void TForm1::Vid_Display_Game_Menu() {
    if (!GameMenuOpen) {
        // A row may be closing the menu from its own event: it goes once that event is over.
        for (QWidget* row : gameMenuRows_) {
            row->hide();
            row->deleteLater();
        }
        gameMenuRows_.clear();
        setMenuBackgroundBox(36, 32);
        return;
    }
    if (!menu_ || !gameMenuRows_.empty()) {
        return;
    }
    int row = 1;
    for (const shell::MenuItemInfo& info : shell::MenuItemTable()) {
        QAction* action = menu_->action(info.item);
        const bool isItem = !shell::isSeparator(info);
        const bool ticked = isItem && action->isChecked();
        auto* label = new GameMenuRow(QString::fromStdString(shell::gameMenuRowText(info, ticked)),
                                      isItem, isItem && action->isEnabled(), scale_, this);
        label->setObjectName(QStringLiteral("la_menu_item_%1").arg(row));
        label->setGeometry(toWidget(QRect(0, shell::gameMenuRowTop(row), shell::kGameMenuRowWidth,
                                          shell::kGameMenuRowHeight)));
        if (isItem) {
            connect(label, &GameMenuRow::clicked, action, &QAction::trigger);
            connect(label, &GameMenuRow::leftReleased, this, &TForm1::closeGameMenu);
        }
        label->show();
        gameMenuRows_.push_back(label);
        ++row;
    }
    setMenuBackgroundBox(shell::kGameMenuRowWidth, 448);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // FormClose: the sound samples freed and the output closed. The settings store needs no
    // closing: every value was written when it changed.
    core_.releaseSound();
    event->accept();
    emit closed();
}

} // namespace app
