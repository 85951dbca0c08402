#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace qmh4 {

constexpr int DtmfMemoryCount = 10;
constexpr int DtmfMemoryLength = 16;
constexpr int DtmfBlockCount = 3;
// Blocks 0 and 1 follow each other in the radio; block 2 starts 64 bytes after block 1.
constexpr quint32 DtmfBlockAddress[DtmfBlockCount] = {0x01100, 0x01133, 0x01173};
constexpr int DtmfBlockSize[DtmfBlockCount] = {51, 64, 50};

// The radio's DTMF dialling memories and the timing of its auto-dialler.
struct DtmfSettings {
    // Memory 0 is kept and transferred like the others, though the page shows only 1 to 9.
    std::array<QString, DtmfMemoryCount> memories;
    int wait = 1;        // COMMON_WAIT: "100ms"
    int head = 5;        // COMMON_HEAD: "120ms"
    int burst = 5;       // COMMON_BURST: "120ms"
    int pause = 2;       // COMMON_PAUSE: "60ms"
    int dialChannel = 0; // COMMON_DIAL_CH: "1Ch"

    // The "Reset" of the DTMF frame (also part of the "Set Mode" page's Reset).
    void reset() { *this = DtmfSettings{}; }

    // Sets a memory from text arriving by any means: it is cleaned and cut to 16 characters.
    void setMemory(int index, const QString& text);
    // Setters refusing (false, nothing changes) a position outside the list.
    bool setWait(int position);
    bool setHead(int position);
    bool setBurst(int position);
    bool setPause(int position);
    bool setDialChannel(int position);

    // Data bytes of block n (51, 64 or 50 bytes).
    QByteArray buildBlock(int block) const;
    // Applies the data bytes of a read of block n: its memories, and its timing positions
    // where they lie inside their lists.
    void decodeBlock(int block, const QByteArray& data);

    bool operator==(const DtmfSettings&) const = default;
};

// The entries of the timing lists (the same in both languages).
const QStringList& dtmfTimeEntries();        // COMMON_HEAD, COMMON_BURST, COMMON_PAUSE: 23 entries
const QStringList& dtmfWaitEntries();        // COMMON_WAIT: 11 entries
const QStringList& dtmfDialChannelEntries(); // COMMON_DIAL_CH: "1Ch" … "9Ch"

bool isDtmfCharacter(QChar c);
// Key filter of a memory field: DTMF characters while it holds fewer than 16, Backspace always;
// lower-case letters are refused.
bool dtmfKeyAccepted(const QString& fieldText, QChar key);
// The field on leaving it, and text that arrives by paste, drop or input method: only DTMF
// characters, at most 16.
QString cleanedDtmfText(const QString& text);

} // namespace qmh4
