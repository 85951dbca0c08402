#include "editing/channel_rules.h"
#include "editing/grid_editing.h"
#include "editing/typed_edit.h"

#include <QTest>

using namespace qmh4;

class ChannelRulesTest : public QObject {
    Q_OBJECT

private slots:
    // The whole "OK" path of one column set: frequency normalisation, call fallback or single
    // checks, composition; the offset at most 999.995 MHz, kHz padded, empty boxes 0.
    void recordOnOk_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("boxes"); // MHz, decimals, offset MHz, offset kHz
        QTest::addColumn<QStringList>("texts"); // frequency, offset
        const auto row = [](const char* name, int rowNumber, const QStringList& boxes,
                            const QStringList& texts) {
            QTest::newRow(name) << rowNumber << boxes << texts;
        };
        const QString zero = "0.000";
        row("short decimals padded", 1, {"145", "5", "", ""}, {"145.50000", zero});
        row("2000 becomes 145", 1, {"2000", "", "", ""}, {"145.00000", zero});
        row("0.53098 refused, empty MHz", 1, {"", "53098", "", ""}, {"", zero});
        row("0.53099 accepted, MHz 0", 1, {"0", "53099", "", ""}, {"0.53099", zero});
        row("823.99999 accepted", 1, {"823", "99999", "", ""}, {"823.99999", zero});
        row("824 refused", 1, {"824", "00000", "", ""}, {"", zero});
        row("880 refused", 1, {"880", "00000", "", ""}, {"", zero});
        row("1300 refused", 1, {"1300", "00000", "", ""}, {"", zero});
        row("CALL-VHF 440 falls back", 1401, {"440", "", "", ""}, {"145.00000", zero});
        row("CALL-UHF 146 becomes 433", 1402, {"146", "00000", "", ""}, {"433.00000", zero});
        row("CALL-UHF refused band", 1402, {"836", "", "", ""}, {"433.00000", zero});
        row("CALL-1.2 empty", 1403, {"", "", "", ""}, {"1295.00000", zero});
        row("offset 999.999", 1, {"145", "0", "999", "999"}, {"145.00000", "999.995"});
        row("offset 999.5", 1, {"145", "0", "999", "5"}, {"145.00000", "999.500"});
        row("offset 998.999", 1, {"145", "0", "998", "999"}, {"145.00000", "998.999"});
        row("offset 007.6", 1, {"145", "0", "007", "6"}, {"145.00000", "7.600"});
    }

    void recordOnOk() {
        QFETCH(int, row);
        QFETCH(QStringList, boxes);
        DetailFields fields;
        fields.frequency = {boxes[0], boxes[1]};
        fields.offset = {boxes[2], boxes[3]};
        const DetailRecord record = recordFromFields(fields, channelKindOfRow(row), row);
        QTEST(QStringList({record.frequency, record.offset}), "texts");
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
