// The modal three-page sheet: tabs in page order, OK / Cancel / Apply. It
// only translates: a page is created (and initialised) the first time its
// tab is shown, tab switches are PSN_KILLACTIVE / PSN_SETACTIVE, OK and Apply
// send PSN_APPLY to every created page in page order, a page's notification
// enables Apply. Cancel and the close box send nothing.
#pragma once

#include <QDialog>

#include "app/EditorPages.h"
#include "app/qt/DialogUnits.h"
#include "app/qt/PageWidget.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace ravel {

class SheetDialog final : public QDialog {
    Q_OBJECT

  public:
    // Creates and initialises the first page at once: its initialisation is
    // the program's start-up.
    SheetDialog(const SheetPage (&pages)[kPageCount], const QFont& font, QWidget* parent = nullptr);

    // A line beside the buttons naming where the edited file lies, with
    // `details` (the file, why that one) as its tooltip.
    void ShowFileLine(const QString& place, const QString& details);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CreatePage(int index);
    void OnTabChanged(int index);
    bool Apply(bool closing);
    void OnOk();

    SheetPage pages_[kPageCount];
    DialogUnits units_;
    QTabWidget* tabs_ = nullptr;
    QWidget* holders_[kPageCount] = {};
    PageWidget* widgets_[kPageCount] = {};
    QLabel* fileLine_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    int active_ = -1;
};

}  // namespace ravel
