// The memory of a radio in use, the simulated radio's built-in default: a few dozen memories
// over several banks (local simplex, repeaters with shifts and tones, airband, broadcast,
// railway with names in half-width katakana), dual, priority and call channels, the
// bug-finder presets, plausible settings, DTMF memories, one-touch keys, a title, groups and
// one user glyph.

#include "sim/simulated_radio.h"

#include <QtEndian>

#include <initializer_list>
#include <vector>

namespace qmh4 {

namespace {

enum Mode : quint8 { NFM = 0, FM = 1, AM = 2, WFM = 3 };
enum Shift : quint8 { Off = 0, Plus = 1, Minus = 2 };
enum ToneType : quint8 { NoTone = 0, Train = 1, Tone = 2, Tsq = 3, Sq = 4, Dcs = 5 };

constexpr quint32 recordAddressOf(int record) {
    return static_cast<quint32>((record - 1) * 64 + 0x1200);
}

struct Channel {
    int record;
    quint32 hz;
    Mode mode = FM;
    quint8 step = 0; // step index
    Shift shift = Off;
    quint32 offsetHz = 0;
    ToneType toneType = NoTone;
    quint8 tone = 8; // CTCSS index (88.5 Hz)
    quint8 dcs = 0;
    quint8 train = 20; // 2300 Hz
    bool skip = false;
    // Name cells as code page 932 codes (a double-byte character is lead * 256 + trail).
    std::vector<quint16> name = {};
};

std::vector<quint16> ascii(const char* text) {
    std::vector<quint16> codes;
    for (const char* c = text; *c; ++c)
        codes.push_back(static_cast<quint8>(*c));
    return codes;
}

// The status byte as the radio keeps it: 2 inside the bands it treats specially.
quint8 statusOf(quint32 hz, int record) {
    if (record >= 1604)
        return 1;
    const quint32 f = hz / 10;
    const bool special = (f >= 13'600'000 && f < 17'400'000) ||
                         (f >= 42'000'000 && f < 47'000'000) ||
                         (f >= 124'000'000 && f < 130'000'000) || (f >= 52'200 && f < 162'000) ||
                         (f >= 8'760'000 && f < 10'790'000);
    return special ? 2 : 1;
}

void putRecord(QByteArray& image, const Channel& ch) {
    char* r = image.data() + recordAddressOf(ch.record);
    r[0] = static_cast<char>(statusOf(ch.hz, ch.record));
    qToLittleEndian<quint32>(ch.hz, r + 1);
    r[5] = static_cast<char>(ch.mode);
    r[6] = static_cast<char>(ch.step);
    qToLittleEndian<quint32>(ch.offsetHz, r + 7);
    r[11] = static_cast<char>(ch.shift);
    r[12] = static_cast<char>(ch.toneType);
    r[13] = static_cast<char>(ch.tone + 1);
    r[14] = static_cast<char>(ch.tone + 1);
    r[15] = static_cast<char>(ch.dcs);
    r[16] = static_cast<char>(ch.train);
    r[17] = 0;
    r[18] = 0x3E;
    r[19] = ch.skip ? 1 : 0;
    r[20] = 0x0A;
    for (size_t i = 0; i < ch.name.size() && i < 16; ++i) {
        r[32 + 2 * i] = static_cast<char>(ch.name[i] & 0xFF);
        r[33 + 2 * i] = static_cast<char>(ch.name[i] >> 8);
    }
}

void putChannels(QByteArray& image) {
    const quint32 MHz = 1'000'000;
    const std::vector<quint16> glyph1AndCq = {0x8740, 'C', 'Q'};
    // ﾄｳｷｮｳ and ﾔﾏﾉﾃ in half-width katakana.
    const std::vector<quint16> tokyo = {0xC4, 0xB3, 0xB7, 0xAE, 0xB3};
    const std::vector<quint16> yamanote = {0xD4, 0xCF, 0xC9, 0xC3};
    const Channel channels[] = {
        // Bank 0: local simplex (records 1 to 100).
        {1, 145'000'000, FM, 7, Off, 0, NoTone, 8, 0, 20, false, ascii("CALL 2m")},
        {2, 145'500'000, FM, 7, Off, 0, NoTone, 8, 0, 20, false, glyph1AndCq},
        {3, 145'260'000, FM, 4, Off, 0, NoTone, 8, 0, 20, false, ascii("Club net")},
        {4, 433'000'000, FM, 7, Off, 0, NoTone, 8, 0, 20, false, ascii("CALL 70cm")},
        {5, 433'500'000, FM, 7, Off, 0, NoTone, 8, 0, 20, false, {}},
        {6, 1'295'000'000, FM, 9, Off, 0, NoTone, 8, 0, 20, false, ascii("CALL 23cm")},
        {7, 144'640'000, NFM, 4, Off, 0, NoTone, 8, 0, 20, true, ascii("Packet")},
        // Bank 1: repeaters (records 101 to 200).
        {101, 439'300'000, FM, 7, Minus, 5 * MHz, Tone, 8, 0, 20, false, ascii("JR1 Tokyo")},
        {102, 439'880'000, FM, 7, Minus, 5 * MHz, Tone, 8, 0, 20, false, ascii("JR1 Yokohama")},
        {103, 434'500'000, FM, 4, Off, 0, Tsq, 12, 0, 20, false, ascii("Club TSQ")},
        {104, 1'293'300'000, FM, 9, Minus, 20 * MHz, Tone, 8, 0, 20, false, ascii("JR1 1200")},
        {105, 145'560'000, FM, 4, Plus, 600'000, Dcs, 8, 10, 20, false, ascii("DCS 051")},
        {106, 438'660'000, FM, 7, Minus, 5 * MHz, Tone, 21, 0, 20, false, ascii("Mt. Takao")},
        // Bank 2: airband (records 201 to 300).
        {201, 118'100'000, AM, 2, Off, 0, NoTone, 8, 0, 20, false, ascii("Haneda TWR")},
        {202, 124'350'000, AM, 2, Off, 0, NoTone, 8, 0, 20, false, ascii("Tokyo APP")},
        {203, 121'500'000, AM, 2, Off, 0, NoTone, 8, 0, 20, true, ascii("Guard")},
        {204, 126'200'000, AM, 2, Off, 0, NoTone, 8, 0, 20, false, {}},
        // Bank 3: broadcast (records 301 to 400).
        {301, 594'000, AM, 3, Off, 0, NoTone, 8, 0, 20, false, ascii("NHK 1")},
        {302, 954'000, AM, 3, Off, 0, NoTone, 8, 0, 20, false, ascii("TBS")},
        {303, 80'000'000, WFM, 10, Off, 0, NoTone, 8, 0, 20, false, ascii("FM Tokyo")},
        {304, 82'500'000, WFM, 10, Off, 0, NoTone, 8, 0, 20, false, ascii("NHK FM")},
        // Bank 4: railway and business (records 401 to 500).
        {401, 150'850'000, NFM, 4, Off, 0, Train, 8, 0, 28, false, tokyo},
        {402, 150'910'000, NFM, 4, Off, 0, Train, 8, 0, 20, false, yamanote},
        {403, 351'200'000, NFM, 4, Off, 0, NoTone, 8, 0, 20, false, ascii("Digital")},
        {404, 154'450'000, NFM, 4, Off, 0, Sq, 8, 0, 20, false, ascii("Taxi")},
        // Program-scan edges, dual pair 0 (main record 1101, sub record 1201), priority.
        {1001, 144'000'000, FM, 4},
        {1002, 146'000'000, FM, 4},
        {1003, 430'000'000, FM, 4},
        {1004, 440'000'000, FM, 4},
        {1101, 145'000'000, FM, 7},
        {1201, 433'000'000, FM, 7},
        {1102, 145'500'000, FM, 7},
        {1202, 1'295'000'000, FM, 9},
        {1301, 145'000'000, FM, 7},
        {1302, 121'500'000, AM, 2},
        // Call channels.
        {1401, 145'000'000, FM, 0},
        {1402, 433'000'000, FM, 0},
        {1403, 1'295'000'000, FM, 0},
        // TSF.
        {1504, 145'000'000, FM, 7, Off, 0, Tsq, 8},
    };
    for (const Channel& ch : channels)
        putRecord(image, ch);

    const quint32 bugFinder[] = {398'605'000, 399'455'000, 139'970'000, 399'030'000, 400'000'000,
                                 397'250'000, 140'000'000, 399'605'000, 398'640'000, 134'000'000,
                                 399'250'000, 399'000'000, 134'900'000, 139'960'000, 139'600'000,
                                 149'000'000, 361'825'000, 320'235'000, 320'675'000, 321'135'000};
    for (int i = 0; i < 20; ++i)
        putRecord(image, {1604 + i, bugFinder[i], FM, 0});
}

void putBytes(QByteArray& image, quint32 address, std::initializer_list<int> bytes) {
    for (int b : bytes)
        image[address++] = static_cast<char>(b);
}

void putSettings(QByteArray& image) {
    QByteArray record(148, '\0');
    const auto set = [&](int offset, int value) { record[offset] = static_cast<char>(value); };
    set(0, 0xA5);
    set(2, 8); // volume main
    set(3, 6); // volume sub
    set(4, 2); // squelch main
    set(5, 3); // squelch sub
    set(9, 0x05);
    set(13, 1); // TV channel 1
    set(14, 3); // preset band UHF
    set(16, 5);
    set(18, 5);
    set(35, 1); // skip on
    set(37, 1); // priority interval 10 s
    set(44, 4); // light 10 s
    set(45, 2); // APO 1 hour
    set(46, 3); // battery saver
    set(47, 2); // beep level 2
    set(48, 3); // bug finder sensitivity
    set(50, 0x01);
    set(51, 0x0C);
    set(53, 112); // WILD key: WILD Key
    set(55, 0x02);
    set(56, 0x02);
    set(62, 0x01); // Japanese
    set(65, 6);    // TOT 180 s
    set(67, 3);    // brightness 3
    set(68, 2);    // mic gain 2
    set(74, 2);
    set(77, 1);
    set(78, 1); // auto repeater on
    set(81, 0x06);
    set(82, 8);  // contrast 8
    set(88, 3);  // 144 MHz high
    set(89, 3);  // 430 MHz high
    set(90, 1);  // 1200 MHz high
    set(96, 21); // LAMP key: Illumination
    set(98, 0);
    set(100, 5); // key lock: PTT, dial
    set(118, 0x01);
    set(123, 1); // preset mode on
    set(146, 1);
    set(147, 1);
    image.replace(0x00000, record.size(), record);
    image[0x1FE01] = 0; // write protect off
}

void putBanks(QByteArray& image) {
    // Banks 0 to 9 hold 100 memories each (the radio's default split).
    for (int bank = 0; bank < 50; ++bank) {
        const quint16 size = bank < 10 ? 100 : 0;
        qToLittleEndian<quint16>(size, image.data() + 0x200 + 2 * bank);
    }
    const quint16 fixedWords[] = {100, 200, 100, 3, 100, 100, 20};
    for (int i = 0; i < 7; ++i)
        qToLittleEndian<quint16>(fixedWords[i], image.data() + 0x240 + 36 + 2 * i);
}

void putGroupsOneTouchTitle(QByteArray& image) {
    // Group 0: banks 0, 1 and 2 (the ham bands); group 1: banks 2 and 3 (listening).
    putBytes(image, 0x100, {0xE0, 0, 0, 0, 0, 0, 0, 0});
    putBytes(image, 0x108, {0x30, 0, 0, 0, 0, 0, 0, 0});
    // One-touch keys 1 to 3 on bank 0 position 0, bank 1 position 0, bank 2 position 2.
    putBytes(image, 0x180, {0, 0, 0, 1, 0, 0, 2, 2, 0});
    for (int key = 3; key < 9; ++key)
        putBytes(image, static_cast<quint32>(0x180 + 3 * key), {0xFF, 0, 0});
    // Title "QM-H4 ①" sliding.
    const quint16 title[] = {'Q', 'M', '-', 'H', '4', ' ', 0x8740};
    for (int i = 0; i < 7; ++i)
        qToLittleEndian<quint16>(title[i], image.data() + 0x1A0 + 2 * i);
    putBytes(image, 0x1A0 + 32, {0x11, 0x11});
}

void putDtmfAndGlyphs(QByteArray& image) {
    QByteArray dtmf(0x1173 + 50 - 0x1100, static_cast<char>(17));
    dtmf[0] = 1; // wait 100 ms
    dtmf[1] = 5; // head 120 ms
    dtmf[2] = 5; // burst 120 ms
    const auto memory = [&](int index, std::initializer_list<int> codes) {
        const int start = index < 3   ? 3 + 16 * index
                          : index < 7 ? 51 + 16 * (index - 3)
                                      : 0x73 + 16 * (index - 7);
        int at = start;
        for (int code : codes)
            dtmf[at++] = static_cast<char>(code);
    };
    memory(1, {0, 3, 1, 2, 3, 4, 5, 6, 7, 8});
    memory(2, {14, 1, 2, 3, 15});
    dtmf[0x73 + 48] = 1; // dial channel 1
    dtmf[0x73 + 49] = 2; // pause 60 ms
    image.replace(0x1100, dtmf.size(), dtmf);

    // User glyph 1: an antenna mast, column c in bytes c (rows 0-7) and 16 + c (rows 8-15).
    QByteArray glyph(32, '\0');
    for (int c = 2; c < 14; ++c)
        glyph[c] = static_cast<char>(0x01); // the top bar
    glyph[7] = glyph[8] = static_cast<char>(0xFF);
    glyph[16 + 7] = glyph[16 + 8] = static_cast<char>(0xFF);
    image.replace(0x1000, glyph.size(), glyph);
}

} // namespace

QByteArray SimulatedRadio::demoImage() {
    QByteArray image = blankImage();
    putSettings(image);
    putBanks(image);
    putGroupsOneTouchTitle(image);
    putDtmfAndGlyphs(image);
    image.replace(0xC00, 808, QByteArray(808, static_cast<char>(0xFF))); // no pass channel used
    putChannels(image);
    return image;
}

} // namespace qmh4
