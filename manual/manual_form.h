#pragma once

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "manual/manual_buttons.h"
#include "manual/manual_loader.h"
#include "manual/manual_pager.h"
#include "shell/key_tracker.h"

namespace manual {

// The manual viewer: a small borderless window, always on top, that shows the picture
// book's pages one at a time. Created once at start (the pages load then), shown by "View
// manual" and only hidden by its close button or Escape, so it keeps its page and place.
class TManualForm : public QWidget {
    Q_OBJECT

public:
    explicit TManualForm(const std::string& configPath, QWidget* parent = nullptr);

    // "View manual": the first time centred on the screen, later where it was left. When
    // already shown it only comes to the front; the page stays.
    void open();
    int page() const { return pager_.page(); }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool keyPressed(const QKeyEvent& key);
    void keyReleased(const QKeyEvent& key);
    void keyboardLost();
    void FormKeyDown(std::uint16_t virtualKey);
    void FormKeyUp(std::uint16_t virtualKey);
    void apply(ManualOutcome outcome);
    const QImage& buttonPicture(ManualButton b, bool pressed) const;

    std::string configPath_;
    Manual manual_;
    ManualPager pager_;
    ManualDrag drag_;
    shell::KeyTracker keys_;
    // Indexed by ManualButton, then pressed.
    std::array<std::array<QImage, 2>, 3> buttonPictures_;
    std::optional<ManualButton> pressedButton_;
    bool dragging_ = false;
    bool centreAtFirstShow_ = true;
};

} // namespace manual
