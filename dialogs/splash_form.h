#pragma once

#include "device/ports.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/splash_host.h"
#include "dialogs/splash_logic.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace dialogs {

class LinkLabel;
class PictureButton;

// The start-up splash dialog: title, sound driver choice, the author's links and the
// "splash at startup" switch. Its Play starts sound and hands over to the main window; its
// Escape ends the program. Created once, hidden by Play, never shown again in the run.
class TSplashForm : public DialogFrame {
    Q_OBJECT

public:
    TSplashForm(device::Settings& settings, SplashHost& host, QWidget* parent = nullptr);

    // Reads the stored choices, then either plays at once unseen (driver chosen before,
    // splash switched off) or shows the dialog centred on the primary screen.
    void FormCreate();

    // The check box, which the context menu takes as its splash default.
    bool splashChecked() const;
    // True until the dialog is first brought up by the main window or skipped.
    bool splashPending() const { return splashPending_; }
    void clearSplashPending() { splashPending_ = false; }

    void btn_playClick();
    void cb_soundChange();

protected:
    void leave() override;
    void confirm() override;
    bool confirmAvailable() const override;
    QWidget* firstFocus() const override;

private:
    void la_website_2Click();
    void la_email_2Click();
    void btn_paypalClick();
    int selectedDriver() const;

    SplashLogic logic_;
    bool splashPending_ = true;

    QLabel* im_background;
    QLabel* im_box_picture;
    QLabel* la_game_title;
    QLabel* la_version;
    QLabel* la_release_date;
    QLabel* la_website_1;
    LinkLabel* la_website_2;
    QLabel* la_email_1;
    LinkLabel* la_email_2;
    QLabel* la_sound_select;
    QComboBox* cb_sound;
    PictureButton* btn_play;
    QLabel* btn_play_disabled;
    PictureButton* btn_paypal;
    QCheckBox* chb_splashscreen;
};

} // namespace dialogs
