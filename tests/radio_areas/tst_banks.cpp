#include "bank_test_support.h"
#include "channels/channel_table.h"
#include "link/protocol.h"
#include "radio_areas/bank_sizes.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::banksOf;

class BanksTest : public QObject {
    Q_OBJECT

private slots:
    // Block 1 holds banks 32..49, then the seven fixed words, then zeros: 139 characters.
    void blocksRoundTrip() {
        const BankSizes sizes = banksOf({{0, 1000}, {33, 7}, {49, 0x123}});
        const QByteArray command = protocol::writeCommand(BankBlockAddress[1], sizes.buildBlock(1));
        QCOMPARE(command.size(), 139);
        QCOMPARE(command.mid(10 + 4 * 17, 4), QByteArray("2301"));
        QCOMPARE(command.mid(10 + 4 * 18, 28), QByteArray("6400C80064000300640064001400"));
        QCOMPARE(command.mid(10 + 4 * 18 + 28, 28), QByteArray(28, '0'));
        BankSizes back;
        back.decodeBlock(0, sizes.buildBlock(0));
        back.decodeBlock(1, sizes.buildBlock(1));
        QCOMPARE(back, sizes);
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

    // "Up"/"Down" on the selected bank; the total is always the sum of the sizes.
    void steps_data() {
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("total");
        QTest::newRow("up from 0") << 12 << 0 << true << true << 1001;
        QTest::newRow("down to 0") << 12 << 1 << false << true << 1000;
        QTest::newRow("down on 0") << 12 << 0 << false << false << 1000;
        QTest::newRow("up on 1000") << 12 << 1000 << true << false << 2000;
        QTest::newRow("no bank selected, up") << NoBank << 0 << true << false << 1000;
        QTest::newRow("no bank selected, down") << NoBank << 0 << false << false << 1000;
    }
    void steps() {
        QFETCH(int, bank);
        QFETCH(int, start);
        QFETCH(bool, up);
        QFETCH(bool, changed);
        QFETCH(int, total);
        BankSizes sizes;
        sizes.setSize(bank, start);
        const BankSizes before = sizes;
        QCOMPARE(up ? sizes.stepUp(bank) : sizes.stepDown(bank), changed);
        QCOMPARE(sizes == before, !changed);
        QCOMPARE(sizes.total(), total);
        QCOMPARE(sizes.isWritable(), total == 1000);
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

    void labelsFollowTheSizesOnlyAt1000() {
        BankSizes sizes = banksOf({{0, 3}, {2, 2}, {3, 995}});
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

    // Page -1 is the opening of the group editor: it asks like a page change instead of
    // resetting silently.
    void bankCheck_data() {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("decision");
        QTest::newRow("valid, memory") << 1000 << int(Page::Memory) << int(PageChange::Proceed);
        QTest::newRow("invalid, bank")
            << 1001 << int(Page::Bank) << int(PageChange::RestoreDefaults);
        QTest::newRow("invalid, memory")
            << 999 << int(Page::Memory) << int(PageChange::AskInitData);
        QTest::newRow("valid, group editor") << 1000 << -1 << int(PageChange::Proceed);
        QTest::newRow("invalid, group editor") << 1001 << -1 << int(PageChange::AskInitData);
    }
    void bankCheck() {
        QFETCH(int, total);
        QFETCH(int, page);
        QFETCH(int, decision);
        BankSizes sizes;
        sizes.setSize(0, 100 + total - 1000);
        QCOMPARE(int(page < 0 ? bankCheckOnGroupEditor(sizes)
                              : bankCheckOnPageChange(sizes, Page(page))),
                 decision);
    }
};

QTEST_GUILESS_MAIN(BanksTest)
#include "tst_banks.moc"
