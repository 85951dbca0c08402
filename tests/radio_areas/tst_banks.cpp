#include "channels/channel_table.h"
#include "link/protocol.h"
#include "radio_areas/bank_sizes.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::hexBytes;

class BanksTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsAreTenBanksOfHundred() {
        BankSizes sizes;
        QCOMPARE(sizes.total(), 1000);
        QVERIFY(sizes.isWritable());
        QCOMPARE(sizes.size(9), 100);
        QCOMPARE(sizes.size(10), 0);
    }

    void sizeOf1000IsE803() {
        BankSizes sizes;
        for (int b = 0; b < BankCount; ++b)
            sizes.setSize(b, 0);
        sizes.setSize(0, 1000);
        const QByteArray block = sizes.buildBlock(0);
        QCOMPARE(block.left(4), hexBytes("E8 03 00 00"));
        QVERIFY(
            protocol::writeCommand(BankBlockAddress[0], block).startsWith("KV~F00200WE8030000"));

        BankSizes back;
        back.decodeBlock(0, block);
        back.decodeBlock(1, sizes.buildBlock(1));
        QCOMPARE(back, sizes);
    }

    void blockOneCarriesTheFixedWords() {
        BankSizes sizes;
        sizes.setSize(49, 0x123);
        const QByteArray command = protocol::writeCommand(BankBlockAddress[1], sizes.buildBlock(1));
        QCOMPARE(command.size(), 139);
        QCOMPARE(command.mid(10 + 4 * 17, 4), QByteArray("2301"));
        QCOMPARE(command.mid(10 + 4 * 18, 28), QByteArray("6400C80064000300640064001400"));
        QCOMPARE(command.mid(10 + 4 * 18 + 28, 28), QByteArray(28, '0'));
        QCOMPARE(command.back(), '\r');
    }

    // The high nibble of a size's high byte is not part of the size; sizes the table cannot
    // hold leave their bank as it was.
    void decodeIgnoresHighNibbleAndRefusesOversize() {
        BankSizes sizes;
        QByteArray block(64, '\0');
        block[0] = char(0x05);
        block[1] = char(0xF1); // 0x105 = 261
        block[2] = char(0xFF);
        block[3] = char(0x0F); // 4095: no bank holds that much
        sizes.decodeBlock(0, block);
        QCOMPARE(sizes.size(0), 261);
        QCOMPARE(sizes.size(1), 100);
    }

    void totalIsAlwaysTheSum() {
        BankSizes sizes;
        QVERIFY(sizes.stepUp(12));
        QCOMPARE(sizes.total(), 1001);
        QVERIFY(!sizes.isWritable());
        QVERIFY(sizes.stepDown(12));
        QVERIFY(sizes.isWritable());
    }

    void stepRefusals_data() {
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("up");
        QTest::newRow("down on 0") << 12 << 0 << false;
        QTest::newRow("up on 1000") << 12 << 1000 << true;
        QTest::newRow("no bank selected, up") << NoBank << 0 << true;
        QTest::newRow("no bank selected, down") << NoBank << 0 << false;
    }
    void stepRefusals() {
        QFETCH(int, bank);
        QFETCH(int, start);
        QFETCH(bool, up);
        BankSizes sizes;
        if (bank < BankCount)
            sizes.setSize(bank, start);
        const BankSizes before = sizes;
        QVERIFY(!(up ? sizes.stepUp(bank) : sizes.stepDown(bank)));
        QCOMPARE(sizes, before);
    }

    void mendedText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("size");
        QTest::newRow("letters dropped") << "12a5" << 125;
        QTest::newRow("above 1000 gives 100") << "1500" << 100;
        QTest::newRow("empty gives 0") << "" << 0;
        QTest::newRow("exactly 1000") << "1000" << 1000;
        QTest::newRow("leading zeros") << "000012" << 12;
        QTest::newRow("huge") << "99999999999999" << 100;
    }
    void mendedText() {
        QFETCH(QString, typed);
        QFETCH(int, size);
        QCOMPARE(mendedBankSize(typed), size);
    }

    void keyFilter() {
        QVERIFY(bankSizeKeyAccepted("100", QLatin1Char('5')));
        QVERIFY(!bankSizeKeyAccepted("1000", QLatin1Char('5')));
        QVERIFY(bankSizeKeyAccepted("1000", QLatin1Char('\b')));
        QVERIFY(!bankSizeKeyAccepted("1", QLatin1Char('a')));
        QCOMPARE(filteredBankSizeText("1x2y345"), QString("1234"));
    }

    void nonEmptyList() {
        BankSizes sizes;
        for (int b = 0; b < BankCount; ++b)
            sizes.setSize(b, 0);
        sizes.setSize(3, 500);
        sizes.setSize(47, 500);
        const NonEmptyBankList list = sizes.nonEmptyBanks();
        QCOMPARE(list[0], quint8(3));
        QCOMPARE(list[1], quint8(47));
        QCOMPARE(list[2], quint8(NoBank));
        QCOMPARE(list[49], quint8(NoBank));
        QCOMPARE(sizes.firstChannel(47), 500);
    }

    void labelsFollowTheSizesOnlyAt1000() {
        BankSizes sizes;
        for (int b = 0; b < BankCount; ++b)
            sizes.setSize(b, 0);
        sizes.setSize(0, 3);
        sizes.setSize(2, 2);
        sizes.setSize(3, 995);
        ChannelTable table;
        QVERIFY(sizes.relabel(table));
        const QStringList expected = {"Bank000-0", "Bank000-1", "Bank000-2",
                                      "Bank002-0", "Bank002-1", "Bank003-0"};
        for (int r = 0; r < expected.size(); ++r)
            QCOMPARE(table.cell(r + 1, LabelColumn), expected[r]);

        const ChannelTable before = table;
        sizes.setSize(3, 994);
        QVERIFY(!sizes.relabel(table));
        QCOMPARE(table, before);
    }

    void pageChange_data() {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("decision");
        QTest::newRow("valid, memory") << 1000 << int(Page::Memory) << int(PageChange::Proceed);
        QTest::newRow("invalid, bank")
            << 1001 << int(Page::Bank) << int(PageChange::RestoreDefaults);
        QTest::newRow("invalid, memory")
            << 999 << int(Page::Memory) << int(PageChange::AskInitData);
        QTest::newRow("invalid, common")
            << 999 << int(Page::CommonSet) << int(PageChange::AskInitData);
        QTest::newRow("invalid, set mode")
            << 950 << int(Page::SetMode) << int(PageChange::AskInitData);
    }
    void pageChange() {
        QFETCH(int, total);
        QFETCH(int, page);
        QFETCH(int, decision);
        BankSizes sizes;
        sizes.setSize(0, 100 + total - 1000);
        QCOMPARE(int(bankCheckOnPageChange(sizes, Page(page))), decision);
    }

    // Opening the group editor with a wrong total asks instead of resetting silently.
    void groupEditorAsks() {
        BankSizes sizes;
        QCOMPARE(bankCheckOnGroupEditor(sizes), PageChange::Proceed);
        sizes.stepUp(0);
        QCOMPARE(bankCheckOnGroupEditor(sizes), PageChange::AskInitData);
    }
};

QTEST_GUILESS_MAIN(BanksTest)
#include "tst_banks.moc"
