#include "link/protocol.h"

namespace qmh4::protocol {

namespace {
constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr qsizetype FirstDataOffset = 13;
} // namespace

QByteArray identifyCommand() {
    return QByteArrayLiteral("KV~QM-H4E\r");
}

QByteArray fontIdentifyCommand() {
    return QByteArrayLiteral("KV~QM-H4\r");
}

char hexDigit(int value) {
    return static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10);
}

QByteArray addressDigits(quint32 address) {
    QByteArray digits(5, '0');
    for (int i = 4; i >= 0; --i) {
        digits[i] = hexDigit(static_cast<int>(address & 0xF));
        address >>= 4;
    }
    return digits;
}

QByteArray hexText(const QByteArray& bytes) {
    QByteArray text;
    text.reserve(bytes.size() * 2);
    for (char b : bytes) {
        const auto value = static_cast<quint8>(b);
        text.append(hexDigit(value >> 4));
        text.append(hexDigit(value & 0xF));
    }
    return text;
}

QByteArray readCommand(quint32 address) {
    return "KV~F" + addressDigits(address) + "R\r";
}

QByteArray writeCommand(quint32 address, const QByteArray& data) {
    return "KV~F" + addressDigits(address) + 'W' + hexText(data) + CR;
}

bool isGoodIdentifyReply(const QByteArray& reply) {
    return reply.size() == IdentifyReplyLength && reply[12] == 'O' && reply[13] == 'K';
}

bool isGoodFontIdentifyReply(const QByteArray& reply) {
    return reply.size() == FontIdentifyReplyLength && reply[13] == 'O' && reply[14] == 'K';
}

bool isGoodReadReply(const QByteArray& reply) {
    if (reply.size() != ReadReplyLength || reply[141] != CR || reply[142] != LF)
        return false;
    for (qsizetype i = FirstDataOffset; i < FirstDataOffset + 2 * BlockSize; ++i) {
        if (!isHexDigit(reply[i]))
            return false;
    }
    return true;
}

bool isGoodWriteReply(const QByteArray& reply, qsizetype commandLength) {
    return reply.size() == writeReplyLength(commandLength) && reply[commandLength + 2] == 'O' &&
           reply[commandLength + 3] == 'K';
}

QByteArray readReplyData(const QByteArray& reply) {
    QByteArray data(BlockSize, '\0');
    for (int k = 0; k < BlockSize; ++k) {
        const int high = digitValue(reply[FirstDataOffset + 2 * k]);
        const int low = digitValue(reply[FirstDataOffset + 2 * k + 1]);
        data[k] = static_cast<char>(high * 16 + low);
    }
    return data;
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace qmh4::protocol
