#include "link/protocol.h"
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
        QCOMPARE(protocol::writeCommand(GroupBlockAddress[0], data).size(), 107);
        QCOMPARE(protocol::writeCommand(GroupBlockAddress[1], groups.buildBlock(1)).size(), 91);
    }

    void roundTripOfEveryGroup() {
        Groups groups;
        for (int bank = 0; bank < BankCount; ++bank)
            for (int group = 0; group < GroupCount; ++group)
                groups.setMember(bank, group, (bank * 7 + group * 3) % 5 == 0);
        Groups back;
        back.decodeBlock(0, groups.buildBlock(0) + QByteArray(16, '\0'));
        back.decodeBlock(1, groups.buildBlock(1) + QByteArray(24, char(0xFF)));
        QCOMPARE(back, groups);
        QVERIFY(back.isMember(48, 10) == groups.isMember(48, 10));
    }

    void columns_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("bank"); // -1: no bank
        QTest::newRow("labels") << 0 << -1;
        QTest::newRow("first") << 1 << 0;
        QTest::newRow("ninth") << 10 << 9;
        QTest::newRow("separator 11") << 11 << -1;
        QTest::newRow("bank 10") << 12 << 10;
        QTest::newRow("separator 22") << 22 << -1;
        QTest::newRow("bank 20") << 23 << 20;
        QTest::newRow("separator 33") << 33 << -1;
        QTest::newRow("separator 44") << 44 << -1;
        QTest::newRow("bank 40") << 45 << 40;
        QTest::newRow("last") << 54 << 49;
        QTest::newRow("beyond") << 55 << -1;
    }
    void columns() {
        QFETCH(int, column);
        QFETCH(int, bank);
        const auto found = bankOfGroupColumn(column);
        QCOMPARE(found.value_or(-1), bank);
        if (bank >= 0)
            QCOMPARE(groupColumnOfBank(bank), column);
    }

    void clicks() {
        Groups groups;
        QVERIFY(groups.click(1, 12));
        QVERIFY(groups.isMember(10, 0));
        QVERIFY(groups.click(1, 12));
        QVERIFY(!groups.isMember(10, 0));

        const Groups before = groups;
        QVERIFY(!groups.click(3, 22)); // separator
        QVERIFY(!groups.click(0, 5));  // header row
        QVERIFY(!groups.click(4, 0));  // label column
        QCOMPARE(groups, before);
    }

    void emptyBanksAreUnusable() {
        BankSizes sizes;
        Groups groups;
        groups.setMember(12, 3, true);
        groups.setMember(12, 10, true);
        groups.setMember(2, 3, true);
        groups.prepare(sizes); // banks 10..49 are empty
        QVERIFY(groups.isUnusable(12));
        QVERIFY(!groups.isMember(12, 3));
        QVERIFY(!groups.isMember(12, 10));
        QVERIFY(groups.isMember(2, 3));
        QVERIFY(!groups.click(4, groupColumnOfBank(12)));
        QVERIFY(!groups.isMember(12, 3));
        QVERIFY(groups.click(4, groupColumnOfBank(2)));
    }

    void clearAndLabels() {
        Groups groups;
        groups.setMember(1, 1, true);
        groups.clear();
        QCOMPARE(groups, Groups{});
        QCOMPARE(groupLabel(0), QString("Group0"));
        QCOMPARE(groupLabel(10), QString("GroupB"));
        QCOMPARE(groupOfGroupRow(11).value_or(-1), 10);
    }
};

QTEST_GUILESS_MAIN(GroupsTest)
#include "tst_groups.moc"
