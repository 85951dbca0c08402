#include "radio_areas/groups.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::hexBytes;

class GroupsTest : public QObject {
    Q_OBJECT

private slots:
    void groupZeroWithBanks0749() {
        Groups groups;
        for (int bank : {0, 7, 49})
            groups.setMember(bank, 0, true);
        const QByteArray data = groups.buildBlock(0);
        QCOMPARE(data.size(), 48);
        QCOMPARE(data.left(8), hexBytes("81 00 00 00 00 00 40 00"));
        QCOMPARE(groups.buildBlock(1).size(), 40);
    }

    // Trailing bytes of a read beyond the groups' records change nothing.
    void roundTripOfEveryGroup() {
        Groups groups;
        for (int bank = 0; bank < BankCount; ++bank)
            for (int group = 0; group < GroupCount; ++group)
                groups.setMember(bank, group, (bank * 7 + group * 3) % 5 == 0);
        Groups back;
        back.decodeBlock(0, groups.buildBlock(0) + QByteArray(16, '\0'));
        back.decodeBlock(1, groups.buildBlock(1) + QByteArray(24, char(0xFF)));
        QCOMPARE(back, groups);
    }

    // Five blocks of ten banks, a separator column between blocks.
    void columns_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("bank"); // -1: no bank
        QTest::newRow("labels") << 0 << -1;
        QTest::newRow("first") << 1 << 0;
        QTest::newRow("ninth") << 10 << 9;
        QTest::newRow("separator 11") << 11 << -1;
        QTest::newRow("bank 10") << 12 << 10;
        QTest::newRow("separator 44") << 44 << -1;
        QTest::newRow("bank 40") << 45 << 40;
        QTest::newRow("last") << 54 << 49;
        QTest::newRow("beyond") << 55 << -1;
    }
    void columns() {
        QFETCH(int, column);
        QFETCH(int, bank);
        QCOMPARE(bankOfGroupColumn(column).value_or(-1), bank);
        if (bank >= 0)
            QCOMPARE(groupColumnOfBank(bank), column);
    }

    // Header row, label column, separators and empty banks change nothing when clicked.
    void clicks() {
        Groups groups;
        QVERIFY(groups.click(1, 12));
        QVERIFY(groups.isMember(10, 0));
        QVERIFY(groups.click(1, 12));
        QVERIFY(!groups.isMember(10, 0));

        groups.setMember(12, 3, true);
        groups.setMember(12, 10, true);
        groups.setMember(2, 3, true);
        groups.prepare(BankSizes{}); // banks 10..49 are empty
        QVERIFY(groups.isUnusable(12));
        QVERIFY(!groups.isMember(12, 3));
        QVERIFY(!groups.isMember(12, 10));
        QVERIFY(groups.isMember(2, 3));
        const Groups before = groups;
        QVERIFY(!groups.click(3, 22)); // separator
        QVERIFY(!groups.click(0, 5));  // header row
        QVERIFY(!groups.click(4, 0));  // label column
        QVERIFY(!groups.click(4, groupColumnOfBank(12)));
        QCOMPARE(groups, before);
        QVERIFY(groups.click(4, groupColumnOfBank(2)));
    }

    void clearLabelsAndBadIndices() {
        Groups groups;
        groups.setMember(1, 1, true);
        groups.clear();
        QCOMPARE(groups, Groups{});
        // Indices from a file or a click outside the grid change nothing.
        groups.setMember(3, 11, true);
        groups.setMember(50, 0, true);
        groups.setMember(-1, 0, true);
        QCOMPARE(groups, Groups{});
        QVERIFY(!groups.isMember(50, 0));
        QCOMPARE(groupLabel(10), QString("GroupB"));
        QCOMPARE(groupOfGroupRow(11).value_or(-1), 10);
    }
};

QTEST_GUILESS_MAIN(GroupsTest)
#include "tst_groups.moc"
