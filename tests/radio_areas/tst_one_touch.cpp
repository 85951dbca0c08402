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
        QTest::addColumn<bool>("noSetting");
        QTest::newRow("bank now empty reads as first bank") << "07 02 00" << 0 << 0 << false;
        QTest::newRow("channel beyond the bank") << "05 04 00" << 1 << 0 << false;
        QTest::newRow("last channel of the bank") << "05 03 00" << 1 << 3 << false;
        QTest::newRow("not set") << "FF 03 00" << 0 << 0 << true;
        QTest::newRow("end marker is no bank") << "64 00 00" << 0 << 0 << false;
    }
    void decodeCases() {
        QFETCH(QString, entry);
        QFETCH(int, bankPosition);
        QFETCH(int, channelPosition);
        QFETCH(bool, noSetting);
        const BankSizes banks = banksOf({{0, 10}, {5, 4}, {6, 986}});
        OneTouch oneTouch(banks);
        oneTouch.chooseBank(4, 2);
        oneTouch.chooseChannel(4, 7);
        oneTouch.decodeBlock(blockWithEntry(4, entry.toLatin1().constData()), banks);
        QCOMPARE(oneTouch.entry(4), (OneTouchEntry{bankPosition, channelPosition, noSetting}));
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

    // "No Setting" and an entry with no bank to name are written as not set, never as the
    // list's end marker; the "Reset" checks every "No Setting".
    void notSetIsFF() {
        OneTouch oneTouch;
        oneTouch.chooseBank(0, 3);
        oneTouch.chooseChannel(0, 42);
        oneTouch.setNoSetting(0, true);
        QCOMPARE(oneTouch.buildBlock().mid(0, 3), hexBytes("FF 00 00"));
        oneTouch.reset();
        QCOMPARE(oneTouch.buildBlock(), hexBytes("FF 00 00").repeated(OneTouchCount));
        OneTouch noBanks(banksOf({}));
        QCOMPARE(noBanks.bankCount(), 0);
        QCOMPARE(noBanks.buildBlock().mid(0, 3), hexBytes("FF 00 00"));
    }

    // A bank of more than 256 channels offers only the positions one byte can hold.
    void channelPositionsStopAt255() {
        const BankSizes banks = banksOf({{0, 1000}});
        OneTouch oneTouch(banks);
        QCOMPARE(oneTouch.channelCount(0), 256);
        QCOMPARE(oneTouch.channelEntries(0).last(), QString("255"));
        QVERIFY(oneTouch.chooseChannel(0, 255));
        QVERIFY(!oneTouch.chooseChannel(0, 256));
        QCOMPARE(oneTouch.buildBlock().mid(0, 3), hexBytes("00 FF 00"));
    }

    void rebuildKeepsBankAndChannel() {
        BankSizes banks = banksOf({{0, 500}, {5, 500}});
        OneTouch oneTouch(banks);
        oneTouch.chooseBank(0, 1);
        oneTouch.chooseChannel(0, 40);
        oneTouch.chooseBank(1, 0);
        oneTouch.chooseChannel(1, 300);
        banks = banksOf({{0, 200}, {2, 300}, {5, 500}});
        oneTouch.rebuild(banks);
        QCOMPARE(oneTouch.bankAt(oneTouch.entry(0).bankPosition), 5);
        QCOMPARE(oneTouch.entry(0).channelPosition, 40);
        QCOMPARE(oneTouch.bankAt(oneTouch.entry(1).bankPosition), 0);
        QCOMPARE(oneTouch.entry(1).channelPosition, 0); // bank 0 shrank below 301
        banks = banksOf({{2, 1000}});
        oneTouch.rebuild(banks);
        QCOMPARE(oneTouch.bankAt(oneTouch.entry(0).bankPosition), 2);
        QCOMPARE(oneTouch.entry(0).channelPosition, 0);
    }

    void fileValues() {
        const BankSizes banks = banksOf({{0, 500}, {5, 500}});
        OneTouch oneTouch(banks);
        oneTouch.chooseBank(3, 1);
        oneTouch.chooseChannel(3, 7);
        oneTouch.setNoSetting(8, true);
        OneTouch back;
        back.applyFileBankValues(oneTouch.fileBankValues(), banks);
        back.applyFileChannelValues(oneTouch.fileChannelValues());
        QCOMPARE(back, oneTouch);
        // A position outside the lists leaves the entry as it was.
        std::array<int, OneTouchCount> bad{};
        bad.fill(7);
        back.applyFileBankValues(bad, banks);
        QCOMPARE(back.entry(3).bankPosition, 1);
    }
};

QTEST_GUILESS_MAIN(OneTouchTest)
#include "tst_one_touch.moc"
