#include "messages/file_outcome_text.h"

#include "editing/grid_editing.h"
#include "files/text_file.h"

#include <QDir>

#include <array>

namespace qmh4 {

namespace {

struct Wording {
    const char* text;
    const char* title;
};

// By FileKind, then by FileEvent (Written, WriteFailed, Read, Refused). A failed write adds the
// system's reason as a line of its own, a read what it passed over. The channel list's read
// is its report; the settings file says nothing but a failed write.
constexpr std::array<std::array<Wording, 4>, 4> Words{{
    {{{"Save File", "Finish"},
      {"Save File Error", "Error"},
      {"Read File", "Finish"},
      {"This File don't Open", "Error"}}},
    {{{"Save File", "Finish"},
      {"Save File Error", " Error"},
      {"Inport CSV File", " Finish"},
      {"CSV File Error", " Error"}}},
    {{{"Save File", "Finish"},
      {"Save File Error", " Error"},
      {"", " Finish"},
      {"CSV File Error", " Error"}}},
    {{{"", ""}, {"Save File Error", "Error"}, {"", ""}, {"", ""}}},
}};

// What a read passed over, by FileKind.
constexpr std::array<const char*, 4> PassedOverWords{
    "Lines skipped: ", "Rows emptied for invalid values: ", "", ""};

QString remarkList(const QList<ChannelListRemark>& remarks) {
    constexpr int Shown = 20;
    QStringList parts;
    for (qsizetype i = 0; i < remarks.size() && i < Shown; ++i)
        parts.append(QStringLiteral("line %1 (%2)").arg(remarks[i].line).arg(remarks[i].text));
    if (remarks.size() > Shown)
        parts.append(QStringLiteral("…"));
    return parts.join(QStringLiteral(", "));
}

} // namespace

MessageText fileOutcomeText(const FileOutcome& outcome) {
    const auto kind = static_cast<size_t>(outcome.file);
    const Wording words = Words.at(kind).at(static_cast<size_t>(outcome.event));
    QStringList lines{QString::fromUtf8(words.text)};
    if (outcome.event == FileEvent::WriteFailed) {
        if (outcome.file == FileKind::Settings)
            lines.append(outcome.path);
        lines.append(outcome.error);
    } else if (outcome.event == FileEvent::Read && outcome.file == FileKind::ChannelList) {
        lines = channelListReport(outcome.channelList);
    } else if (outcome.event == FileEvent::Read && !outcome.passedOver.isEmpty()) {
        lines.append(QString::fromUtf8(PassedOverWords.at(kind)) + numberList(outcome.passedOver));
    }
    return {lines.join(QLatin1Char('\n')), QString::fromUtf8(words.title)};
}

QString channelListSummary(const ChannelListImport& import) {
    const int imported = import.imported;
    QString text = QStringLiteral("Imported %1 channel%2")
                       .arg(imported)
                       .arg(imported == 1 ? QString() : QStringLiteral("s"));
    if (imported == 1)
        text += QStringLiteral(" into row %1").arg(import.firstRow);
    else if (imported > 1)
        text += QStringLiteral(" into rows %1–%2").arg(import.firstRow).arg(import.lastRow);
    if (!import.skipped.isEmpty())
        text += QStringLiteral("; skipped %1: %2")
                    .arg(import.skipped.size())
                    .arg(remarkList(import.skipped));
    return text;
}

QStringList channelListReport(const ChannelListImport& import) {
    QStringList lines;
    for (const ChannelListRemark& remark : import.adjusted)
        lines.append(QStringLiteral("line %1: %2").arg(remark.line).arg(remark.text));
    lines.append(channelListSummary(import));
    return lines;
}

MessageText fontFileText(const FontFileResult& result) {
    const QString& path = result.path;
    const auto failure = [](const QString& text) {
        return MessageText{text, QStringLiteral(" Error")};
    };
    switch (result.event) {
    case FontFileEvent::Saved:
        return {QStringLiteral("Save File"), QStringLiteral(" Finish")};
    case FontFileEvent::Loaded:
        return {QStringLiteral("Read Font File"), QStringLiteral(" Finish")};
    case FontFileEvent::NotFontName:
        return failure(QStringLiteral("This File don't Open"));
    case FontFileEvent::OpenFailed:
        return failure(QStringLiteral("Cannot open %1: %2").arg(path, result.reason));
    case FontFileEvent::TooLarge:
        return failure(QStringLiteral("%1 is too large to be a font file").arg(path));
    case FontFileEvent::ReadFailed:
        return failure(QStringLiteral("Cannot read %1: %2").arg(path, result.reason));
    case FontFileEvent::SaveFailed:
        break;
    }
    return failure(QStringLiteral("Cannot save %1: %2").arg(path, result.reason));
}

QString backupFailureText(const BackupResult& result) {
    switch (result.fault) {
    case BackupFault::FolderNotCreated:
        return QStringLiteral("cannot create %1").arg(QDir::toNativeSeparators(result.folder));
    case BackupFault::FontNotSaved:
        return fontFileText({FontFileEvent::SaveFailed, result.fontPath, result.reason, 0}).text;
    case BackupFault::DataNotSaved:
    case BackupFault::None:
        break;
    }
    return result.reason;
}

QString pasteNotice(const PasteReport& report) {
    if (report.isEmpty())
        return QStringLiteral("Nothing was pasted");
    QString text = QStringLiteral("Pasted ") + rowsCaption(report.rows.first, report.rows.last);
    if (!report.refusedRows.isEmpty())
        text += QStringLiteral("; rows not pasted for invalid values: ") +
                numberList(report.refusedRows);
    if (!report.overlapRows.isEmpty())
        text += QStringLiteral("; rows not pasted for overlapping pass frequencies: ") +
                numberList(report.overlapRows);
    if (report.linesLeftOver > 0)
        text += QStringLiteral("; %1 lines past the end of the block were left out")
                    .arg(report.linesLeftOver);
    return text;
}

} // namespace qmh4
