#include "app/qt/SheetDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ravel {
namespace {

// The property sheet's own buttons, in dialog units.
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kMargin = 7;

}  // namespace

SheetDialog::SheetDialog(const SheetPage (&pages)[kPageCount], const QFont& font, QWidget* parent)
    : QDialog(parent), units_(UnitsForFont(font)) {
    setFont(font);
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    // No context-help button in the caption.
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Tips show whether or not the sheet is the active window (TTS_ALWAYSTIP).
    setAttribute(Qt::WA_AlwaysShowToolTips);

    int width = 0;
    int height = 0;
    for (int i = 0; i < kPageCount; ++i) {
        pages_[i] = pages[i];
        width = qMax(width, units_.X(pages[i].dialog->width));
        height = qMax(height, units_.Y(pages[i].dialog->height));
    }

    tabs_ = new QTabWidget(this);
    for (int i = 0; i < kPageCount; ++i) {
        holders_[i] = new QWidget;
        holders_[i]->setFixedSize(width, height);
        tabs_->addTab(holders_[i], QString::fromUtf8(pages_[i].dialog->caption));
    }

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    apply_ = new QPushButton(QStringLiteral("Apply"), this);
    for (QPushButton* button : {ok_, cancel_, apply_}) {
        button->setFixedSize(units_.X(kButtonWidth),
                             qMax(units_.Y(kButtonHeight), button->sizeHint().height()));
        button->setAutoDefault(false);
        button->setObjectName(button->text());
    }
    ok_->setDefault(true);
    apply_->setEnabled(false);
    connect(ok_, &QPushButton::clicked, this, &SheetDialog::OnOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, [this] { Apply(false); });

    fileLine_ = new QLabel(this);
    fileLine_->setObjectName(QStringLiteral("fileLine"));
    fileLine_->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fileLine_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(apply_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units_.X(kMargin), units_.Y(kMargin), units_.X(kMargin),
                               units_.Y(kMargin));
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    CreatePage(0);
    connect(tabs_, &QTabWidget::currentChanged, this, &SheetDialog::OnTabChanged);
}

void SheetDialog::ShowFileLine(const QString& place, const QString& details) {
    // Beside the buttons, so the sheet keeps its size: the place first, so
    // that prefixes tell apart however much is cut; the file and why it is
    // that one in the tooltip.
    const int room = holders_[0]->width() - 3 * (ok_->width() + units_.X(kMargin));
    fileLine_->setText(fileLine_->fontMetrics().elidedText(place, Qt::ElideRight, qMax(room, 0)));
    fileLine_->setToolTip(details);
    fileLine_->show();
}

void SheetDialog::CreatePage(int index) {
    auto* widget = new PageWidget(*pages_[index].dialog, *pages_[index].page, units_, this,
                                  pages_[index].page->CapturesKeys(), holders_[index]);
    widgets_[index] = widget;
    connect(widget, &PageWidget::changed, this, [this] { apply_->setEnabled(true); });
    widget->show();
    if (!isVisible()) {
        // The first page's initialisation may wait for the start-up
        // questions: meanwhile the window is made ready to be shown.
        ensurePolished();
        layout()->activate();
        winId();
    }
    pages_[index].page->OnInitDialog(*widget);
}

void SheetDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (active_ < 0) {
        active_ = tabs_->currentIndex();
        pages_[active_].page->OnNotify(kPsnSetActive);
    }
}

void SheetDialog::OnTabChanged(int index) {
    if (index < 0 || index == active_) {
        return;
    }
    // A page may refuse to be left (non-zero answer), as on Windows.
    if (active_ >= 0 && pages_[active_].page->OnNotify(kPsnKillActive) != 0) {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(active_);
        return;
    }
    if (widgets_[index] == nullptr) {
        CreatePage(index);
    }
    active_ = index;
    pages_[index].page->OnNotify(kPsnSetActive);
}

// As the Windows sheet does: the active page is first told it is left (and
// may refuse), every created page then applies in page order. After the
// Apply button, or after a page's apply failed and the sheet stays open, the
// active page is activated again, so that its capture goes on.
bool SheetDialog::Apply(bool closing) {
    if (active_ >= 0 && pages_[active_].page->OnNotify(kPsnKillActive) != 0) {
        return false;
    }
    bool applied = true;
    for (int i = 0; i < kPageCount && applied; ++i) {
        applied = widgets_[i] == nullptr || pages_[i].page->OnNotify(kPsnApply) == 0;
    }
    if (applied) {
        apply_->setEnabled(false);
    }
    if ((!closing || !applied) && active_ >= 0) {
        pages_[active_].page->OnNotify(kPsnSetActive);
    }
    return applied;
}

void SheetDialog::OnOk() {
    if (Apply(true)) {
        accept();
    }
}

}  // namespace ravel
