// The decoding of every reply kind the radio sends back. The first input byte picks the
// decoder, the second its block or row; the rest are the data bytes of a read (made up to the
// 64 bytes a read always delivers). With the high bit of the first byte set, the rest is instead
// a whole reply as it comes off the line, and it is decoded only when it passes the reply check,
// as a transfer does.
//
// Besides not crashing, each decoder must keep its model within range and give the same model
// back when what it decoded is encoded and decoded again: a decoder that lets a bad byte
// through shows up as a round trip that does not hold.

#include "channels/channel_record.h"
#include "font/glyph_store.h"
#include "fuzz_support.h"
#include "link/protocol.h"
#include "radio_areas/bank_sizes.h"
#include "radio_areas/dtmf.h"
#include "radio_areas/groups.h"
#include "radio_areas/one_touch.h"
#include "radio_areas/set_mode.h"
#include "radio_areas/title.h"
#include "transfers/glyph_transfer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace qmh4;

namespace {

enum Decoder : int {
    ChannelRecord,
    Banks,
    SetMode,
    Dtmf,
    OneTouchKeys,
    TitleText,
    GroupBlocks,
    GlyphBlock,
    DecoderCount,
};

// A read's data bytes as the transfers hand them over: always 64.
QByteArray readData(QByteArray bytes) {
    bytes.resize(protocol::BlockSize, '\0');
    return bytes;
}

void channelRecord(int aux, const QByteArray& data) {
    const int rowNumber = FirstRow + aux * 7 % RowCount;
    static const ChannelTable startUp; // building the table takes far longer than a decode
    const ChannelRow before = startUp.row(rowNumber);
    ChannelRow row = before;
    switch (decodeRecord(data, row)) {
    case DecodeStatus::BadIndex:
        FUZZ_CHECK(row == before);
        return;
    case DecodeStatus::Empty: {
        ChannelRow expected = before;
        expected.markUsed(false);
        FUZZ_CHECK(row == expected);
        return;
    }
    case DecodeStatus::Decoded:
        break;
    }
    FUZZ_CHECK(row.used());
    const QByteArray encoded = encodeRecord(row, rowNumber);
    FUZZ_CHECK(encoded.size() == RecordSize);
    ChannelRow again = before;
    FUZZ_CHECK(decodeRecord(encoded, again) == DecodeStatus::Decoded);
    FUZZ_CHECK(encodeRecord(again, rowNumber) == encoded);
}

void banks(int aux, const QByteArray& data) {
    BankSizes sizes;
    const int block = aux % 2;
    sizes.decodeBlock(block, data);
    for (int size : sizes.sizes())
        FUZZ_CHECK(size >= 0 && size <= MemoryChannelCount);
    BankSizes again;
    again.decodeBlock(block, readData(sizes.buildBlock(block)));
    FUZZ_CHECK(again == sizes);
}

void setMode(int aux, const QByteArray& data) {
    // The record is three reads: 64, 64 and 20 bytes; the input is cut into them.
    QByteArray record = data;
    record.resize(SetModeRecordSize, static_cast<char>(aux));
    SetModeSettings settings;
    settings.applyRecord(record);
    settings.applyWriteProtect(data);
    const QByteArray built = settings.buildRecord(record);
    FUZZ_CHECK(built.size() == SetModeRecordSize);
    SetModeSettings again;
    again.applyRecord(built);
    again.applyWriteProtect(data);
    FUZZ_CHECK(again.buildRecord(record) == built);
}

void dtmf(int aux, const QByteArray& data) {
    const int block = aux % DtmfBlockCount;
    DtmfSettings settings;
    settings.decodeBlock(block, data);
    for (const QString& memory : settings.memories) {
        FUZZ_CHECK(memory.size() <= 16);
        for (QChar c : memory)
            FUZZ_CHECK(isDtmfCharacter(c));
    }
    const QByteArray built = settings.buildBlock(block);
    FUZZ_CHECK(built.size() == DtmfBlockSize[block]);
    DtmfSettings again;
    again.decodeBlock(block, readData(built));
    FUZZ_CHECK(again == settings);
}

void oneTouch(int aux, const QByteArray& data) {
    // The banks as the read before left them: sizes from the data's own bytes when they make
    // a table the radio accepts (the one-touch keys are only read with such a table in place).
    BankSizes sizes;
    sizes.decodeBlock(0, readData(data.mid(aux % 32)));
    if (!sizes.isWritable())
        sizes.reset();
    OneTouch keys(sizes);
    keys.decodeBlock(data, sizes);
    for (int k = 0; k < OneTouchCount; ++k) {
        const OneTouchEntry& entry = keys.entry(k);
        FUZZ_CHECK(entry.bankPosition >= 0 && entry.bankPosition < std::max(1, keys.bankCount()));
        FUZZ_CHECK(entry.channelPosition >= 0 &&
                   (entry.channelPosition < keys.channelCount(k) || keys.channelCount(k) == 0));
    }
    OneTouch again(sizes);
    again.decodeBlock(readData(keys.buildBlock()), sizes);
    FUZZ_CHECK(again == keys);
}

void title(const QByteArray& data) {
    Title title;
    title.decodeBlock(data);
    FUZZ_CHECK(titleLength(title.text()) <= TitleMaxBytes);
    Title again;
    again.decodeBlock(readData(title.buildBlock()));
    FUZZ_CHECK(again == title);
}

void groups(int aux, const QByteArray& data) {
    const int block = aux % 2;
    Groups groups;
    groups.decodeBlock(block, data);
    Groups again;
    again.decodeBlock(block, readData(groups.buildBlock(block)));
    FUZZ_CHECK(again == groups);
}

void glyph(const QByteArray& data) {
    // Every bit pattern is a glyph: decoding and encoding give the same 32 bytes back.
    const QByteArray wire = data.left(GlyphWireBytes);
    FUZZ_CHECK(encodeGlyph(decodeGlyph(wire)) == wire);
}

void decode(int decoder, int aux, const QByteArray& data) {
    switch (decoder) {
    case ChannelRecord:
        return channelRecord(aux, data);
    case Banks:
        return banks(aux, data);
    case SetMode:
        return setMode(aux, data);
    case Dtmf:
        return dtmf(aux, data);
    case OneTouchKeys:
        return oneTouch(aux, data);
    case TitleText:
        return title(data);
    case GroupBlocks:
        return groups(aux, data);
    case GlyphBlock:
        return glyph(data);
    }
}

// A reply off the line: decoded only when it passes its check, and then exactly its digits.
void reply(int decoder, int aux, const QByteArray& text) {
    if (decoder == GlyphBlock) {
        const auto glyph = glyphwire::glyphFromReadReply(text);
        if (glyphwire::isFullReadReply(text))
            FUZZ_CHECK(glyph.has_value());
    }
    protocol::isGoodIdentifyReply(text);
    protocol::isGoodWriteReply(text, text.size() - 6);
    if (!protocol::isGoodReadReply(text))
        return;
    const QByteArray data = protocol::readReplyData(text);
    FUZZ_CHECK(data.size() == protocol::BlockSize);
    FUZZ_CHECK(protocol::hexText(data) == text.mid(13, 2 * protocol::BlockSize));
    decode(decoder, aux, data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2)
        return 0;
    const int decoder = (bytes[0] & 0x7F) % DecoderCount;
    const bool wholeReply = (bytes[0] & 0x80) != 0;
    const int aux = bytes[1];
    const QByteArray rest(reinterpret_cast<const char*>(bytes + 2),
                          static_cast<qsizetype>(size - 2));
    if (wholeReply)
        reply(decoder, aux, rest);
    else
        decode(decoder, aux, readData(rest));
    return 0;
}
