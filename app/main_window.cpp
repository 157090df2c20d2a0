#include "app/main_window.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include "app/game_menu_row.h"
#include "app/hit_test.h"
#include "app/key_legend.h"
#include "app/timing_log.h"
#include "app/window_placement.h"
#include "app/zoom_choice.h"
#include "device/setting_entries.h"
#include "session/program_info.h"
#include "shell/key_translation.h"
#include "skin/config_file.h"
#include "skin/load_skin.h"

#ifdef ZEMBLOR_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace app {
namespace {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Whether a compositor draws the windows, honouring their alpha: always on Wayland; on X11
// while a compositing manager holds the screen's _NET_WM_CM_S<n> selection.
bool compositorDrawsWindows() {
    if (onWayland()) {
        return true;
    }
#ifdef ZEMBLOR_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return false;
    }
    char* host = nullptr;
    int display = 0;
    int screen = 0; // the screen DISPLAY names, the first one when it names none
    if (xcb_parse_display(nullptr, &host, &display, &screen) != 0) {
        std::free(host);
    }
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
    const auto atom = std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)>(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.data()),
            nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return false;
    }
    const auto owner = std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)>(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
#else
    return false;
#endif
}

} // namespace

TForm1::TForm1(CoreController& core, std::string configPath, std::optional<int> zoom,
               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), core_(core),
      configPath_(std::move(configPath)), zoomOption_(zoom) {
    // Under a compositor the see-through pixels are left at alpha 0; without one the window is
    // opaque and its shape alone cuts it (an ARGB window would show black there to whatever
    // reads windows one by one, and pays for a clear on every paint).
    translucent_ = compositorDrawsWindows();
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(560, 372);
    // The key handlers see every key of this window before any widget in it does.
    winId();
    windowHandle()->installEventFilter(this);
    connect(&core_, &CoreController::displayChanged, this, &TForm1::redraw);
    connect(&core_, &CoreController::buttonHintsChanged, this, &TForm1::placeKeyLegend);
}

void TForm1::FormCreate() {
    setWindowTitle(QString::fromUtf8(session::kProgramTitle));
    FullscreenOn = device::setting::read(core_.settings(), device::setting::FullscreenMode);
    zoomRequest_ =
        zoomOption_.value_or(device::setting::read(core_.settings(), device::setting::Zoom));
    LoadSkin();
    GameMenuOpen = false;
    core_.startUp();
}

void TForm1::LoadSkin() {
    chooseScale();
    gameArea_ = core_.loadSkin(*this, configPath_, FullscreenOn).gameArea;
    frame_ = QImage(core_.scene().clientSize(),
                    translucent_ ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    cut_.reset(frame_.size(), core_.scene().colourKey());
    redraw(frame_.rect());
    applyShape();
    placeKeyLegend();
}

void TForm1::redraw(const QRect& dirty) {
    if (frame_.isNull()) {
        return;
    }
    core_.scene().compose(frame_, dirty);
    // Any repaint may bring pixels of the key colour or take them away: the shape follows.
    if (cut_.update(frame_, dirty)) {
        applyShape();
    }
    if (translucent_) {
        cut_.clear(frame_, dirty);
    }
    update(toWidget(dirty));
}

void TForm1::applyShape() {
    if (core_.scene().colourKey()) {
        QRegion region = cut_.visible();
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
    paintOverlays(painter, area);
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
        if (windowKey(*key)) {
            return true;
        }
        // Paused, the device takes no presses; releases of keys held before still go through.
        if (core_.isPaused()) {
            break;
        }
        if (auto code = keys_.press(shell::physicalKey(*key), shell::virtualKeyCode(*key))) {
            core_.keyDown(*code);
        }
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        windowKeys_.release(shell::physicalKey(*key), key->isAutoRepeat());
        if (auto code = keys_.release(shell::physicalKey(*key), key->isAutoRepeat())) {
            core_.keyUp(*code);
        }
        break;
    }
    case QEvent::FocusOut:
        windowKeys_.clear();
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
        if (core_.isPaused()) {
            break;
        }
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
    core_.setGameMenuSize(width, height);
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

bool TForm1::windowKey(const QKeyEvent& key) {
    const auto virtualKey = shell::virtualKeyCode(key);
    QAction* shortcut = menu_ && virtualKey ? menu_->shortcutAction(*virtualKey) : nullptr;
    const auto command = windowCommandFor(key);
    if (!shortcut && !command) {
        return false;
    }
    if (!windowKeys_.press(shell::physicalKey(key), key.isAutoRepeat())) {
        return true;
    }
    if (shortcut) {
        if (shortcut->isEnabled()) {
            shortcut->trigger();
        }
        return true;
    }
    switch (*command) {
    case WindowCommand::ZoomIn:
        stepZoom(+1);
        break;
    case WindowCommand::ZoomOut:
        stepZoom(-1);
        break;
    case WindowCommand::Pause:
        togglePause();
        break;
    }
    return true;
}

void TForm1::chooseScale() {
    const skin::ConfigFile config = skin::ConfigFile::open(configPath_);
    deviceSize_ = QSize(config.readInt("Common", "GameWidth", 560),
                        config.readInt("Common", "GameHeight", 372));
    const QSize screen = screenRect().size();
    const ZoomChoice choice = chooseZoom(zoomRequest_, deviceSize_, screen, FullscreenOn);
    if (choice.clamped && !zoomClampTold_) {
        zoomClampTold_ = true;
        std::cerr << "zemblor: zoom " << zoomRequest_ << " does not fit the screen ("
                  << screen.width() << "x" << screen.height() << "); zoom " << choice.zoom
                  << " is used instead\n";
    }
    scale_ = choice.zoom;
}

void TForm1::stepZoom(int delta) {
    const int zoom = steppedZoom(scale_, delta, deviceSize_, screenRect().size());
    if (zoom == scale_) {
        return;
    }
    zoomRequest_ = zoom;
    device::setting::write(core_.settings(), device::setting::Zoom, zoom);
    closeGameMenu();
    const QPoint centre = geometry().center();
    LoadSkin();
    if (FullscreenOn || !isVisible()) {
        placeOnScreen();
        return;
    }
    // Windowed, the device grows or shrinks about its centre, kept on the screen.
    const QRect screen = screenRect();
    QPoint topLeft = centre - QPoint(width() / 2, height() / 2);
    topLeft.setX(std::clamp(topLeft.x(), screen.left(),
                            std::max(screen.left(), screen.right() + 1 - width())));
    topLeft.setY(std::clamp(topLeft.y(), screen.top(),
                            std::max(screen.top(), screen.bottom() + 1 - height())));
    move(topLeft);
}

void TForm1::togglePause() {
    core_.setPaused(!core_.isPaused());
    update(pausedMarkRect());
}

QRect TForm1::pausedMarkRect() const {
    const QRect device = toWidget(gameArea_);
    const QSize mark(96 * scale_, 28 * scale_);
    return QRect(device.center() - QPoint(mark.width() / 2, mark.height() / 2), mark);
}

// The legend sits in the backdrop's free space, never over the device, the logo or the game
// menu's button.
void TForm1::placeKeyLegend() {
    const QRect before = legendRect_;
    legendRect_ = QRect();
    legendText_ = QString::fromStdString(keyLegendText(core_.keyIndexes()));
    if (FullscreenOn) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(13 * scale_);
        const QSize text = QFontMetrics(font).size(Qt::TextSingleLine, legendText_) +
                           QSize(16 * scale_, 8 * scale_);
        const auto box = [](const QRect& r) {
            return skin::Box{r.left(), r.top(), r.width(), r.height()};
        };
        // The open game menu's rows are widgets over the window's paint: they cover it then.
        std::vector<skin::Box> taken = {box(toWidget(gameArea_)),
                                        box(toWidget(QRect(0, 0, 36, 32)))};
        const skin::Scene& scene = core_.scene();
        if (scene.isShown(skin::Component::im_backdrop_logo)) {
            const skin::Box logo = scene.box(skin::Component::im_backdrop_logo);
            taken.push_back(box(toWidget(QRect(logo.left, logo.top, logo.width, logo.height))));
        }
        const std::optional<skin::Box> place =
            keyLegendPlace(box(rect()), skin::Box{0, 0, text.width(), text.height()}, taken);
        legendRect_ = place ? QRect(place->left, place->top, place->width, place->height) : QRect();
    }
    update(before.united(legendRect_));
}

void TForm1::paintOverlays(QPainter& painter, const QRect& area) {
    const bool paused = core_.isPaused();
    if (!paused && !legendRect_.intersects(area)) {
        return;
    }
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Arial"));
    if (legendRect_.intersects(area)) {
        font.setPixelSize(13 * scale_);
        painter.setFont(font);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 150));
        painter.drawRoundedRect(legendRect_, 6 * scale_, 6 * scale_);
        painter.setPen(QColor(230, 230, 230));
        painter.drawText(legendRect_, Qt::AlignCenter, legendText_);
    }
    if (paused && pausedMarkRect().intersects(area)) {
        font.setPixelSize(16 * scale_);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(20, 20, 20, 210));
        painter.drawRoundedRect(pausedMarkRect(), 5 * scale_, 5 * scale_);
        painter.setPen(Qt::white);
        painter.drawText(pausedMarkRect(), Qt::AlignCenter, QStringLiteral("PAUSED"));
    }
    painter.restore();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // FormClose: the sound samples freed and the output closed. The settings store needs no
    // closing: every value was written when it changed.
    core_.releaseSound();
    event->accept();
    emit closed();
}

} // namespace app
