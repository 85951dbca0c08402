#include "radio_areas/radio_areas.h"

#include <QTest>

using namespace qmh4;

class RadioAreasTest : public QObject {
    Q_OBJECT

private slots:
    void startUpState() {
        const RadioAreas areas;
        QCOMPARE(areas.banks.total(), 1000);
        QCOMPARE(areas.oneTouch.bankEntries().size(), 10);
        QCOMPARE(areas.oneTouch.channelCount(0), 100);
        QCOMPARE(areas.setMode.position(SetModeArray::Display, 3), 7);
    }

    // The "Common Set" page shows one-touch lists that follow the banks as edited meanwhile.
    void commonSetPageRebuildsOneTouch() {
        RadioAreas areas;
        areas.oneTouch.chooseBank(0, 9);
        areas.banks.setSize(9, 0);
        areas.banks.setSize(20, 100);
        ChannelTable table;
        areas.enterPage(Page::CommonSet, table);
        QCOMPARE(areas.oneTouch.bankEntries().last(), QString("20"));
        QCOMPARE(areas.oneTouch.bankAt(areas.oneTouch.entry(0).bankPosition), 0);
    }

    void memoryPageRelabels() {
        RadioAreas areas;
        for (int b = 0; b < BankCount; ++b)
            areas.banks.setSize(b, 0);
        areas.banks.setSize(7, 1000);
        ChannelTable table;
        areas.enterPage(Page::Memory, table);
        QCOMPARE(table.cell(1000, LabelColumn), QString("Bank007-999"));
    }

    // Going ahead with a wrong total (the user's OK) restores the default sizes first.
    void wrongTotalRestoresDefaults() {
        RadioAreas areas;
        areas.banks.setSize(0, 7);
        ChannelTable table;
        areas.enterPage(Page::SetMode, table);
        QCOMPARE(areas.banks, BankSizes{});
    }

    void groupEditorOpening() {
        RadioAreas areas;
        areas.groups.setMember(30, 2, true);
        areas.groups.setMember(3, 2, true);
        areas.prepareGroupEditor();
        QVERIFY(areas.groups.isUnusable(30));
        QVERIFY(!areas.groups.isMember(30, 2));
        QVERIFY(areas.groups.isMember(3, 2));
    }
};

QTEST_GUILESS_MAIN(RadioAreasTest)
#include "tst_radio_areas.moc"
