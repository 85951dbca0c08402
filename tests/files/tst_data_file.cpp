#include "files/data_file.h"
#include "messages/file_outcome_text.h"
#include "sample_data.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qmh4;

namespace {

const QDateTime SavedAt(QDate(2024, 5, 1), QTime(12, 34, 56));

QList<QByteArray> fileLines(const RadioData& data) {
    return splitLines(writeDataFile(data, SavedAt));
}

QByteArray joined(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A file holding the header, the given lines and the end line.
QByteArray fileOf(const QList<QByteArray>& lines) {
    return joined(QList<QByteArray>{"Save Date and Time 2024/05/01 12:34:56"} + lines +
                  QList<QByteArray>{"File End"});
}

const QByteArray ValidChannel = "CH00000145.1250020407238001032005.0001CQ";

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT

private slots:
    void savedDataComesBack() {
        const RadioData saved = test::sampleData();
        RadioData loaded;
        const DataFileReport report = readDataFile(writeDataFile(saved, SavedAt), loaded);
        QCOMPARE(report.skippedLines, QList<int>());
        QVERIFY(loaded.areas == saved.areas);
        QCOMPARE(loaded.comPort, RadioData().comPort); // reading never changes the port
        for (int r = FirstRow; r <= LastRow; ++r) {
            const ChannelRow& want = saved.channels.row(r); // unused: empty, or a preset row
            QCOMPARE(loaded.channels.row(r).cells(), want.cells());
            if (want.used())
                QCOMPARE(loaded.channels.row(r), want);
        }
    }

    // Fixed-width fields, each key with its own width.
    void linesHaveTheirFixedForm() {
        const QList<QByteArray> lines = fileLines(test::sampleData());
        QVERIFY(lines.first().startsWith("Save Date and Time "));
        const QList<QByteArray> expected{"CH00000145.1250020407238001032005.0001CQ:1~DX",
                                         "CH16220321.1350020407238001032999.9950\xCA\xDE\xB8\xDE",
                                         "BK0001050050050050050050050050050050",
                                         "ONETOUCH_BANK003019000000255000000000000",
                                         "ONETOUCH_CHDA049000000000000000000000000",
                                         "NUM_DTMF0000123456789ABCD*#",
                                         "SET_DTMF010022000007008",
                                         "TITLE\x87\x42QM-H4\x87\x47", // markers saved as ③ and ⑧
                                         "GRD0010000000000000000000000000000000000000000000000000",
                                         "GRD1000000000000000000000000000000000000000000000000001",
                                         "GRI00000000000000000000000000000010000000000000000000",
                                         "SD01001001000007000000000000001000000000000000000001",
                                         "SD10005000000000000000000001000000000003",
                                         "COMPORT07"};
        for (const QByteArray& line : expected)
            QVERIFY2(lines.contains(line), line.constData());
        QVERIFY(writeDataFile(test::sampleData(), SavedAt).endsWith("\r\nFile End\r\n"));
    }

    void startupTableSavesNoChannelLine() {
        const QList<QByteArray> lines = fileLines(RadioData());
        QVERIFY(!joined(lines).contains("\r\nCH"));
        RadioData data = test::sampleData();
        readDataFile(joined(lines), data);
        QVERIFY(!data.channels.row(1).used());
        // The call (1402) and bug-finder (1623) channels stay as they were.
        QCOMPARE(data.channels.row(1402), test::sampleData().channels.row(1402));
        QCOMPARE(data.channels.row(1623), test::sampleData().channels.row(1623));
    }

    void bankOf1000RoundTrips() {
        RadioData data;
        for (int b = 0; b < BankCount; ++b)
            data.areas.banks.setSize(b, b == 27 ? 1000 : 0);
        data.areas.oneTouch.rebuild(data.areas.banks);
        const QList<QByteArray> lines = fileLines(data);
        QVERIFY(lines.contains("BK0002000000000000000000000"
                               "1000"
                               "000000"));
        RadioData loaded;
        QCOMPARE(readDataFile(joined(lines), loaded).skippedLines, QList<int>());
        QCOMPARE(loaded.areas.banks, data.areas.banks);
    }

    void badLineIsSkippedAndTheRestApplied_data() {
        QTest::addColumn<QByteArray>("line");
        const QByteArray fixed = ValidChannel.left(38);
        QTest::newRow("channel index past the table") << "CH1623" + fixed.mid(6);
        QTest::newRow("skip flag 2") << fixed.left(37) + "2";
        QTest::newRow("37 characters") << fixed.left(37);
        QTest::newRow("above 4294.96729 MHz") << "CH00004294.96730" + fixed.mid(16);
        QTest::newRow("name of 17 bytes") << fixed + QByteArray(17, 'A');
        QTest::newRow("bytes not code page 932") << fixed + "\x81\x20";
        QTest::newRow("bank line 5") << QByteArray("BK0005001002003004005006007008009010");
        QTest::newRow("one-touch past the banks") << "ONETOUCH_BANK050" + QByteArray(24, '0');
        QTest::newRow("DTMF memory 10") << QByteArray("NUM_DTMF010123");
        QTest::newRow("group 11") << "GRD11" + QByteArray(50, '0');
        QTest::newRow("set-mode past its list") << QByteArray("SD04002");
        QTest::newRow("title of 17") << "TITLE" + QByteArray(17, 'T');
        QTest::newRow("unknown key") << QByteArray("XX0000");
    }

    void badLineIsSkippedAndTheRestApplied() {
        QFETCH(QByteArray, line);
        const QByteArray before = "CH0100" + ValidChannel.mid(6);
        const QByteArray after = "CH0200" + ValidChannel.mid(6);
        RadioData withBadLine = test::sampleData();
        RadioData without = withBadLine;
        const DataFileReport report = readDataFile(
            fileOf({before, "BK0000100100100100100100100100100100", line, after}), withBadLine);
        QCOMPARE(report.skippedLines, QList<int>{4});
        readDataFile(fileOf({before, "BK0000100100100100100100100100100100", after}), without);
        QVERIFY(withBadLine.channels.row(201).used());
        QVERIFY(withBadLine == without);
    }

    // A file of the wrong extension is refused before anything changes; skipped lines are
    // named in the closing message.
    void openDataFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow(".INI") << "QMH4Writer.INI" << writeDataFile(RadioData(), SavedAt)
                              << "This File don't Open";
        QTest::newRow("skipped lines") << "bad.H4" << fileOf({"SD12000", ValidChannel + "\x81"})
                                       << "Read File\nLines skipped: 2, 3";
    }
    void openDataFile() {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QVERIFY(writeTextFile(dir.filePath(name), file));
        RadioData data = test::sampleData();
        const FileOutcome outcome = qmh4::openDataFile(dir.filePath(name), data);
        QCOMPARE(fileOutcomeText(outcome).text, text);
        QCOMPARE(data.channels.row(1).used(), !outcome.ok()); // a refused file changes nothing
    }

    // A save into a folder that is not there fails and says so. (A good save is what the
    // command-line tests read back.)
    void aFailedSaveReportsIt() {
        QTemporaryDir dir;
        const FileOutcome failed =
            saveDataFile(dir.filePath(QStringLiteral("none/inner.H4")), RadioData(), SavedAt);
        QVERIFY(failed.event == FileEvent::WriteFailed && !failed.ok() && !failed.error.isEmpty());
    }

    void hugeAndOverlongFilesAreReadWithoutHarm() {
        QList<QByteArray> lines;
        lines.append(ValidChannel);
        lines.append("CH0001" + ValidChannel.mid(6) + QByteArray(1 << 20, 'A'));
        for (int i = 0; i < 100000; ++i)
            lines.append("SD99");
        RadioData data;
        const DataFileReport report = readDataFile(fileOf(lines), data);
        QCOMPARE(report.skippedLines.size(), 100001);
        QVERIFY(data.channels.row(1).used());
        QVERIFY(!data.channels.row(2).used());
        QVERIFY(numberList(report.skippedLines).endsWith(QStringLiteral("(100001 in all)")));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_data_file.moc"
