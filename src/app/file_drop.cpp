#include "app/file_drop.h"

#include "app/file_commands.h"
#include "app/file_messages.h"
#include "app/main_window.h"
#include "files/common_csv_layout.h"
#include "font/font_file.h"
#include "messages/file_outcome_text.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace qmh4 {

namespace {

// Enough for any header line; the import itself reads the whole file.
constexpr qint64 HeaderBytes = 64 * 1024;

QByteArray fileHead(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(HeaderBytes) : QByteArray();
}

void loadFontIntoGlyphs(MainWindow& window, const QString& path) {
    GlyphSet glyphs = window.document().glyphs().glyphs();
    const FontFileResult result = loadFontFile(path, glyphs);
    if (result.ok())
        window.document().editGlyphs(QStringLiteral("Load Font File"),
                                     [&](GlyphStore& store) { store.setGlyphs(glyphs); });
    showMessageText(&window, fontFileText(result));
}

bool isTakenSuffix(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toUpper();
    return suffix == QLatin1String("H4") || suffix == QLatin1String("CSV") ||
           suffix == QLatin1String(FontFileExtension);
}

} // namespace

void openGivenFile(MainWindow& window, const QString& given) {
    if (window.transferRunning())
        return;
    // Absolute, so that "Save to Current File" finds it whatever the working folder.
    const QString path = QFileInfo(given).absoluteFilePath();
    const QString suffix = QFileInfo(path).suffix().toUpper();
    if (suffix == QLatin1String(FontFileExtension))
        loadFontIntoGlyphs(window, path);
    else if (suffix != QLatin1String("CSV"))
        window.fileCommands->openFileAt(path);
    else if (isCommonLayoutHeader(fileHead(path)))
        window.fileCommands->importChannelListAt(path);
    else
        window.fileCommands->importCsvAt(path);
}

FileDrop::FileDrop(MainWindow& window) : QObject(&window), window_(window) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

QString FileDrop::droppedFile(const QList<QUrl>& urls) {
    for (const QUrl& url : urls)
        if (url.isLocalFile() && isTakenSuffix(url.toLocalFile()))
            return url.toLocalFile();
    return {};
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = drop->mimeData() ? droppedFile(drop->mimeData()->urls()) : QString();
    if (path.isEmpty() || window_.transferRunning()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, path] { openGivenFile(window_, path); }, Qt::QueuedConnection);
    return true;
}

} // namespace qmh4
