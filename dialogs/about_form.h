#pragma once

#include "dialogs/dialog_frame.h"

class QLabel;

namespace dialogs {

class LinkLabel;

// The about box: a picture beside the project's particulars and its two links. Not modal,
// above every other window, one window for the whole run.
class TAboutForm : public DialogFrame {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);

    // Shows the box, centred the first time; while shown it is only brought forward.
    void open();

    void la_website_2Click();
    void la_email_2Click();

protected:
    void leave() override;

private:
    bool placed_ = false;

    QLabel* im_picture;
    QLabel* la_name_1;
    QLabel* la_name_2;
    QLabel* la_birthplace_1;
    QLabel* la_birthplace_2;
    QLabel* la_birthdate_1;
    QLabel* la_birthdate_2;
    QLabel* la_job_1;
    QLabel* la_job_2;
    QLabel* la_hobby_1;
    QLabel* la_hobby_2;
    QLabel* la_website_1;
    LinkLabel* la_website_2;
    QLabel* la_email_1;
    LinkLabel* la_email_2;
};

} // namespace dialogs
