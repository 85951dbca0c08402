#include "messages/file_outcome_text.h"

#include "files/text_file.h"

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

} // namespace qmh4
