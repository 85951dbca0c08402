#pragma once

#include <QObject>
#include <QString>

namespace qmh4 {

class MainWindow;

// Opens a file given from outside the File menu's dialogs (dropped on the window, named on the
// command line) by its extension: a font file (.FH4) loads into the working glyphs, a CSV file
// is imported (a channel list of the common tools when its header says so, else the program's
// own layout), anything else opens as a data file. Nothing happens while a transfer runs.
void openGivenFile(MainWindow& window, const QString& path);

// Lets the main window take one .H4, .CSV or .FH4 file dropped on it. The file is opened once
// the drop has finished, so that no box holds up the program the file was dragged from.
class FileDrop : public QObject {
    Q_OBJECT
public:
    explicit FileDrop(MainWindow& window);

    // The first local file of a drop that the window takes; empty for none.
    static QString droppedFile(const QList<QUrl>& urls);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& window_;
};

} // namespace qmh4
