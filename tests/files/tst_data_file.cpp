#include "files/data_file.h"
#include "sample_data.h"
#include "support/test_support.h"
#include "text/cp932.h"

#include <QFile>
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

bool hasKey(const QList<QByteArray>& lines, const QByteArray& key) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QByteArray& line) { return line.startsWith(key); });
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
        for (int r = FirstRow; r <= LastRow; ++r) {
            const ChannelRow& want = saved.channels.row(r);
            const ChannelRow& got = loaded.channels.row(r);
            if (want.used) {
                QCOMPARE(got, want);
            } else {
                QCOMPARE(got.used, false);
                QCOMPARE(got.cells, want.cells); // empty, or a call / bug-finder preset
            }
        }
        QCOMPARE(loaded.areas.banks, saved.areas.banks);
        QCOMPARE(loaded.areas.oneTouch, saved.areas.oneTouch);
        QCOMPARE(loaded.areas.dtmf, saved.areas.dtmf);
        QCOMPARE(loaded.areas.title, saved.areas.title);
        QCOMPARE(loaded.areas.groups, saved.areas.groups);
        QCOMPARE(loaded.areas.setMode, saved.areas.setMode);
        QCOMPARE(loaded.comPort, RadioData().comPort); // reading never changes the port
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
        QVERIFY(!hasKey(lines, "CH"));
        RadioData data = test::sampleData();
        const RadioData before = data;
        readDataFile(joined(lines), data);
        QVERIFY(data.channels.cell(1, FrequencyColumn).isEmpty());
        QVERIFY(!data.channels.row(1).used);
        QVERIFY(!data.channels.row(1404).used);
        QCOMPARE(data.channels.row(1402), before.channels.row(1402)); // a call channel
        QCOMPARE(data.channels.row(1623), before.channels.row(1623)); // a bug-finder channel
    }

    void bankTotalOtherThan1000WritesNoBankLines() {
        RadioData data = test::sampleData();
        data.areas.banks.setSize(49, 1);
        const QList<QByteArray> lines = fileLines(data);
        QVERIFY(!hasKey(lines, "BK"));
        QVERIFY(!hasKey(lines, "ONETOUCH"));
        RadioData target;
        const BankSizes banks = target.areas.banks;
        readDataFile(joined(lines), target);
        QCOMPARE(target.areas.banks, banks);
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
        QCOMPARE(loaded.channels.cell(1, LabelColumn), QStringLiteral("Bank027-0"));
        QCOMPARE(loaded.channels.cell(1000, LabelColumn), QStringLiteral("Bank027-999"));
    }

    void bankLineSetsItsTenBanks() {
        RadioData data;
        readDataFile(fileOf({"BK0003001002003004005006007008009010"}), data);
        for (int b = 0; b < BankCount; ++b) {
            const int expected = b >= 30 && b < 40 ? b - 29 : RadioData().areas.banks.size(b);
            QCOMPARE(data.areas.banks.size(b), expected);
        }
    }

    // The skip flag is the 38th and last character the line needs.
    void shortChannelLineHasEmptyName() {
        RadioData data;
        QCOMPARE(readDataFile(fileOf({ValidChannel.left(38)}), data).skippedLines, QList<int>());
        QVERIFY(data.channels.row(1).used);
        QCOMPARE(data.channels.cell(1, NameColumn), QString());
        QCOMPARE(data.channels.cell(1, FrequencyColumn), QStringLiteral("145.12500MHz"));
        QCOMPARE(data.channels.cell(1, SkipColumn), QStringLiteral("*"));
    }

    void firstLineIsNeverRead() {
        RadioData data;
        readDataFile(joined({ValidChannel, "File End"}), data);
        QVERIFY(!data.channels.row(1).used);
    }

    void nameKeepsOnlyWhatTheRadioShows() {
        RadioData data;
        // 東 is in the radio's character table, 鬱 is not; ｱ is single-byte.
        const QByteArray name = *cp932::encode(QStringLiteral("東鬱ｱ:2~"));
        readDataFile(fileOf({ValidChannel.left(38) + name}), data);
        QCOMPARE(data.channels.cell(1, NameColumn), QStringLiteral("東ｱ:2~"));
        QCOMPARE(data.channels.row(1).name, QStringLiteral("東ｱ②"));
    }

    void badLineIsSkippedAndTheRestApplied_data() {
        QTest::addColumn<QByteArray>("line");
        const QByteArray fixed = ValidChannel.left(38);
        QTest::newRow("channel index past the table") << "CH1623" + fixed.mid(6);
        QTest::newRow("step 16") << fixed.left(17) + "16" + fixed.mid(19);
        QTest::newRow("train 29") << fixed.left(19) + "29" + fixed.mid(21);
        QTest::newRow("tone 39") << fixed.left(22) + "39" + fixed.mid(24);
        QTest::newRow("DCS 104") << fixed.left(26) + "104" + fixed.mid(29);
        QTest::newRow("skip flag 2") << fixed.left(37) + "2";
        QTest::newRow("37 characters") << fixed.left(37);
        QTest::newRow("not a digit") << fixed.left(8) + "x" + fixed.mid(9);
        QTest::newRow("above 4294.96729 MHz") << "CH00004294.96730" + fixed.mid(16);
        QTest::newRow("name of 17 bytes") << fixed + QByteArray(17, 'A');
        QTest::newRow("bytes not code page 932") << fixed + "\x81\x20";
        QTest::newRow("bank line 5") << QByteArray("BK0005001002003004005006007008009010");
        QTest::newRow("bank line short") << QByteArray("BK000300100200300400500600700800901");
        QTest::newRow("one-touch past the banks") << "ONETOUCH_BANK050" + QByteArray(24, '0');
        QTest::newRow("one-touch channel past the bank")
            << "ONETOUCH_CHDA100" + QByteArray(24, '0');
        QTest::newRow("DTMF memory 10") << QByteArray("NUM_DTMF010123");
        QTest::newRow("DTMF memory of 17") << "NUM_DTMF001" + QByteArray(17, '1');
        QTest::newRow("DTMF wait 11") << QByteArray("SET_DTMF011005005002000");
        QTest::newRow("DTMF dial channel 9") << QByteArray("SET_DTMF001005005002009");
        QTest::newRow("group 11") << "GRD11" + QByteArray(50, '0');
        QTest::newRow("group flag 2") << "GRD00" + QByteArray(49, '0') + "2";
        QTest::newRow("set-mode key 12") << QByteArray("SD12000");
        QTest::newRow("set-mode past its list") << QByteArray("SD04002");
        QTest::newRow("set-mode short") << QByteArray("SD02000000");
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
        QVERIFY(withBadLine.channels.row(101).used);
        QVERIFY(withBadLine.channels.row(201).used);
        QVERIFY(withBadLine == without);
    }

    // A file of the wrong extension is refused before anything changes; skipped lines are
    // named in the closing message.
    void openDataFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        const QByteArray clean = writeDataFile(RadioData(), SavedAt);
        const QString refused = QStringLiteral("This File don't Open");
        QTest::newRow(".H4") << "a.H4" << clean << "Read File";
        QTest::newRow(".h4") << "a.h4" << clean << "Read File";
        QTest::newRow(".INI") << "QMH4Writer.INI" << clean << refused;
        QTest::newRow(".H45") << "a.H45" << clean << refused;
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
        const bool accepted = text != "This File don't Open";
        QCOMPARE(outcome.ok, accepted);
        QCOMPARE(outcome.text, text);
        QCOMPARE(outcome.title, QString(accepted ? "Finish" : "Error"));
        QCOMPARE(data.channels.row(1).used, !accepted);
    }

    void saveWritesTheFileAndAFailedSaveReportsIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("radio.H4"));
        const RadioData data = test::sampleData();
        const FileOutcome saved = saveDataFile(path, data, SavedAt);
        QVERIFY(saved.ok);
        QCOMPARE(saved.text, QStringLiteral("Save File"));
        QCOMPARE(saved.title, QStringLiteral("Finish"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), writeDataFile(data, SavedAt));

        // A folder in the way of the file: the save fails and says so.
        const QString blocked = dir.filePath(QStringLiteral("radio.H4/inner.H4"));
        const FileOutcome failed = saveDataFile(blocked, data, SavedAt);
        QVERIFY(!failed.ok);
        QVERIFY(failed.text.startsWith(QStringLiteral("Save File Error")));
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
        QVERIFY(data.channels.row(1).used);
        QVERIFY(!data.channels.row(2).used);
        QVERIFY(numberList(report.skippedLines).endsWith(QStringLiteral("(100001 in all)")));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_data_file.moc"
