#pragma once

// The radio's block protocol: commands and replies are ASCII lines, every number upper-case
// hex, high digit first. A reply echoes the command, adds CR LF, then carries "OK" (identify,
// write) or 128 data digits (read), then CR LF.

#include <QByteArray>

namespace qmh4::protocol {

constexpr quint32 MemorySize = 0x20000; // addresses 0x00000 to 0x1FFFF
constexpr int BlockSize = 64;           // a read returns 64 bytes; a write carries 1 to 64

constexpr qsizetype IdentifyReplyLength = 16;
constexpr qsizetype ReadCommandLength = 11;
constexpr qsizetype ReadReplyLength = 143;
// The font editor identifies itself with the shorter "KV~QM-H4" and gets 17 bytes back.
constexpr qsizetype FontIdentifyReplyLength = 17;

// "KV~QM-H4E" + CR (10 bytes), the main window's identification.
QByteArray identifyCommand();
// "KV~QM-H4" + CR (9 bytes), the font editor's identification.
QByteArray fontIdentifyCommand();

// '0'..'9', 'A'..'F' for 0..15.
char hexDigit(int value);
// The address as exactly five digits: 0x01200 → "01200", 0x1FE01 → "1FE01".
QByteArray addressDigits(quint32 address);
// Bytes as two digits each, high digit first.
QByteArray hexText(const QByteArray& bytes);

// "KV~F" + address + "R" + CR (11 bytes).
QByteArray readCommand(quint32 address);
// "KV~F" + address + "W" + 2n digits + CR (11 + 2n bytes), n = data.size(), 1 to 64.
QByteArray writeCommand(quint32 address, const QByteArray& data);
// A write command of c bytes is answered by c + 6 bytes with "O", "K" at c + 2 and c + 3.
constexpr qsizetype writeReplyLength(qsizetype commandLength) {
    return commandLength + 6;
}

// 16 bytes with "O" at 12 and "K" at 13.
bool isGoodIdentifyReply(const QByteArray& reply);
// 17 bytes with "O" at 13 and "K" at 14 (the font editor's identification).
bool isGoodFontIdentifyReply(const QByteArray& reply);
// Exactly 143 bytes, CR LF at 141 and 142, and all 128 data characters (offsets 13 to 140)
// upper-case hex digits: a garbled digit would otherwise decode into a wrong value, so such a
// reply is refused and the read repeated.
bool isGoodReadReply(const QByteArray& reply);
// Exactly commandLength + 6 bytes with "O" and "K" at commandLength + 2 and + 3.
bool isGoodWriteReply(const QByteArray& reply, qsizetype commandLength);

// The 64 data bytes of a read reply that passed isGoodReadReply (byte k from the digits at
// offsets 13 + 2k and 14 + 2k).
QByteArray readReplyData(const QByteArray& reply);

// True for '0'..'9' and 'A'..'F'.
bool isHexDigit(char c);
// 0..15 of a hex digit; -1 for any other character.
int digitValue(char c);

} // namespace qmh4::protocol
