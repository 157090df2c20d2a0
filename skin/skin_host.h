#pragma once

#include <optional>
#include <string>

#include <QColor>
#include <QSize>

namespace skin {

// What the skin loader needs from the window it lays out and from the program.
class SkinHost {
public:
    virtual ~SkinHost() = default;
    virtual QSize screenSize() const = 0;
    virtual void setClientSize(QSize size) = 0;
    virtual void setBackgroundColour(QColor colour) = 0;
    // Window pixels of exactly this colour are see-through; nothing: no colour key.
    virtual void setColourKey(std::optional<QColor> key) = 0;
    // An error message box: caption "Error", error icon, one OK button.
    virtual void showError(const std::string& text) = 0;
    virtual void requestTerminate() = 0;
    // A picture that exists but cannot be shown; the load goes on with a placeholder.
    virtual void pictureError(const std::string& text) = 0;
};

// Lays out for a screen of a given size and does nothing with what it is told: for runs
// without a window (benchmarks, fuzzing).
class QuietSkinHost : public SkinHost {
public:
    explicit QuietSkinHost(QSize screen) : screen_(screen) {}
    QSize screenSize() const override { return screen_; }
    void setClientSize(QSize) override {}
    void setBackgroundColour(QColor) override {}
    void setColourKey(std::optional<QColor>) override {}
    void showError(const std::string&) override {}
    void requestTerminate() override {}
    void pictureError(const std::string&) override {}

private:
    QSize screen_;
};

} // namespace skin
