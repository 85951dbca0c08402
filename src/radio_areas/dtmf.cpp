#include "radio_areas/dtmf.h"

namespace qmh4 {

namespace {

constexpr quint8 FillerCode = 17;
// The radio's digit codes 0..16 in order.
const char DtmfCodeCharacters[] = "0123456789ABCD*#-";
constexpr int DialChannelByte = 48;
constexpr int PauseByte = 49;

int codeOf(QChar c) {
    for (int code = 0; code < 17; ++code) {
        if (c == QLatin1Char(DtmfCodeCharacters[code])) {
            return code;
        }
    }
    return -1;
}

// The memories a block holds and where the first starts in its data.
struct MemorySpan {
    int first;
    int count;
    int offset;
};
constexpr MemorySpan BlockMemories[DtmfBlockCount] = {{0, 3, 3}, {3, 4, 0}, {7, 3, 0}};

bool inList(int position, qsizetype count) {
    return position >= 0 && position < count;
}

} // namespace

bool isDtmfCharacter(QChar c) {
    return codeOf(c) >= 0;
}

bool dtmfKeyAccepted(const QString& fieldText, QChar key) {
    if (key == QLatin1Char('\b')) {
        return true;
    }
    return isDtmfCharacter(key) && fieldText.size() < DtmfMemoryLength;
}

QString cleanedDtmfText(const QString& text) {
    QString kept;
    for (QChar c : text) {
        if (isDtmfCharacter(c) && kept.size() < DtmfMemoryLength) {
            kept.append(c);
        }
    }
    return kept;
}

void DtmfSettings::setMemory(int index, const QString& text) {
    if (index >= 0 && index < DtmfMemoryCount) {
        memories[static_cast<size_t>(index)] = cleanedDtmfText(text);
    }
}

bool DtmfSettings::setWait(int position) {
    if (!inList(position, dtmfWaitEntries().size())) {
        return false;
    }
    wait = position;
    return true;
}

bool DtmfSettings::setHead(int position) {
    if (!inList(position, dtmfTimeEntries().size())) {
        return false;
    }
    head = position;
    return true;
}

bool DtmfSettings::setBurst(int position) {
    if (!inList(position, dtmfTimeEntries().size())) {
        return false;
    }
    burst = position;
    return true;
}

bool DtmfSettings::setPause(int position) {
    if (!inList(position, dtmfTimeEntries().size())) {
        return false;
    }
    pause = position;
    return true;
}

bool DtmfSettings::setDialChannel(int position) {
    if (!inList(position, dtmfDialChannelEntries().size())) {
        return false;
    }
    dialChannel = position;
    return true;
}

QByteArray DtmfSettings::buildBlock(int block) const {
    QByteArray data(DtmfBlockSize[block], '\0');
    const MemorySpan span = BlockMemories[block];
    if (block == 0) {
        data[0] = static_cast<char>(wait);
        data[1] = static_cast<char>(head);
        data[2] = static_cast<char>(burst);
    }
    for (int m = 0; m < span.count; ++m) {
        // Cut again here: nothing longer than the radio holds may reach the block.
        const QString text = cleanedDtmfText(memories[static_cast<size_t>(span.first + m)]);
        const int base = span.offset + m * DtmfMemoryLength;
        for (int i = 0; i < DtmfMemoryLength; ++i) {
            data[base + i] = static_cast<char>(i < text.size() ? codeOf(text[i]) : FillerCode);
        }
    }
    if (block == 2) {
        data[DialChannelByte] = static_cast<char>(dialChannel + 1);
        data[PauseByte] = static_cast<char>(pause);
    }
    return data;
}

void DtmfSettings::decodeBlock(int block, const QByteArray& data) {
    auto byteAt = [&data](int offset) {
        return offset < data.size() ? static_cast<quint8>(data[offset]) : FillerCode;
    };
    const MemorySpan span = BlockMemories[block];
    if (block == 0) {
        setWait(byteAt(0));
        setHead(byteAt(1));
        setBurst(byteAt(2));
    }
    for (int m = 0; m < span.count; ++m) {
        QString text;
        const int base = span.offset + m * DtmfMemoryLength;
        for (int i = 0; i < DtmfMemoryLength; ++i) {
            const quint8 code = byteAt(base + i);
            if (code < FillerCode) {
                text.append(QLatin1Char(DtmfCodeCharacters[code]));
            }
        }
        memories[static_cast<size_t>(span.first + m)] = text;
    }
    if (block == 2) {
        const int stored = byteAt(DialChannelByte);
        setDialChannel(stored > 0 ? stored - 1 : 0);
        setPause(byteAt(PauseByte));
    }
}

const QStringList& dtmfTimeEntries() {
    static const QStringList entries = {
        QStringLiteral("20ms"),  QStringLiteral("40ms"),  QStringLiteral("60ms"),
        QStringLiteral("80ms"),  QStringLiteral("100ms"), QStringLiteral("120ms"),
        QStringLiteral("140ms"), QStringLiteral("160ms"), QStringLiteral("180ms"),
        QStringLiteral("200ms"), QStringLiteral("300ms"), QStringLiteral("400ms"),
        QStringLiteral("500ms"), QStringLiteral("600ms"), QStringLiteral("700ms"),
        QStringLiteral("800ms"), QStringLiteral("900ms"), QStringLiteral("1.0s"),
        QStringLiteral("1.2s"),  QStringLiteral("1.4s"),  QStringLiteral("1.6s"),
        QStringLiteral("1.8s"),  QStringLiteral("2.0s")};
    return entries;
}

const QStringList& dtmfWaitEntries() {
    static const QStringList entries = {
        QStringLiteral("50ms"),  QStringLiteral("100ms"), QStringLiteral("200ms"),
        QStringLiteral("300ms"), QStringLiteral("400ms"), QStringLiteral("500ms"),
        QStringLiteral("600ms"), QStringLiteral("700ms"), QStringLiteral("800ms"),
        QStringLiteral("900ms"), QStringLiteral("1000ms")};
    return entries;
}

const QStringList& dtmfDialChannelEntries() {
    static const QStringList entries = [] {
        QStringList list;
        for (int ch = 1; ch <= 9; ++ch) {
            list.append(QStringLiteral("%1Ch").arg(ch));
        }
        return list;
    }();
    return entries;
}

} // namespace qmh4
