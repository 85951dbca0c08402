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
    void offsets_data();
    void offsets();
    void nameKeys_data();
    void nameKeys();
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
    QTest::newRow("2000 becomes 145") << 1 << "2000"
                                      << ""
                                      << "145.00000"
                                      << "145"
                                      << "00000";
    QTest::newRow("0.53098 refused, empty MHz") << 1 << ""
                                                << "53098"
                                                << ""
                                                << ""
                                                << "";
    QTest::newRow("0.53099 accepted, MHz 0") << 1 << "0"
                                             << "53099"
                                             << "0.53099"
                                             << "0"
                                             << "53099";
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

// Focus loss of each box, then "OK" (which also runs when Enter is pressed in a box, without any
// focus loss).
void ChannelRulesTest::offsets_data() {
    QTest::addColumn<QString>("mhz");
    QTest::addColumn<QString>("khz");
    QTest::addColumn<QString>("mhzShown");
    QTest::addColumn<QString>("khzShown");
    QTest::addColumn<QString>("text");
    QTest::newRow("999.999 becomes 999.995") << "999"
                                             << "999"
                                             << "999"
                                             << "995"
                                             << "999.995";
    QTest::newRow("999.996 becomes 999.995") << "999"
                                             << "996"
                                             << "999"
                                             << "995"
                                             << "999.995";
    QTest::newRow("999.5 padded") << "999"
                                  << "5"
                                  << "999"
                                  << "500"
                                  << "999.500";
    QTest::newRow("998.999 kept") << "998"
                                  << "999"
                                  << "998"
                                  << "999"
                                  << "998.999";
    QTest::newRow("leading zeros, short kHz") << "007"
                                              << "6"
                                              << "7"
                                              << "600"
                                              << "7.600";
    QTest::newRow("empty boxes") << ""
                                 << ""
                                 << "0"
                                 << "000"
                                 << "0.000";
    QTest::newRow("non-digits") << "1a2"
                                << "x25"
                                << "12"
                                << "250"
                                << "12.250";
    QTest::newRow("too long kHz") << "0"
                                  << "1234"
                                  << "0"
                                  << "000"
                                  << "0.000";
}

void ChannelRulesTest::offsets() {
    QFETCH(QString, mhz);
    QFETCH(QString, khz);
    const QString mhzShown = normaliseOffsetMhz(mhz);
    QTEST(mhzShown, "mhzShown");
    QTEST(normaliseOffsetKhz(khz, mhzShown), "khzShown");
    DetailFields fields;
    fields.frequency = {"145", "00000"};
    fields.offset = {mhz, khz};
    QTEST(recordFromFields(fields, ChannelKind::Single, 1).offset, "text");
}

void ChannelRulesTest::nameKeys_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("character");
    QTest::addColumn<bool>("accepted");
    const QString fifteen(15, QLatin1Char('A'));
    QTest::newRow("16th byte single") << fifteen << uint('B') << true;
    QTest::newRow("17th byte single") << fifteen + "B" << uint('C') << false;
    QTest::newRow("kanji at 14") << fifteen.left(14) << uint(U'東') << true;
    QTest::newRow("kanji at 15") << fifteen << uint(U'東') << false;
    QTest::newRow("markers count 2 each") << ":1~:2~:3~:4~:5~:6~:7~" << uint(U'東') << true;
    QTest::newRow("eight markers fill it") << ":1~:2~:3~:4~:5~:6~:7~:8~" << uint('A') << false;
    QTest::newRow("emoji") << "" << uint(0x1F600) << false;
    QTest::newRow("tab") << "" << uint('\t') << false;
}

void ChannelRulesTest::nameKeys() {
    QFETCH(QString, name);
    QFETCH(uint, character);
    QTEST(acceptNameCharacter(name, static_cast<char32_t>(character)), "accepted");
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
    QTest::newRow("glyph character itself dropped") << "①"
                                                    << ""
                                                    << "";
    QTest::newRow("markers become glyphs") << ":1~CQ:8~"
                                           << ":1~CQ:8~"
                                           << "①CQ⑧";
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
    QTest::newRow("typed into full box") << "1450"
                                         << "14501" << 5 << false << "1450" << 4;
    QTest::newRow("paste with letters") << ""
                                        << "1a2b3" << 5 << false << "123" << 3;
    QTest::newRow("paste in the middle cut") << "125"
                                             << "199925" << 4 << false << "1925" << 2;
    QTest::newRow("selection replaced") << "1234"
                                        << "19" << 2 << false << "19" << 2;
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
