#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QWidget>

class QKeyEvent;
class QPainter;
#include "app/core_controller.h"
#include "app/main_menu.h"
#include "app/window_keys.h"
#include "shell/key_tracker.h"
#include "skin/skin_host.h"

namespace app {

// The device's window: frameless, painted from the skin scene, device-shaped (pixels of the
// skin's key colour see-through and click-through) or covering the whole screen. It turns
// keys and clicks into device input and drags itself in the windowed layout.
class TForm1 : public QWidget, private skin::SkinHost {
    Q_OBJECT

public:
    // `zoom`: the command line's choice, over the stored one.
    TForm1(CoreController& core, std::string configPath, std::optional<int> zoom = std::nullopt,
           QWidget* parent = nullptr);

    // The creation steps: title, full-screen choice, skin, the device's start-up.
    void FormCreate();
    // Play: the window is centred on the screen (or covers it) and shown.
    void showDevice();
    bool fullscreenOn() const { return FullscreenOn; }
    bool gameMenuOpen() const { return GameMenuOpen; }
    // The context menu, whose actions the in-window game menu's rows show and trigger.
    void setMenu(MainMenu* menu) { menu_ = menu; }

    // The full-screen toggle: the other layout, laid out anew from the skin and centred; the
    // device and its timers are not touched.
    void toggleFullscreen();
    // The in-window game menu's button: opens or closes the rows.
    void btn_game_menu_topClick();
    // Closes the in-window game menu if it is open.
    void closeGameMenu();
    // Paint and hit-test scale: one image pixel is `scale` screen pixels.
    int scale() const { return scale_; }
    // The + and - keys: one zoom step, kept within what fits the screen, stored.
    void stepZoom(int delta);
    // The Pause key: freezes the device or resumes it; a mark shows while it is paused.
    void togglePause();
    // Where the full-screen legend of the keys is drawn, in window pixels (empty: not shown).
    QRect keyLegendRect() const { return legendRect_; }

signals:
    // A right click: the context menu is to open at this screen position.
    void contextMenuRequested(QPoint globalPos);
    // The skin could not be loaded; the program ends once the event loop runs.
    void terminateRequested();
    // A close request was handled (FormClose): sound released; the program ends.
    void closed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // skin::SkinHost
    QSize screenSize() const override;
    QRect screenRect() const;
    void setClientSize(QSize size) override;
    void setBackgroundColour(QColor) override {}
    void setColourKey(std::optional<QColor>) override {}
    void showError(const std::string& text) override;
    void requestTerminate() override { emit terminateRequested(); }
    void pictureError(const std::string& text) override;

    void LoadSkin();
    void Vid_Display_Game_Menu();
    void setMenuBackgroundBox(int width, int height);
    void redraw(const QRect& dirty);
    void applyShape();
    void placeOnScreen();
    void chooseScale();
    void placeKeyLegend();
    void paintOverlays(QPainter& painter, const QRect& area);
    QRect pausedMarkRect() const;
    // A key of the window's own (menu shortcut, zoom, pause): run on its first press; true
    // when the key goes no further.
    bool windowKey(const QKeyEvent& key);
    void updatePointer(QPoint clientPos);
    QPoint clientPoint(QPointF widgetPos) const;
    QRect toWidget(const QRect& client) const;

    CoreController& core_;
    std::string configPath_;
    bool FullscreenOn = true;
    bool GameMenuOpen = false;
    std::optional<int> zoomOption_;
    int zoomRequest_ = 0; // 0: the best fit
    bool zoomClampTold_ = false;
    QSize deviceSize_{560, 372};
    QRect gameArea_;
    int scale_ = 1;
    MainMenu* menu_ = nullptr;
    std::vector<QWidget*> gameMenuRows_;
    bool menuButtonPressed_ = false;

    QImage frame_;             // the scene as shown, composed over the background colour
    skin::WindowCut cut_;      // its pixels of the key colour: cut from the windowed layout's shape
    bool translucent_ = false; // a compositor draws the window: cut pixels are at alpha 0 too
    shell::KeyTracker keys_;
    FirstPresses windowKeys_;
    QString legendText_;
    QRect legendRect_;
    std::optional<device::Button> pressedButton_;
    bool dragging_ = false;
    QPoint windowAtPress_;
    QPoint pointerAtPress_;
};

} // namespace app
