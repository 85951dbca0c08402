#include "bank_test_support.h"
#include "channels/channel_table.h"
#include "link/protocol.h"
#include "radio_areas/bank_sizes.h"
#include "radio_areas/radio_areas.h"
#include "support/test_support.h"

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

    // The high nibble of a size's high byte is not part of the size; a size above 1000 still
    // replaces the old one, as 1000.
    void decodeIgnoresHighNibbleAndLimitsOversize() {
        BankSizes sizes;
        // 0xF105: 261; 0x0FFF = 4095: no bank holds that much.
        sizes.decodeBlock(0, test::hexBytes("05 F1 FF 0F").leftJustified(64, '\0'));
        QCOMPARE(sizes.size(0), 261);
        QCOMPARE(sizes.size(1), MaxBankSize);
    }

    // "Up"/"Down" on the selected bank; the total is always the sum of the sizes.
    void steps_data() {
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("total");
        QTest::newRow("up from 0") << 12 << 0 << true << true << 1001;
        QTest::newRow("up on 1000") << 12 << 1000 << true << false << 2000;
        QTest::newRow("no bank selected") << NoBank << 0 << true << false << 1000;
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

    // The labels themselves are pinned with the channel table; here only the 1000 rule.
    void labelsFollowTheSizesOnlyAt1000() {
        BankSizes sizes = banksOf({{0, 3}, {2, 2}, {3, 995}});
        ChannelTable table;
        QVERIFY(sizes.relabel(table));
        QCOMPARE(table.cell(4, LabelColumn), QString("Bank002-0"));
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
        QTest::newRow("invalid, bank")
            << 1001 << int(Page::Bank) << int(PageChange::RestoreDefaults);
        QTest::newRow("invalid, memory")
            << 999 << int(Page::Memory) << int(PageChange::AskInitData);
        QTest::newRow("invalid, group editor") << 1001 << -1 << int(PageChange::AskInitData);
        QTest::newRow("valid, group editor") << 1000 << -1 << int(PageChange::Proceed);
    }
    void bankCheck() {
        QFETCH(int, total);
        QFETCH(int, page);
        BankSizes sizes;
        sizes.setSize(0, 100 + total - 1000);
        QTEST(int(page < 0 ? bankCheckOnGroupEditor(sizes)
                           : bankCheckOnPageChange(sizes, Page(page))),
              "decision");
    }

    // Going ahead with a wrong total (the user's OK) restores the default sizes first.
    void wrongTotalRestoresDefaultsOnPageChange() {
        RadioAreas areas;
        areas.banks.setSize(0, 7);
        ChannelTable table;
        areas.enterPage(Page::SetMode, table);
        QCOMPARE(areas.banks, BankSizes{});
    }
};

QTEST_GUILESS_MAIN(BanksTest)
#include "tst_banks.moc"
