#pragma once

#include <QObject>
#include <QStringList>

class QMenu;

namespace qmh4 {

class MainWindow;

// The File menu's "Recent Files": the data files last opened or saved, newest first, kept in
// the user's settings across runs. Choosing one opens it like "Open(&O)"; a file that is gone
// is dropped from the list with a box saying so.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int Count = 8;

    RecentFiles(MainWindow& window, QMenu* menu);

    QStringList paths() const;
    // Puts `path` first; the oldest beyond Count go.
    void add(const QString& path);
    void open(const QString& path);

private:
    void store(const QStringList& paths);
    void rebuildMenu();

    MainWindow& window_;
    QMenu* menu_;
};

} // namespace qmh4
