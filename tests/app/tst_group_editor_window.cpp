#include "app/group_editor.h"
#include "ports/port_opener.h"
#include "sim/simulated_radio.h"
#include "window_test_support.h"

#include <QPushButton>
#include <QTableWidget>

using namespace qmh4;
using namespace qmh4::test;

namespace {

// An editor on `groups` talking to `radio`, which outlives it.
struct Editor {
    Editor(Groups& groups, const std::shared_ptr<SimulatedRadio>& radio, bool* autoFlag = nullptr)
        : window(
              groups,
              [radio]() -> std::unique_ptr<Link> { return std::make_unique<SharedLink>(radio); },
              autoFlag) {
        window.setReplyTimeout(std::chrono::milliseconds(100));
    }
    GroupEditor window;
};

bool runCommand(GroupEditor& editor, QPushButton* command) {
    QSignalSpy finished(&editor, &GroupEditor::transferFinished);
    QTest::mouseClick(command, Qt::LeftButton);
    return finished.count() == 1 || finished.wait(5000);
}

} // namespace

class GroupEditorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void writeThenReadThroughRadio();
    void failedReadKeepsFirstBlock();
    void autoReadOncePerOpening_data();
    void autoReadOncePerOpening();
};

void GroupEditorWindowTest::writeThenReadThroughRadio() {
    Dialogs boxes;
    auto radio = std::make_shared<SimulatedRadio>(SimulatedRadio::blankImage());
    Groups groups;
    Editor editor(groups, radio);
    // The labels "Group0" ... "GroupB" can be read, the cells are large enough to click.
    const QTableWidget* grid = editor.window.MSFlexGrid1;
    for (int row = 1; row <= 11; ++row)
        QVERIFY(grid->fontMetrics().horizontalAdvance(grid->item(row, 0)->text()) + 6 <=
                    grid->columnWidth(0) &&
                grid->rowHeight(row) >= 16 && grid->columnWidth(1) >= 16);
    QCOMPARE(grid->item(11, 0)->text(), QStringLiteral("GroupB"));
    // Group 0 with banks 0, 7 and 49; GroupB with bank 30.
    for (const auto& [row, column] : {std::pair{1, 1}, {1, 8}, {1, 54}, {11, 34}})
        editor.window.MSFlexGrid1->cellClicked(row, column);
    QVERIFY(runCommand(editor.window, editor.window.GROUP_WRITE));
    QCOMPARE(boxes.boxes.last(), (Box{"Success Group Data Write", " Finish"}));
    QCOMPARE(radio->memory(0x100, 8), QByteArray::fromHex("8100000000004000"));
    QCOMPARE(radio->memory(0x150, 8), QByteArray::fromHex("0000000200000000"));

    const Groups written = groups;
    QTest::mouseClick(editor.window.Command1, Qt::LeftButton);
    QVERIFY(!groups.isMember(0, 0));
    QVERIFY(runCommand(editor.window, editor.window.GROUP_READ));
    QCOMPARE(boxes.boxes.last().text, QStringLiteral("OK"));
    QVERIFY(groups == written);
    QVERIFY(editor.window.isEnabled() && editor.window.GROUP_WRITE->isEnabled());
}

void GroupEditorWindowTest::failedReadKeepsFirstBlock() {
    Dialogs boxes;
    auto radio = std::make_shared<SimulatedRadio>(SimulatedRadio::blankImage());
    radio->setMemory(0x100, QByteArray::fromHex("80"));               // group 0: bank 0
    radio->setMemory(0x130, QByteArray::fromHex("4000000000000000")); // group 6: bank 1
    for (int exchange = 3; exchange <= 5; ++exchange)
        radio->injectFault(exchange, Fault::WrongMarker);
    Groups groups;
    groups.setMember(1, 6, false);
    groups.setMember(2, 6, true);
    Editor editor(groups, radio);
    QVERIFY(runCommand(editor.window, editor.window.GROUP_READ));
    QCOMPARE(boxes.boxes, (QList<Box>{{"Error", " Error"}}));
    QVERIFY(groups.isMember(0, 0));
    QVERIFY(!groups.isMember(1, 6));
    QVERIFY(groups.isMember(2, 6));
}

void GroupEditorWindowTest::autoReadOncePerOpening_data() {
    QTest::addColumn<bool>("radioAnswers");
    QTest::addColumn<QString>("box");
    QTest::newRow("read succeeds") << true << "Success ALL DATA READ";
    QTest::newRow("read fails, closes all the same") << false << "Error";
}

void GroupEditorWindowTest::autoReadOncePerOpening() {
    QFETCH(bool, radioAnswers);
    QFETCH(QString, box);
    Dialogs boxes;
    auto radio = std::make_shared<SimulatedRadio>();
    if (!radioAnswers)
        for (int exchange = 1; exchange <= 3; ++exchange)
            radio->injectFault(exchange, Fault::NoAnswer);
    Groups groups;
    bool autoFlag = true;
    {
        Editor editor(groups, radio, &autoFlag);
        QSignalSpy finished(&editor.window, &GroupEditor::transferFinished);
        // exec() returns only when the editor has closed itself.
        editor.window.exec();
        QCOMPARE(finished.count(), 1);
    }
    QVERIFY(!autoFlag);
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes[0].text, box);
    if (radioAnswers)
        QVERIFY(groups.isMember(0, 0) && groups.isMember(2, 0) && !groups.isMember(3, 0));

    // The flag is spent: the next opening waits for the user.
    Editor again(groups, radio, &autoFlag);
    again.window.show();
    QTest::qWait(50);
    QVERIFY(again.window.isVisible());
    QVERIFY(!again.window.transferRunning());
    QCOMPARE(boxes.boxes.size(), 1);
}

QTEST_MAIN(GroupEditorWindowTest)
#include "tst_group_editor_window.moc"
