#include "app/qt/PrefixChooser.h"

#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "resources/Templates.h"
#include "settings/prefix/SettingsLocation.h"

namespace ravel {

int ChoosePrefixCandidate(const std::vector<prefix::FoundPrefix>& candidates) {
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Which Wine prefix? - ") +
                          QString::fromUtf8(kApplicationTitle));
    auto* text = new QLabel(
        QStringLiteral("The game's settings are in more than one Wine prefix. Which one does the "
                       "game you play use?"),
        &dialog);
    text->setWordWrap(true);
    auto* list = new QTreeWidget(&dialog);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Launcher"), QStringLiteral("Settings file"),
                           QStringLiteral("Last changed")});
    for (const prefix::FoundPrefix& candidate : candidates) {
        const QString launcher = QString::fromStdString(prefix::LauncherName(candidate));
        const QString changed = candidate.settingsModified
                                    ? QDateTime::fromSecsSinceEpoch(*candidate.settingsModified)
                                          .toString(QStringLiteral("yyyy-MM-dd hh:mm"))
                                    : QStringLiteral("no file yet");
        list->addTopLevelItem(new QTreeWidgetItem(
            {launcher, QString::fromStdString(candidate.settingsFile), changed}));
    }
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setCurrentItem(list->topLevelItem(0));
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
