#include "channels/channel_record.h"
#include "radio_areas/title.h"
#include "sim/simulated_radio.h"
#include "transfers/verify.h"

#include <QTest>

using namespace qmh4;

namespace {

WholeRadioOptions fastOptions() {
    WholeRadioOptions options;
    options.main.replyTimeout = options.editors.replyTimeout = std::chrono::milliseconds(2);
    return options;
}

quint32 recordByte(int row, quint32 offset) {
    return recordAddress(recordNumber(row)) + offset;
}

} // namespace

class TestVerify : public QObject {
    Q_OBJECT
private slots:
    // After a clean write the radio's memory is changed behind the program's back; verify must
    // name exactly what changed, and nothing for bytes the radio ignores.
    void reportsWhatTheRadioHolds_data() {
        QTest::addColumn<quint32>("address");
        QTest::addColumn<int>("xorMask");
        QTest::addColumn<QStringList>("expected"); // "area place field"
        QTest::newRow("clean write") << 0u << 0 << QStringList{};
        QTest::newRow("ignored high nibble of a mode byte")
            << recordByte(2, 5) << 0x30 << QStringList{};
        QTest::newRow("mode of row 2")
            << recordByte(2, 5) << 0x01 << QStringList{"channels Bank000-1 mode"};
        QTest::newRow("size of bank 0")
            << BankBlockAddress[0] << 0x01 << QStringList{"banks Bank 0 size"};
        QTest::newRow("title") << TitleAddress << 0x01 << QStringList{"title Title text"};
        QTest::newRow("glyph 2") << quint32(0x01000 + GlyphWireBytes) << 0x80
                                 << QStringList{"glyphs Glyph 2 1 pixels differ, pixels set"};
    }
    void reportsWhatTheRadioHolds() {
        QFETCH(quint32, address);
        QFETCH(int, xorMask);
        QFETCH(QStringList, expected);
        SimulatedRadio radio;
        WholeRadioData data;
        QVERIFY(readWholeRadio(radio, data, fastOptions()).allSucceeded());
        data.glyphs[0].setPixel(3, 3, true); // glyphs of the program's own
        data.glyphsReal = true;
        data.areas.title.setText(QStringLiteral("HELLO"));
        QVERIFY(writeWholeRadio(radio, data, fastOptions()).allSucceeded());
        QByteArray byte = radio.memory(address, 1);
        byte[0] = static_cast<char>(byte[0] ^ xorMask);
        if (xorMask != 0)
            radio.setMemory(address, byte);

        const VerifyResult result = verifyWholeRadio(radio, data, fastOptions());
        QVERIFY(!result.radioFailed());
        QStringList found;
        for (const Difference& difference : result.differences) {
            found << QStringLiteral("%1 %2 %3")
                         .arg(dataAreaName(difference.area), difference.place, difference.field);
        }
        QCOMPARE(found, expected);
    }

    void aRadioThatDoesNotAnswerIsNoVerdict() {
        SimulatedRadio radio;
        radio.setPortFault(true);
        const VerifyResult result = verifyWholeRadio(radio, WholeRadioData{}, fastOptions());
        QVERIFY(result.radioFailed());
        QVERIFY(result.differences.empty());
    }
};

QTEST_GUILESS_MAIN(TestVerify)
#include "tst_verify.moc"
