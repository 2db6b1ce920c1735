// One page of the sheet: the controls of a dialog template placed in dialog
// units, and the page-window operations the page models call. Qt's events
// become the page's messages: a click is a command with BN_CLICKED, a user's
// list choice a command with CBN_SELCHANGE, the capture timer's tick a timer
// message.
#pragma once

#include <QTimer>
#include <QWidget>

#include <vector>

#include "pages/Dialog.h"
#include "app/qt/DialogUnits.h"
#include "pages/Page.h"
#include "resources/Templates.h"

class QComboBox;

namespace ravel {

class AutoRadioButton;

class PageWidget final : public QWidget, public Dialog {
    Q_OBJECT

  public:
    // `capturesKeys`: the page assigns keys by pressing them, so while its
    // capture timer runs a focused list must not act on keys itself.
    PageWidget(const DialogTemplate& dialog, Page& page, const DialogUnits& units, QWidget* sheet,
               bool capturesKeys, QWidget* parent);

    // Dialog.
    void CheckButton(int id, unsigned state) override;
    unsigned IsButtonChecked(int id) override;
    void EnableControl(int id, bool enabled) override;
    int ListAppend(int id, const char* text) override;
    void ListSetValue(int id, int index, uint32_t value) override;
    uint32_t ListValue(int id, int index) override;
    int ListSelection(int id) override;
    void ListSelect(int id, int index) override;
    int ListSelectText(int id, const char* text) override;
    void ListCloseDropDown(int id) override;
    int FocusedControl() override;
    void NotifyChanged() override;
    void StartCaptureTimer() override;
    void StopCaptureTimer() override;
    void LoadTableString(int id, char* text, int capacity) override;
    void AddControlTooltip(int id, const char* text) override;
    NativeWindow SheetWindow() override;

    // The control with this identifier, or nullptr.
    QWidget* Control(int id) const;

  signals:
    void changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct ControlEntry {
        int id;
        ControlKind kind;
        QWidget* widget;
    };

    void Build(const DialogUnits& units);
    QWidget* MakeControl(const ControlTemplate& control, const DialogUnits& units);
    QComboBox* List(int id) const;

    const DialogTemplate& dialog_;
    Page& page_;
    QWidget* sheet_;
    bool capturesKeys_;
    QTimer timer_;
    std::vector<ControlEntry> controls_;
    std::vector<AutoRadioButton*> radios_;  // in template order, grouped
};

}  // namespace ravel
