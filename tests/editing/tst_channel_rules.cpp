#include "editing/channel_rules.h"
#include "editing/grid_editing.h"
#include "editing/typed_edit.h"

#include <QTest>

using namespace qmh4;

class ChannelRulesTest : public QObject {
    Q_OBJECT

private slots:
    void frequencyOnOk_data();
    void frequencyOnOk();
    void offsetMhzOnFocusLoss_data();
    void offsetMhzOnFocusLoss();
    void offsetKhzOnFocusLoss_data();
    void offsetKhzOnFocusLoss();
    void offsetOnOk_data();
    void offsetOnOk();
    void digitKeys_data();
    void digitKeys();
    void nameKeys_data();
    void nameKeys();
    void nameCount_data();
    void nameCount();
    void nameOnOk_data();
    void nameOnOk();
    void userEdits_data();
    void userEdits();
};

// The whole "OK" path of one column set: normalisation, call fallback or single checks,
// composition. Also checks what the boxes show afterwards.
void ChannelRulesTest::frequencyOnOk_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("mhz");
    QTest::addColumn<QString>("decimals");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shownMhz");
    QTest::addColumn<QString>("shownDecimals");

    QTest::newRow("short decimals padded") << 1 << "145"
                                           << "5"
                                           << "145.50000"
                                           << "145"
                                           << "50000";
    QTest::newRow("leading zeros") << 1 << "0145"
                                   << "125"
                                   << "145.12500"
                                   << "145"
                                   << "12500";
    QTest::newRow("2000 becomes 145") << 1 << "2000"
                                      << ""
                                      << "145.00000"
                                      << "145"
                                      << "00000";
    QTest::newRow("1301 becomes 145") << 1 << "1301"
                                      << "00000"
                                      << "145.00000"
                                      << "145"
                                      << "00000";
    QTest::newRow("0.53098 refused, empty MHz") << 1 << ""
                                                << "53098"
                                                << ""
                                                << ""
                                                << "";
    QTest::newRow("0.53098 refused, MHz 0") << 1 << "0"
                                            << "53098"
                                            << ""
                                            << ""
                                            << "";
    QTest::newRow("0.53099 accepted, empty MHz") << 1 << ""
                                                 << "53099"
                                                 << "0.53099"
                                                 << ""
                                                 << "53099";
    QTest::newRow("0.53099 accepted, MHz 0") << 1 << "0"
                                             << "53099"
                                             << "0.53099"
                                             << "0"
                                             << "53099";
    QTest::newRow("one MHz digit") << 1 << "5"
                                   << ""
                                   << "5.00000"
                                   << "5"
                                   << "00000";
    QTest::newRow("823.99999 accepted") << 1 << "823"
                                        << "99999"
                                        << "823.99999"
                                        << "823"
                                        << "99999";
    QTest::newRow("824 refused") << 1 << "824"
                                 << "00000"
                                 << ""
                                 << ""
                                 << "";
    QTest::newRow("836 refused") << 1 << "836"
                                 << "00000"
                                 << ""
                                 << ""
                                 << "";
    QTest::newRow("850 accepted") << 1 << "850"
                                  << "00000"
                                  << "850.00000"
                                  << "850"
                                  << "00000";
    QTest::newRow("869 refused") << 1 << "869"
                                 << ""
                                 << ""
                                 << ""
                                 << "";
    QTest::newRow("880 refused") << 1 << "880"
                                 << "00000"
                                 << ""
                                 << ""
                                 << "";
    QTest::newRow("895 accepted") << 1 << "895"
                                  << "00000"
                                  << "895.00000"
                                  << "895"
                                  << "00000";
    QTest::newRow("1299.99999 accepted") << 1 << "1299"
                                         << "99999"
                                         << "1299.99999"
                                         << "1299"
                                         << "99999";
    QTest::newRow("1300 refused") << 1 << "1300"
                                  << "00000"
                                  << ""
                                  << ""
                                  << "";
    QTest::newRow("both empty") << 1 << ""
                                << ""
                                << ""
                                << ""
                                << "";
    QTest::newRow("pass row like memory") << 1404 << "433"
                                          << "5"
                                          << "433.50000"
                                          << "433"
                                          << "50000";
    QTest::newRow("CALL-VHF in band") << 1401 << "144"
                                      << "5"
                                      << "144.50000"
                                      << "144"
                                      << "50000";
    QTest::newRow("CALL-VHF 440 falls back") << 1401 << "440"
                                             << ""
                                             << "145.00000"
                                             << "145"
                                             << "00000";
    QTest::newRow("CALL-UHF 146 becomes 433") << 1402 << "146"
                                              << "00000"
                                              << "433.00000"
                                              << "433"
                                              << "00000";
    QTest::newRow("CALL-UHF refused band") << 1402 << "836"
                                           << ""
                                           << "433.00000"
                                           << "433"
                                           << "00000";
    QTest::newRow("CALL-1.2 empty") << 1403 << ""
                                    << ""
                                    << "1295.00000"
                                    << "1295"
                                    << "00000";
    QTest::newRow("CALL-1.2 1300 falls back") << 1403 << "1300"
                                              << ""
                                              << "1295.00000"
                                              << "1295"
                                              << "00000";
    QTest::newRow("dual accepted") << 1101 << "145"
                                   << ""
                                   << "145.00000"
                                   << "145"
                                   << "00000";
    QTest::newRow("dual refused band") << 1102 << "836"
                                       << ""
                                       << ""
                                       << ""
                                       << "";
    QTest::newRow("dual too low") << 1101 << "0"
                                  << ""
                                  << ""
                                  << ""
                                  << "";
    QTest::newRow("dual 1300") << 1102 << "1300"
                               << ""
                               << ""
                               << ""
                               << "";
}

void ChannelRulesTest::frequencyOnOk() {
    QFETCH(int, row);
    QFETCH(QString, mhz);
    QFETCH(QString, decimals);
    DetailFields fields;
    fields.frequency = {mhz, decimals};
    const DetailRecord record = recordFromFields(fields, channelKindOfRow(row), row);
    QTEST(record.frequency, "text");
    QTEST(fields.frequency.mhz, "shownMhz");
    QTEST(fields.frequency.decimals, "shownDecimals");
}

void ChannelRulesTest::offsetMhzOnFocusLoss_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("zero") << "000"
                          << "0";
    QTest::newRow("leading zeros") << "007"
                                   << "7";
    QTest::newRow("non-digits") << "1a2"
                                << "12";
    QTest::newRow("kept") << "600"
                          << "600";
}

void ChannelRulesTest::offsetMhzOnFocusLoss() {
    QFETCH(QString, box);
    QTEST(normaliseOffsetMhz(box), "shown");
}

void ChannelRulesTest::offsetKhzOnFocusLoss_data() {
    QTest::addColumn<QString>("khz");
    QTest::addColumn<QString>("mhz");
    QTest::addColumn<QString>("shown");
    QTest::newRow("999.999 becomes 999.995") << "999"
                                             << "999"
                                             << "995";
    QTest::newRow("999.996 becomes 999.995") << "996"
                                             << "999"
                                             << "995";
    QTest::newRow("999.995 kept") << "995"
                                  << "999"
                                  << "995";
    QTest::newRow("999.5 padded") << "5"
                                  << "999"
                                  << "500";
    QTest::newRow("998.999 kept") << "999"
                                  << "998"
                                  << "999";
    QTest::newRow("one digit") << "6"
                               << "0"
                               << "600";
    QTest::newRow("two digits") << "25"
                                << "0"
                                << "250";
    QTest::newRow("empty") << ""
                           << "0"
                           << "000";
    QTest::newRow("too long") << "1234"
                              << "0"
                              << "000";
    QTest::newRow("non-digits") << "x6y"
                                << "0"
                                << "600";
}

void ChannelRulesTest::offsetKhzOnFocusLoss() {
    QFETCH(QString, khz);
    QFETCH(QString, mhz);
    QTEST(normaliseOffsetKhz(khz, mhz), "shown");
}

// "OK" without the boxes having lost the focus (Enter pressed in a box) must still give a
// well-formed offset.
void ChannelRulesTest::offsetOnOk_data() {
    QTest::addColumn<QString>("mhz");
    QTest::addColumn<QString>("khz");
    QTest::addColumn<QString>("text");
    QTest::newRow("filled from a row") << "0"
                                       << "600"
                                       << "0.600";
    QTest::newRow("empty boxes") << ""
                                 << ""
                                 << "0.000";
    QTest::newRow("999.999") << "999"
                             << "999"
                             << "999.995";
    QTest::newRow("short kHz padded") << "5"
                                      << "6"
                                      << "5.600";
    QTest::newRow("leading zeros") << "007"
                                   << "5"
                                   << "7.500";
}

void ChannelRulesTest::offsetOnOk() {
    DetailFields fields;
    fields.frequency = {"145", "00000"};
    QFETCH(QString, mhz);
    QFETCH(QString, khz);
    fields.offset = {mhz, khz};
    QTEST(recordFromFields(fields, ChannelKind::Single, 1).offset, "text");
}

void ChannelRulesTest::digitKeys_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<uint>("key");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digit") << "14" << uint('5') << MhzBoxLimit << true;
    QTest::newRow("full MHz box") << "1450" << uint('1') << MhzBoxLimit << false;
    QTest::newRow("fifth decimal") << "1234" << uint('5') << DecimalsBoxLimit << true;
    QTest::newRow("full offset box") << "600" << uint('0') << OffsetKhzBoxLimit << false;
    QTest::newRow("letter") << "" << uint('a') << MhzBoxLimit << false;
    QTest::newRow("dot") << "1" << uint('.') << MhzBoxLimit << false;
    QTest::newRow("full-width digit") << "" << uint(0xFF11) << MhzBoxLimit << false;
}

void ChannelRulesTest::digitKeys() {
    QFETCH(QString, box);
    QFETCH(uint, key);
    QFETCH(int, limit);
    QTEST(acceptDigit(box, static_cast<char32_t>(key), limit), "accepted");
}

void ChannelRulesTest::nameKeys_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("character");
    QTest::addColumn<bool>("accepted");
    const QString fifteen(15, QLatin1Char('A'));
    QTest::newRow("letter") << "" << uint('A') << true;
    QTest::newRow("16th byte single") << fifteen << uint('B') << true;
    QTest::newRow("17th byte single") << fifteen + "B" << uint('C') << false;
    QTest::newRow("kanji at 14") << fifteen.left(14) << uint(U'東') << true;
    QTest::newRow("kanji at 15") << fifteen << uint(U'東') << false;
    QTest::newRow("half-width kana at 15") << fifteen << uint(U'ｱ') << true;
    QTest::newRow("markers count 2 each") << ":1~:2~:3~:4~:5~:6~:7~" << uint(U'東') << true;
    QTest::newRow("eight markers fill it") << ":1~:2~:3~:4~:5~:6~:7~:8~" << uint('A') << false;
    QTest::newRow("not in code page 932") << "" << uint(U'é') << false;
    QTest::newRow("kanji outside code page 932") << "" << uint(U'丂') << false;
    QTest::newRow("emoji") << "" << uint(0x1F600) << false;
    QTest::newRow("tab") << "" << uint('\t') << false;
    QTest::newRow("line feed") << "" << uint('\n') << false;
}

void ChannelRulesTest::nameKeys() {
    QFETCH(QString, name);
    QFETCH(uint, character);
    QTEST(acceptNameCharacter(name, static_cast<char32_t>(character)), "accepted");
}

void ChannelRulesTest::nameCount_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bytes");
    QTest::newRow("ascii") << "CQ" << 2;
    QTest::newRow("kanji") << "東京" << 4;
    QTest::newRow("half-width kana") << "ｱｲ" << 2;
    QTest::newRow("marker") << ":1~" << 2;
    QTest::newRow("no marker for 9") << ":9~" << 3;
    QTest::newRow("mixed") << "A:8~東" << 5;
}

void ChannelRulesTest::nameCount() {
    QFETCH(QString, name);
    QTEST(nameByteCount(name), "bytes");
}

void ChannelRulesTest::nameOnOk_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("tableEntry");
    QTest::newRow("東 kept") << "東京CQ"
                             << "東京CQ"
                             << "東京CQ";
    QTest::newRow("kanji outside the radio's table dropped") << "A丼B"
                                                             << "AB"
                                                             << "AB";
    QTest::newRow("half-width kana kept") << "ｱｲ"
                                          << "ｱｲ"
                                          << "ｱｲ";
    QTest::newRow("glyph character itself dropped") << "①"
                                                    << ""
                                                    << "";
    QTest::newRow("markers become glyphs") << ":1~CQ:8~"
                                           << ":1~CQ:8~"
                                           << "①CQ⑧";
    QTest::newRow("not in code page 932") << "éA"
                                          << "A"
                                          << "A";
}

void ChannelRulesTest::nameOnOk() {
    DetailFields fields;
    fields.frequency = {"145", ""};
    QFETCH(QString, typed);
    fields.name = typed;
    DetailFields unused;
    const DetailRequest request = openDetail(ChannelTable(), 1);
    const DetailResult result = acceptDetail(request, fields, unused);
    QTEST(result.first.name, "kept");
    QTEST(fields.name, "kept");
    ChannelTable table;
    commitDetail(table, result);
    QTEST(table.row(1).name, "tableEntry");
    QTEST(table.cell(1, NameColumn), "kept");
}

// Pasted, dropped and input-method text is taken character by character as if typed.
void ChannelRulesTest::userEdits_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("nameBox"); // else a 4-digit MHz box
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursorAfter");
    QTest::newRow("typed digit") << "14"
                                 << "145" << 3 << false << "145" << 3;
    QTest::newRow("typed into full box") << "1450"
                                         << "14501" << 5 << false << "1450" << 4;
    QTest::newRow("paste with letters") << ""
                                        << "1a2b3" << 5 << false << "123" << 3;
    QTest::newRow("paste too long") << ""
                                    << "123456" << 6 << false << "1234" << 4;
    QTest::newRow("paste in the middle") << "15"
                                         << "1995" << 3 << false << "1995" << 3;
    QTest::newRow("paste in the middle cut") << "125"
                                             << "199925" << 4 << false << "1925" << 2;
    QTest::newRow("selection replaced") << "1234"
                                        << "19" << 2 << false << "19" << 2;
    QTest::newRow("deletion") << "1234"
                              << "124" << 2 << false << "124" << 2;
    QTest::newRow("repeated digit at the cursor") << "55"
                                                  << "555" << 1 << false << "555" << 1;
    QTest::newRow("name paste") << ""
                                << "東X丂Y" << 4 << true << "東XY" << 3;
    QTest::newRow("name paste stops at 16 bytes") << QString(14, 'A') << QString(14, 'A') + "東BC"
                                                  << 17 << true << QString(14, 'A') + "東" << 15;
    QTest::newRow("emoji refused whole") << "A"
                                         << "A\U0001F600" << 3 << true << "A" << 1;
}

void ChannelRulesTest::userEdits() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, cursor);
    QFETCH(bool, nameBox);
    const CharacterRule rule =
        nameBox ? CharacterRule(acceptNameCharacter)
                : [](const QString& text, char32_t c) { return acceptDigit(text, c, MhzBoxLimit); };
    const EditOutcome outcome = filterUserEdit(before, after, cursor, rule);
    QTEST(outcome.text, "text");
    QTEST(outcome.cursor, "cursorAfter");
}

QTEST_GUILESS_MAIN(ChannelRulesTest)
#include "tst_channel_rules.moc"
