#include "app/qt/PrefixChooser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "resources/Templates.h"
#include "settings/prefix/SettingsLocation.h"

namespace ravel {

int ChoosePrefixCandidate(const std::vector<prefix::FoundPrefix>& candidates,
                          const std::string& current) {
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Which Wine prefix? - ") +
                          QString::fromUtf8(kApplicationTitle));
    auto* text = new QLabel(
        QStringLiteral("The game's settings are in more than one Wine prefix. Which one does the "
                       "game you play use?"),
        &dialog);
    text->setWordWrap(true);
    auto* list = new QTreeWidget(&dialog);
    list->setObjectName(QStringLiteral("candidates"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Launcher"), QStringLiteral("Settings file"),
                           QStringLiteral("Last changed")});
    for (const prefix::FoundPrefix& candidate : candidates) {
        const bool picked = !current.empty() && candidate.path == current;
        const QString launcher = QString::fromStdString(prefix::LauncherName(candidate)) +
                                 (picked ? QStringLiteral(" (current pick)") : QString());
        const QString file = QString::fromStdString(candidate.settingsFile);
        auto* item = new QTreeWidgetItem(
            {launcher, file,
             QString::fromStdString(prefix::LastChangeText(candidate.settingsModified))});
        // Whole paths on hover: the column may cut them.
        item->setToolTip(0, QString::fromStdString(candidate.path));
        item->setToolTip(1, file);
        QFont font = item->font(0);
        font.setBold(picked);
        for (int column = 0; column < 3; ++column) {
            item->setFont(column, font);
        }
        list->addTopLevelItem(item);
        if (picked || list->currentItem() == nullptr) {
            list->setCurrentItem(item);
        }
    }
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(760, 300);
    if (dialog.exec() != QDialog::Accepted || list->currentItem() == nullptr) {
        return -1;
    }
    return list->indexOfTopLevelItem(list->currentItem());
}

}  // namespace ravel
