#include "app/recent_files.h"

#include "app/file_commands.h"
#include "app/main_window.h"
#include "app/user_settings.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace qmh4 {

namespace {

const QString ListKey = QStringLiteral("RecentFiles/Paths");

// "&3 /home/ham/radio.H4": the number is the entry's key; an "&" in a path shows as written.
QString entryCaption(int number, const QString& path) {
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}

} // namespace

RecentFiles::RecentFiles(MainWindow& window, QMenu* menu)
    : QObject(&window), window_(window), menu_(menu) {
    // The document names its file when one is opened or saved.
    connect(&window.document(), &RadioDocument::filePathChanged, this, [this](const QString& path) {
        if (!path.isEmpty())
            add(path);
    });
    rebuildMenu();
}

QStringList RecentFiles::paths() const {
    return userSettings().value(ListKey).toStringList().mid(0, Count);
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, Count));
}

void RecentFiles::open(const QString& path) {
    if (window_.transferRunning())
        return;
    if (!QFileInfo::exists(path)) {
        QStringList list = paths();
        list.removeAll(path);
        store(list);
        showMessage(&window_,
                    QStringLiteral("%1 no longer exists; it was removed from Recent Files.")
                        .arg(QDir::toNativeSeparators(path)),
                    QStringLiteral("Error"));
        return;
    }
    window_.fileCommands->openFileAt(path);
}

void RecentFiles::store(const QStringList& list) {
    userSettings().setValue(ListKey, list);
    rebuildMenu();
}

void RecentFiles::rebuildMenu() {
    // An entry may be the one whose trigger is running: it goes once that has returned.
    for (QAction* old : menu_->actions()) {
        menu_->removeAction(old);
        old->deleteLater();
    }
    const QStringList list = paths();
    for (int index = 0; index < list.size(); ++index) {
        const QString path = list.at(index);
        QAction* entry = menu_->addAction(entryCaption(index + 1, path));
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { open(path); });
    }
    menu_->setEnabled(!list.isEmpty());
}

} // namespace qmh4
