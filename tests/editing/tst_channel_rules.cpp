#include "editing/channel_rules.h"
#include "editing/grid_editing.h"
#include "editing/typed_edit.h"

#include <QTest>

using namespace qmh4;

class ChannelRulesTest : public QObject {
    Q_OBJECT

private slots:
    // The whole "OK" path of one column set: normalisation, call fallback or single checks,
    // composition.
    void frequencyOnOk_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("mhz");
        QTest::addColumn<QString>("decimals");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, int rowNumber, const char* mhz, const char* decimals,
                            const char* text) {
            QTest::newRow(name) << rowNumber << QString(mhz) << QString(decimals) << QString(text);
        };
        row("short decimals padded", 1, "145", "5", "145.50000");
        row("2000 becomes 145", 1, "2000", "", "145.00000");
        row("0.53098 refused, empty MHz", 1, "", "53098", "");
        row("0.53099 accepted, MHz 0", 1, "0", "53099", "0.53099");
        row("823.99999 accepted", 1, "823", "99999", "823.99999");
        row("824 refused", 1, "824", "00000", "");
        row("880 refused", 1, "880", "00000", "");
        row("1300 refused", 1, "1300", "00000", "");
        row("CALL-VHF 440 falls back", 1401, "440", "", "145.00000");
        row("CALL-UHF 146 becomes 433", 1402, "146", "00000", "433.00000");
        row("CALL-UHF refused band", 1402, "836", "", "433.00000");
        row("CALL-1.2 empty", 1403, "", "", "1295.00000");
    }

    void frequencyOnOk() {
        QFETCH(int, row);
        QFETCH(QString, mhz);
        QFETCH(QString, decimals);
        DetailFields fields;
        fields.frequency = {mhz, decimals};
        const DetailRecord record = recordFromFields(fields, channelKindOfRow(row), row);
        QTEST(record.frequency, "text");
    }

    // The offset as "OK" writes it: at most 999.995 MHz, kHz padded, empty boxes 0.
    void offsets_data() {
        QTest::addColumn<QString>("mhz");
        QTest::addColumn<QString>("khz");
        QTest::addColumn<QString>("text");
        QTest::newRow("999.999") << u"999"_qs << u"999"_qs << u"999.995"_qs;
        QTest::newRow("999.5") << u"999"_qs << u"5"_qs << u"999.500"_qs;
        QTest::newRow("998.999") << u"998"_qs << u"999"_qs << u"998.999"_qs;
        QTest::newRow("007.6") << u"007"_qs << u"6"_qs << u"7.600"_qs;
        QTest::newRow("empty") << QString() << QString() << u"0.000"_qs;
    }

    void offsets() {
        QFETCH(QString, mhz);
        QFETCH(QString, khz);
        DetailFields fields;
        fields.frequency = {"145", "00000"};
        fields.offset = {mhz, khz};
        QTEST(recordFromFields(fields, ChannelKind::Single, 1).offset, "text");
    }

    // Keys, and pasted, dropped and input-method text taken character by character as if typed.
    // A name holds 16 counted bytes: a double-byte character needs two, so does a glyph marker.
    void userEdits_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<bool>("nameBox"); // else a 4-digit MHz box
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursorAfter");
        const auto row = [](const char* name, const QString& before, const QString& after,
                            int cursor, bool nameBox, const QString& text, int cursorAfter) {
            QTest::newRow(name) << before << after << cursor << nameBox << text << cursorAfter;
        };
        const QString a14(14, 'A'), a15(15, 'A'), markers = ":1~:2~:3~:4~:5~:6~:7~";
        row("typed into full box", "1450", "14501", 5, false, "1450", 4);
        row("paste in the middle cut", "125", "199925", 4, false, "1925", 2);
        row("name paste stops at 16 bytes", a14, a14 + "東BC", 17, true, a14 + "東", 15);
        row("emoji refused whole", "A", "A\U0001F600", 3, true, "A", 1);
        row("kanji at 15 bytes", a15, a15 + "東", 16, true, a15, 15);
        row("eight markers fill it", markers + ":8~", markers + ":8~A", 25, true, markers + ":8~",
            24);
    }

    void userEdits() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, cursor);
        QFETCH(bool, nameBox);
        const CharacterRule rule =
            nameBox ? CharacterRule(acceptNameCharacter) : [](const QString& text, char32_t c) {
                return acceptDigit(text, c, MhzBoxLimit);
            };
        const EditOutcome outcome = filterUserEdit(before, after, cursor, rule);
        QTEST(outcome.text, "text");
        QTEST(outcome.cursor, "cursorAfter");
    }
};

QTEST_GUILESS_MAIN(ChannelRulesTest)
#include "tst_channel_rules.moc"
