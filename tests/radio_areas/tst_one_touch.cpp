#include "bank_test_support.h"
#include "radio_areas/one_touch.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::banksOf;
using qmh4::test::hexBytes;

namespace {

QByteArray blockWithEntry(int k, const char* hex) {
    QByteArray data(64, '\0');
    for (int e = 0; e < OneTouchCount; ++e)
        data[3 * e] = char(0xFF);
    data.replace(3 * k, 3, hexBytes(hex));
    return data;
}

} // namespace

class OneTouchTest : public QObject {
    Q_OBJECT

private slots:
    void bankFivePositionThree() {
        const BankSizes banks = banksOf({{0, 500}, {5, 500}});
        OneTouch oneTouch(banks);
        for (int k = 0; k < OneTouchCount; ++k)
            oneTouch.setNoSetting(k, true);
        oneTouch.setNoSetting(2, false);
        QCOMPARE(oneTouch.bankEntries(), QStringList({"0", "5"}));
        QVERIFY(oneTouch.chooseBank(2, 1));
        QVERIFY(oneTouch.chooseChannel(2, 3));
        const QByteArray data = oneTouch.buildBlock();
        QCOMPARE(data.size(), OneTouchBlockSize);
        QCOMPARE(data.mid(0, 9), hexBytes("FF 00 00 FF 00 00 05 03 00"));

        OneTouch back(banks);
        back.decodeBlock(data, banks);
        QCOMPARE(back, oneTouch);
    }

    // (stored bank, stored channel) against banks 0 (size 10) and 5 (size 4).
    void decodeCases_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("bankPosition");
        QTest::addColumn<int>("channelPosition");
        QTest::newRow("bank now empty reads as first bank") << "07 02 00" << 0 << 0;
        QTest::newRow("channel beyond the bank") << "05 04 00" << 1 << 0;
        QTest::newRow("end marker is no bank") << "64 00 00" << 0 << 0;
    }
    void decodeCases() {
        QFETCH(QString, entry);
        QFETCH(int, bankPosition);
        QFETCH(int, channelPosition);
        const BankSizes banks = banksOf({{0, 10}, {5, 4}, {6, 986}});
        OneTouch oneTouch(banks);
        oneTouch.chooseBank(4, 2);
        oneTouch.chooseChannel(4, 7);
        oneTouch.decodeBlock(blockWithEntry(4, entry.toLatin1().constData()), banks);
        QCOMPARE(oneTouch.entry(4), (OneTouchEntry{bankPosition, channelPosition, false}));
    }

    // The read looks the radio's banks up among the banks as they are now, not among the list
    // built before the banks were read.
    void decodeUsesCurrentBanks() {
        OneTouch oneTouch; // lists of the default banks 0..9
        const BankSizes read = banksOf({{20, 600}, {30, 400}});
        oneTouch.decodeBlock(blockWithEntry(0, "1E 09 00"), read);
        QCOMPARE(oneTouch.bankEntries(), QStringList({"20", "30"}));
        QCOMPARE(oneTouch.entry(0), (OneTouchEntry{1, 9, false}));
        // Written back, the radio gets what it held.
        QCOMPARE(oneTouch.buildBlock().mid(0, 3), hexBytes("1E 09 00"));
    }

    // File values: bank 255 checks "No Setting", which writes FF with the channel list's
    // position; a bank position outside the list leaves the entry as it was. An entry with no
    // bank to name is written as not set, never as the list's end marker.
    void fileValuesAndNotSet() {
        const BankSizes banks = banksOf({{0, 500}, {5, 500}});
        OneTouch oneTouch(banks);
        oneTouch.chooseBank(3, 1);
        std::array<int, OneTouchCount> values{};
        values.fill(7);
        oneTouch.applyFileBankValues(values, banks);
        QCOMPARE(oneTouch.entry(3).bankPosition, 1);
        values.fill(255);
        oneTouch.applyFileBankValues(values, banks);
        values.fill(44);
        oneTouch.applyFileChannelValues(values);
        QCOMPARE(oneTouch.buildBlock().mid(9, 3), hexBytes("FF 2C 00"));
        QCOMPARE(OneTouch(banksOf({})).buildBlock().mid(0, 3), hexBytes("FF 00 00"));
    }

    // A bank of more than 256 channels offers only the positions one byte can hold.
    void channelPositionsStopAt255() {
        const BankSizes banks = banksOf({{0, 1000}});
        OneTouch oneTouch(banks);
        QCOMPARE(oneTouch.channelEntries(0).last(), QString("255"));
        QVERIFY(oneTouch.chooseChannel(0, 255));
        QVERIFY(!oneTouch.chooseChannel(0, 256));
        QCOMPARE(oneTouch.buildBlock().mid(0, 3), hexBytes("00 FF 00"));
    }
};

QTEST_GUILESS_MAIN(OneTouchTest)
#include "tst_one_touch.moc"
