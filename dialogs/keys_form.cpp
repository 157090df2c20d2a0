#include "dialogs/keys_form.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace dialogs {
namespace {

constexpr int kWidth = 448;
constexpr int kHeight = 163;

struct SlotPlace {
    const char* listName;
    QRect listBox;
    const char* labelName;
    QRect labelBox;
    const char* text;
    Qt::Alignment alignment;
};

// GAME A, GAME B and TIME down the left, LEFT and RIGHT on the right, names facing their lists.
const std::array<SlotPlace, device::kBindingCount> kSlots = {{
    {"cb_1", {8, 29, 120, 21}, "la_1", {136, 33, 72, 14}, "Game A", Qt::AlignLeft},
    {"cb_2", {8, 61, 120, 21}, "la_2", {136, 65, 72, 14}, "Game B", Qt::AlignLeft},
    {"cb_3", {8, 93, 120, 21}, "la_3", {136, 97, 72, 14}, "Time", Qt::AlignLeft},
    {"cb_4", {320, 29, 120, 21}, "la_4", {240, 33, 72, 14}, "Left", Qt::AlignRight},
    {"cb_5", {320, 61, 120, 21}, "la_5", {240, 65, 72, 14}, "Right", Qt::AlignRight},
}};

template <typename Widget> Widget* named(Widget* widget, const char* name, const QRect& box) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(box);
    return widget;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    widget->setPalette(colours);
}

QLabel* label(QWidget* parent, const char* name, const QRect& box, const char* text,
              Qt::Alignment alignment, bool underline) {
    auto* made = named(new QLabel(QString::fromLatin1(text), parent), name, box);
    QFont font = made->font();
    font.setBold(true);
    font.setUnderline(underline);
    made->setFont(font);
    made->setAlignment(alignment | Qt::AlignVCenter);
    setTextColour(made, Qt::white);
    return made;
}

} // namespace

TKeysForm::TKeysForm(KeysHost& host, QWidget* parent)
    : DialogFrame({QStringLiteral("KeysForm"), QStringLiteral("Key settings"),
                   QSize(kWidth, kHeight), kDialogBlue, kKeySettingsKeys},
                  parent),
      logic_(host) {
    la_main = label(this, "la_main", {8, 8, 104, 13}, "Main operations", Qt::AlignLeft, true);
    la_controls =
        label(this, "la_controls", {336, 8, 104, 13}, "Game controls", Qt::AlignRight, true);
    for (std::size_t slot = 0; slot < kSlots.size(); ++slot) {
        const SlotPlace& place = kSlots[slot];
        lists_[slot] = named(new QComboBox(this), place.listName, place.listBox);
        labels_[slot] =
            label(this, place.labelName, place.labelBox, place.text, place.alignment, false);
        connect(lists_[slot], &QComboBox::currentIndexChanged, this, &TKeysForm::cbChange);
    }

    btn_accept = named(new QPushButton(QStringLiteral("- ACCEPT -"), this), "btn_accept",
                       {183, 130, 82, 25});
    QFont bold = btn_accept->font();
    bold.setBold(true);
    btn_accept->setFont(bold);
    btn_accept->setCursor(Qt::PointingHandCursor);
    connect(btn_accept, &QPushButton::clicked, this, &TKeysForm::btn_acceptClick);

    for (std::size_t slot = 1; slot < lists_.size(); ++slot) {
        setTabOrder(lists_[slot - 1], lists_[slot]);
    }
    setTabOrder(lists_.back(), btn_accept);
}

void TKeysForm::FormCreate() {
    for (std::size_t slot = 0; slot < lists_.size(); ++slot) {
        QComboBox* list = lists_[slot];
        const QSignalBlocker quiet(list);
        list->clear();
        for (const device::KeyRow& row : device::keyTable()) {
            list->addItem(QString::fromLatin1(row.listText.data(),
                                              static_cast<qsizetype>(row.listText.size())));
        }
    }
    showBindingsInForce();
}

void TKeysForm::showBindingsInForce() {
    const KeySelections stored = logic_.storedSelections();
    for (std::size_t slot = 0; slot < lists_.size(); ++slot) {
        const QSignalBlocker quiet(lists_[slot]);
        lists_[slot]->setCurrentIndex(stored[slot]);
    }
    cbChange();
}

// Choices abandoned with Escape are not shown again: a later Accept would store them unseen.
void TKeysForm::open() {
    showBindingsInForce();
    centre(Anchor::ClientArea);
    bringForward();
}

bool TKeysForm::CheckKeys() {
    const KeyCheck check = dialogs::CheckKeys(selections());
    for (std::size_t slot = 0; slot < labels_.size(); ++slot) {
        setTextColour(labels_[slot], check.inConflict[slot] ? Qt::red : Qt::white);
    }
    return check.anyConflict;
}

void TKeysForm::cbChange() {
    btn_accept->setEnabled(!CheckKeys());
}

void TKeysForm::btn_acceptClick() {
    if (logic_.accept(selections())) {
        hide();
    }
}

bool TKeysForm::acceptEnabled() const {
    return btn_accept->isEnabled();
}

void TKeysForm::confirm() {
    btn_acceptClick();
}

bool TKeysForm::confirmAvailable() const {
    return acceptEnabled();
}

QWidget* TKeysForm::firstFocus() const {
    return lists_.front();
}

// Escape, or a close request from a window manager: there is no close box, but one may ask.
void TKeysForm::leave() {
    logic_.leave();
    hide();
}

KeySelections TKeysForm::selections() const {
    KeySelections chosen{};
    for (std::size_t slot = 0; slot < lists_.size(); ++slot) {
        chosen[slot] = lists_[slot]->currentIndex();
    }
    return chosen;
}

} // namespace dialogs
