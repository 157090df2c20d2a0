#pragma once

#include <array>

#include "dialogs/dialog_frame.h"
#include "dialogs/keys_host.h"
#include "dialogs/keys_logic.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace dialogs {

// The key settings dialog: one list of the 44 keys per device button, conflicting buttons'
// names in red, and Accept, which stores the choice. Created once, shown and hidden after;
// the caller disables the main window when it opens the dialog, every way out enables it.
class TKeysForm : public DialogFrame {
    Q_OBJECT

public:
    explicit TKeysForm(KeysHost& host, QWidget* parent = nullptr);

    // Fills the lists and selects the stored bindings; once, after they are loaded.
    void FormCreate();
    // Shows the dialog centred on the primary screen, its lists on the bindings in force.
    void open();

    // True when two lists show the same key; their labels turn red, all others white.
    bool CheckKeys();
    void cbChange();
    void btn_acceptClick();
    bool acceptEnabled() const;

protected:
    void leave() override;
    void confirm() override;
    bool confirmAvailable() const override;
    QWidget* firstFocus() const override;

private:
    void showBindingsInForce();
    KeySelections selections() const;

    KeysLogic logic_;

    QLabel* la_main;
    QLabel* la_controls;
    // List n, label n and binding slot n belong together.
    std::array<QComboBox*, device::kBindingCount> lists_{};
    std::array<QLabel*, device::kBindingCount> labels_{};
    QPushButton* btn_accept;
};

} // namespace dialogs
