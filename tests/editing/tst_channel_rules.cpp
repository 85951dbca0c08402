#include "editing/channel_rules.h"
#include "editing/grid_editing.h"
#include "editing/typed_edit.h"

#include <QTest>

using namespace qmh4;

class ChannelRulesTest : public QObject {
    Q_OBJECT

private slots:
    // The whole "OK" path of one column set: normalisation, call fallback or single checks,
    // composition. Also checks what the boxes show afterwards.
    void frequencyOnOk_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("mhz");
        QTest::addColumn<QString>("decimals");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shownMhz");
        QTest::addColumn<QString>("shownDecimals");
        // `shown` is "MHz.decimals" as the boxes show it afterwards, empty for two empty boxes.
        const auto row = [](const char* name, int rowNumber, const char* mhz, const char* decimals,
                            const char* text, const char* shown = nullptr) {
            const QStringList boxes = QString::fromUtf8(shown ? shown : text).split('.');
            QTest::newRow(name) << rowNumber << QString(mhz) << QString(decimals) << QString(text)
                                << boxes.value(0) << boxes.value(1);
        };
        row("short decimals padded", 1, "145", "5", "145.50000");
        row("2000 becomes 145", 1, "2000", "", "145.00000");
        row("0.53098 refused, empty MHz", 1, "", "53098", "");
        row("0.53099 accepted, MHz 0", 1, "0", "53099", "0.53099");
        row("823.99999 accepted", 1, "823", "99999", "823.99999");
        row("824 refused", 1, "824", "00000", "");
        row("850 accepted", 1, "850", "00000", "850.00000");
        row("880 refused", 1, "880", "00000", "");
        row("895 accepted", 1, "895", "00000", "895.00000");
        row("1299.99999 accepted", 1, "1299", "99999", "1299.99999");
        row("1300 refused", 1, "1300", "00000", "");
        row("CALL-VHF 440 falls back", 1401, "440", "", "145.00000");
        row("CALL-UHF 146 becomes 433", 1402, "146", "00000", "433.00000");
        row("CALL-UHF refused band", 1402, "836", "", "433.00000");
        row("CALL-1.2 empty", 1403, "", "", "1295.00000");
        row("dual refused band", 1102, "836", "", "");
    }

    void frequencyOnOk() {
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

    // Focus loss of each box, then "OK" (which also runs when Enter is pressed in a box, without
    // any focus loss).
    void offsets_data() {
        QTest::addColumn<QString>("mhz");
        QTest::addColumn<QString>("khz");
        QTest::addColumn<QString>("mhzShown");
        QTest::addColumn<QString>("khzShown");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* mhz, const char* khz, const char* text) {
            const QStringList shown = QString(text).split('.');
            QTest::newRow(qPrintable(QStringLiteral("%1.%2").arg(mhz, khz)))
                << QString(mhz) << QString(khz) << shown[0] << shown[1] << QString(text);
        };
        row("999", "999", "999.995");
        row("999", "996", "999.995");
        row("999", "5", "999.500");
        row("998", "999", "998.999");
        row("007", "6", "7.600"); // leading zeros, short kHz
        row("", "", "0.000");
        row("1a2", "x25", "12.250");
        row("0", "1234", "0.000"); // too long kHz
    }

    void offsets() {
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

    // Single-byte characters fit up to 16 counted bytes, double-byte ones up to 15; the limits
    // themselves are met in the paste rows below and in the dialog's box test.
    void nameKeys_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("character");
        QTest::addColumn<bool>("accepted");
        const QString fifteen(15, QLatin1Char('A'));
        QTest::newRow("kanji at 15") << fifteen << uint(U'東') << false;
        QTest::newRow("markers count 2 each") << ":1~:2~:3~:4~:5~:6~:7~" << uint(U'東') << true;
        QTest::newRow("eight markers fill it") << ":1~:2~:3~:4~:5~:6~:7~:8~" << uint('A') << false;
        QTest::newRow("tab") << "" << uint('\t') << false;
    }

    void nameKeys() {
        QFETCH(QString, name);
        QFETCH(uint, character);
        QTEST(acceptNameCharacter(name, static_cast<char32_t>(character)), "accepted");
    }

    void nameOnOk_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("tableEntry");
        QTest::newRow("東 kept") << u"東京CQ"_qs << u"東京CQ"_qs << u"東京CQ"_qs;
        QTest::newRow("kanji outside the radio's table dropped")
            << u"A丼B"_qs << u"AB"_qs << u"AB"_qs;
        QTest::newRow("glyph character itself dropped") << u"①"_qs << QString() << QString();
        QTest::newRow("markers become glyphs") << u":1~CQ:8~"_qs << u":1~CQ:8~"_qs << u"①CQ⑧"_qs;
    }

    void nameOnOk() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(filterNameForRadio(typed), kept);
        QTEST(nameWithGlyphs(kept), "tableEntry");
    }

    // Pasted, dropped and input-method text is taken character by character as if typed.
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
        const QString a14(14, 'A');
        row("typed into full box", "1450", "14501", 5, false, "1450", 4);
        row("paste in the middle cut", "125", "199925", 4, false, "1925", 2);
        row("selection replaced", "1234", "19", 2, false, "19", 2);
        row("repeated digit at the cursor", "55", "555", 1, false, "555", 1);
        row("name paste stops at 16 bytes", a14, a14 + "東BC", 17, true, a14 + "東", 15);
        row("emoji refused whole", "A", "A\U0001F600", 3, true, "A", 1);
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
