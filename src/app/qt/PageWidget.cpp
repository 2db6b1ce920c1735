#include "app/qt/PageWidget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>

#include "app/qt/AutoRadioButton.h"

namespace ravel {
namespace {

constexpr uint32_t kListErrorValue = 0xFFFFFFFFu;  // CB_ERR read as an item value

QString Text(const char* text) {
    return QString::fromUtf8(text != nullptr ? text : "");
}

// Keys a capturing page still lets through: moving on, OK and Cancel keep working.
constexpr int kSheetKeys[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter,
                              Qt::Key_Escape};

bool SwallowsKey(int key) {
    return std::ranges::find(kSheetKeys, key) == std::end(kSheetKeys);
}

}  // namespace

PageWidget::PageWidget(const DialogTemplate& dialog, Page& page, const DialogUnits& units,
                       QWidget* sheet, bool capturesKeys, QWidget* parent)
    : QWidget(parent), dialog_(dialog), page_(page), sheet_(sheet), capturesKeys_(capturesKeys) {
    setObjectName(QString::number(dialog.id));
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { page_.OnTimer(); });
    Build(units);
    setFixedSize(units.X(dialog.width), units.Y(dialog.height));
}

void PageWidget::Build(const DialogUnits& units) {
    controls_.reserve(static_cast<size_t>(dialog_.controlCount));
    std::vector<int> radioGroups;
    int group = 0;
    for (int i = 0; i < dialog_.controlCount; ++i) {
        const ControlTemplate& control = dialog_.controls[i];
        if (control.groupStart && i > 0) {
            ++group;
        }
        QWidget* widget = MakeControl(control, units);
        controls_.push_back(ControlEntry{control.id, control.kind, widget});
        if (control.kind == ControlKind::RadioButton) {
            radios_.push_back(static_cast<AutoRadioButton*>(widget));
            radioGroups.push_back(group);
        }
    }
    // Each radio button learns the members of its group (template groups run
    // from one group start to the next, so the group numbers ascend).
    for (size_t i = 0; i < radios_.size(); ++i) {
        const auto first =
            std::ranges::lower_bound(radioGroups, radioGroups[i]) - radioGroups.begin();
        const auto members = std::ranges::count(radioGroups, radioGroups[i]);
        radios_[i]->SetGroup(radios_.data() + first, static_cast<int>(members));
    }
}

QWidget* PageWidget::MakeControl(const ControlTemplate& control, const DialogUnits& units) {
    const QRect rect = units.Rect(control.x, control.y, control.width, control.height);
    const QString caption = Text(control.caption);
    const int id = control.id;
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::GroupBox:
            widget = new QGroupBox(caption, this);
            break;
        case ControlKind::Label: {
            auto* label = new QLabel(caption, this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case ControlKind::RadioButton:
            widget = new AutoRadioButton(caption, this);
            break;
        case ControlKind::CheckBox:
            widget = new QCheckBox(caption, this);
            break;
        case ControlKind::PushButton: {
            auto* button = new QPushButton(caption, this);
            button->setAutoDefault(false);  // Enter belongs to the sheet's OK
            widget = button;
            break;
        }
        case ControlKind::DropDownList: {
            auto* list = new QComboBox(this);
            list->setEditable(false);
            // Only the user's choice is a selection change; a program's
            // setCurrentIndex emits no `activated`.
            connect(list, &QComboBox::activated, this,
                    [this, id] { page_.OnCommand(id, kCbnSelChange); });
            list->installEventFilter(this);
            list->view()->installEventFilter(this);
            // The template's height includes the dropped-down list.
            const int closed = list->sizeHint().height();
            const int row = list->view()->sizeHintForRow(0) > 0 ? list->view()->sizeHintForRow(0)
                                                                : units.baseY + 2;
            list->setMaxVisibleItems(qMax(1, (rect.height() - closed) / row));
            widget = list;
            widget->setGeometry(rect.x(), rect.y(), rect.width(), closed);
            break;
        }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, id] { page_.OnCommand(id, kBnClicked); });
    }
    if (control.kind == ControlKind::RadioButton || control.kind == ControlKind::CheckBox) {
        // Our check marks and font run a little wider than Windows'; a caption
        // is never cut, the templates leave room to the right of each one.
        widget->setGeometry(rect.x(), rect.y(), qMax(rect.width(), widget->sizeHint().width()),
                            rect.height());
    } else if (control.kind != ControlKind::DropDownList) {
        widget->setGeometry(rect);
    }
    if (control.kind == ControlKind::GroupBox || control.kind == ControlKind::Label) {
        widget->setFocusPolicy(Qt::NoFocus);
    } else {
        // Tab stops as the template has them; a radio button takes the focus
        // when clicked.
        widget->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (id != kNoControlId) {
        widget->setObjectName(QString::number(id));
    }
    return widget;
}

QWidget* PageWidget::Control(int id) const {
    if (id == kNoControlId) {
        return nullptr;
    }
    const auto found = std::ranges::find(controls_, id, &ControlEntry::id);
    return found != controls_.end() ? found->widget : nullptr;
}

QComboBox* PageWidget::List(int id) const {
    return qobject_cast<QComboBox*>(Control(id));
}

void PageWidget::CheckButton(int id, unsigned state) {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    if (button != nullptr && button->isCheckable()) {
        button->setChecked(state != kUnchecked);
    }
}

unsigned PageWidget::IsButtonChecked(int id) {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    return button != nullptr && button->isChecked() ? kChecked : kUnchecked;
}

void PageWidget::EnableControl(int id, bool enabled) {
    if (QWidget* widget = Control(id)) {
        widget->setEnabled(enabled);
    }
}

int PageWidget::ListAppend(int id, const char* text) {
    QComboBox* list = List(id);
    if (list == nullptr) {
        return 0;
    }
    const QSignalBlocker quiet(list);
    list->addItem(Text(text));
    return list->count() - 1;
}

void PageWidget::ListSetValue(int id, int index, uint32_t value) {
    QComboBox* list = List(id);
    if (list == nullptr || index < 0 || index >= list->count()) {
        return;
    }
    list->setItemData(index, QVariant::fromValue(value));
}

uint32_t PageWidget::ListValue(int id, int index) {
    QComboBox* list = List(id);
    if (list == nullptr) {
        return 0;
    }
    if (index < 0 || index >= list->count()) {
        return kListErrorValue;
    }
    return list->itemData(index).value<uint32_t>();
}

int PageWidget::ListSelection(int id) {
    QComboBox* list = List(id);
    if (list == nullptr) {
        return 0;
    }
    return list->currentIndex() >= 0 ? list->currentIndex() : kListError;
}

void PageWidget::ListSelect(int id, int index) {
    QComboBox* list = List(id);
    if (list == nullptr) {
        return;
    }
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

int PageWidget::ListSelectText(int id, const char* text) {
    QComboBox* list = List(id);
    if (list == nullptr) {
        return 0;
    }
    const QString prefix = Text(text);
    const int count = list->count();
    // From the entry after the start (0) to the end, then round to entry 0.
    for (int step = 1; step <= count; ++step) {
        const int index = step % count;
        if (list->itemText(index).startsWith(prefix, Qt::CaseInsensitive)) {
            const QSignalBlocker quiet(list);
            list->setCurrentIndex(index);
            return index;
        }
    }
    return kListError;
}

void PageWidget::ListCloseDropDown(int id) {
    if (QComboBox* list = List(id)) {
        list->hidePopup();
    }
}

int PageWidget::FocusedControl() {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        return 0;
    }
    for (const auto& control : controls_) {
        if (control.id == kNoControlId) {
            continue;
        }
        if (control.widget == focus) {
            return control.id;
        }
        // An open drop-down has the keyboard in its popup; the list still
        // counts as focused, as the dropped list does on Windows.
        if (control.kind == ControlKind::DropDownList) {
            QAbstractItemView* view = static_cast<QComboBox*>(control.widget)->view();
            if (view == focus || view->isAncestorOf(focus)) {
                return control.id;
            }
        }
    }
    return 0;
}

void PageWidget::NotifyChanged() {
    emit changed();
}

void PageWidget::StartCaptureTimer() {
    timer_.start(static_cast<int>(kCapturePeriodMs));
}

void PageWidget::StopCaptureTimer() {
    timer_.stop();
}

void PageWidget::LoadTableString(int id, char* text, int capacity) {
    CopyString(id, text, capacity);
}

void PageWidget::AddControlTooltip(int id, const char* text) {
    if (QWidget* widget = Control(id)) {
        // Plain text: line feeds break lines, nothing else wraps.
        widget->setToolTip(Text(text));
    }
}

NativeWindow PageWidget::SheetWindow() {
    return sheet_;
}

bool PageWidget::eventFilter(QObject* watched, QEvent* event) {
    // While keys are being captured, a focused list must not jump to a typed
    // letter, move with the arrows or open with Space / F4 / Alt+Down: the
    // key is the player's choice, recorded before this filter runs, and the
    // capture selects it.
    if (capturesKeys_ && timer_.isActive() && event->type() == QEvent::KeyPress &&
        SwallowsKey(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace ravel
