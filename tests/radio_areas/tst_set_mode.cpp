#include "radio_areas/set_mode.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using A = SetModeArray;

namespace {

int byteOf(const QByteArray& record, int offset) {
    return static_cast<quint8>(record[offset]);
}

QString digitsOf(const QString& entry) {
    QString digits;
    for (QChar c : entry)
        if (c.isDigit())
            digits.append(c);
    return digits;
}

using Bytes = QList<std::pair<int, int>>; // (offset, value) pairs of a record

QByteArray recordWith(const Bytes& bytes, char fill = '\0') {
    QByteArray record(SetModeRecordSize, fill);
    for (auto [offset, value] : bytes)
        record[offset] = static_cast<char>(value);
    return record;
}

// Which way a record-byte rule is checked.
enum Way { Both, ReadOnly, WriteOnly };
// A list position of -1: the bytes are outside the list's entries and the list stays as it was.
constexpr int Unchanged = -1;

// Record bytes against one list: bytes <-> (array, index, position).
struct ByteRule {
    const char* name = "";
    Bytes bytes;
    A array = A::Display;
    int index = 0;
    int position = 0;
    Way way = Both;
};

const ByteRule ByteRules[] = {
    {"TV CH 0 reads as \"1\"", {{13, 0}}, A::Display, 13, 0, ReadOnly},
    {"TV CH \"1\" is 1", {{13, 1}}, A::Display, 13, 0},
    {"contrast 8", {{82, 8}}, A::Display, 3, 7},
    {"preset band 3 is UHF", {{14, 3}}, A::Display, 14, 0},
    {"preset band 4 is 1200MHz", {{14, 4}}, A::Display, 14, 1},
    {"sensitivity 3 (kept)", {{48, 3}}, A::Toutyou, 1, 2, ReadOnly},
    {"auto repeater (kept)", {{78, 1}}, A::Repeater, 0, 1, ReadOnly},
    {"cross band (kept)", {{72, 1}}, A::Repeater, 3, 1, ReadOnly},
    {"receiver range", {{118, 1}}, A::Recv, 5, 1, ReadOnly},
    {"language 0 is English", {{62, 0}}, A::Display, 0, 1},
    {"language 1 is Japanese", {{62, 1}}, A::Display, 0, 0},
    {"business ON, byte 7", {{7, 0x0D}}, A::Business, 0, 1},
    {"business ON, byte 6", {{6, 0x0D}}, A::Business, 0, 1, WriteOnly},
    {"WILD key code 21", {{53, 21}}, A::Key, 6, 1},
    {"LAMP key code 104", {{96, 104}}, A::Key, 7, 50},
    {"dial Freq:Top", {{93, 0}, {95, 0}}, A::Key, 5, 0},
    {"dial Freq:Lower", {{93, 0}, {95, 1}}, A::Key, 5, 1},
    {"dial Squelch:Top", {{93, 1}, {95, 1}}, A::Key, 5, 2},
    {"dial Squelch:Lower", {{93, 1}, {95, 0}}, A::Key, 5, 3},
    {"dial flags are any non-zero byte", {{93, 7}, {95, 9}}, A::Key, 5, 2, ReadOnly},
    {"scan mode 39", {{38, 39}}, A::Scan, 0, 39},
    {"scan lamp, last byte", {{147, 1}}, A::Scan, 8, 1},
    {"VOL(Main) 20", {{2, 20}}, A::Sound, 4, 20},
    {"unmatched WILD key", {{53, 0x77}}, A::Key, 6, Unchanged, ReadOnly},
    {"unmatched LAMP key", {{96, 0}}, A::Key, 7, Unchanged, ReadOnly},
    {"TV CH 63", {{13, 63}}, A::Display, 13, Unchanged, ReadOnly},
    {"preset band 5", {{14, 5}}, A::Display, 14, Unchanged, ReadOnly},
    {"scan mode 40", {{38, 40}}, A::Scan, 0, Unchanged, ReadOnly},
};

} // namespace

Q_DECLARE_METATYPE(ByteRule)

class SetModeTest : public QObject {
    Q_OBJECT

private slots:
    void recordBytes_data() {
        QTest::addColumn<ByteRule>("rule");
        for (const ByteRule& rule : ByteRules)
            QTest::newRow(rule.name) << rule;
    }
    void recordBytes() {
        QFETCH(ByteRule, rule);
        const int count = setModeEntryCount(rule.array, rule.index);
        if (rule.way != WriteOnly) {
            // Start elsewhere so the read has to move the list; a list that must stay starts
            // on its last entry, so a -1 or a position past the end would show.
            SetModeSettings settings;
            const int start = rule.position == Unchanged ? count - 1 : (rule.position + 1) % count;
            QVERIFY(settings.setPosition(rule.array, rule.index, start));
            settings.applyRecord(recordWith(rule.bytes));
            QCOMPARE(settings.position(rule.array, rule.index),
                     rule.position == Unchanged ? start : rule.position);
        }
        if (rule.way != ReadOnly) {
            SetModeSettings settings;
            QVERIFY(settings.setPosition(rule.array, rule.index, rule.position));
            const QByteArray record = settings.buildRecord(QByteArray(SetModeRecordSize, '\0'));
            for (auto [offset, value] : rule.bytes)
                QCOMPARE(byteOf(record, offset), value);
        }
    }

    // The bytes the radio keeps go back as read, whatever the lists show; the fixed bytes are
    // the radio's, whatever was read.
    void keptAndFixedBytes() {
        SetModeSettings settings;
        settings.setPosition(A::Toutyou, 0, 1);
        settings.setPosition(A::Toutyou, 1, 4);
        settings.setPosition(A::Repeater, 0, 0);
        settings.setPosition(A::Repeater, 3, 1);
        settings.setPosition(A::Recv, 5, 0);
        const QByteArray readBack =
            recordWith({{48, 2}, {49, 0}, {72, 0}, {78, 1}, {118, 0}}, char(0x5A));
        const QByteArray record = settings.buildRecord(readBack);
        const std::pair<int, int> expected[] = {
            {1, 0x5A},  {48, 2},     {49, 0},     {52, 0x5A}, {71, 0x5A}, {72, 0},   {78, 1},
            {92, 0x5A}, {143, 0x5A}, {144, 0x5A}, {118, 1},   {0, 0xA5},  {9, 0x05}, {51, 0x0C},
            {81, 0x06}, {8, 0},      {12, 0},     {20, 0},    {24, 0},    {31, 0},   {43, 0},
            {54, 0},    {79, 0},     {105, 0},    {115, 0},   {142, 0}};
        for (auto [offset, value] : expected)
            QCOMPARE(byteOf(record, offset), value);
    }

    // Whatever the radio held, reading its record and building it again gives back every
    // byte that carries a setting.
    void recordRoundTrip() {
        SetModeSettings source;
        for (int a = 0; a < SetModeArrayCount; ++a)
            for (int i = 0; i < setModeArraySize(A(a)); ++i)
                source.setPosition(A(a), i, (3 * a + i) % setModeEntryCount(A(a), i));
        const QByteArray readBack(SetModeRecordSize, char(0x33));
        const QByteArray record = source.buildRecord(readBack);
        SetModeSettings back;
        back.applyRecord(record);
        QCOMPARE(back.buildRecord(readBack), record);
    }

    void writeProtect_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("position");
        QTest::newRow("OFF") << 0x00 << 0;
        QTest::newRow("ON") << 0x01 << 1;
        QTest::newRow("temporary") << 0x42 << 2;
        QTest::newRow("outside keeps") << 0x0C << 1;
    }
    void writeProtect() {
        QFETCH(int, byte);
        QFETCH(int, position);
        SetModeSettings settings;
        settings.setPosition(A::Mem, 0, 1);
        settings.applyWriteProtect(QByteArray(1, char(byte)));
        QCOMPARE(settings.position(A::Mem), position);
    }

    void resets() {
        SetModeSettings settings;
        settings.setPosition(A::Send, 12, 1);
        settings.setPosition(A::Scan, 1, 0);
        settings.scanTimerChecked = true;
        settings.scanTime = "250";
        settings.resetCommonSetting();
        QCOMPARE(settings.position(A::Send, 12), 0);
        QVERIFY(!settings.scanTimerChecked);
        QCOMPARE(settings.scanTime, QString("1"));
        // The Set Mode page's reset leaves the language alone.
        settings.setPosition(A::Display, 0, 0);
        settings.resetSetModePage();
        QCOMPARE(settings.position(A::Display, 0), 0);
        QCOMPARE(settings.position(A::Scan, 1), 1);
        QCOMPARE(settings.position(A::Key, 0), 5);
    }

    void scanTime_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("in range") << QString("300") << QString("300");
        QTest::newRow("zero") << QString("0") << QString("1");
        QTest::newRow("above") << QString("301") << QString("1");
        QTest::newRow("letters") << QString("2x5") << QString("25");
        QTest::newRow("too long") << QString("1234") << QString("1");
        QTest::newRow("empty") << QString() << QString("1");
    }
    void scanTime() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(mendedScanTime(typed), kept);
    }

    // Both languages list the same entries in the same order, so a stored position means the
    // same setting whichever language is shown: an entry missing or out of order in one
    // language would shift every later position.
    void languagesAgreeOnEveryList() {
        for (int a = 0; a < SetModeArrayCount; ++a) {
            for (int i = 0; i < setModeArraySize(A(a)); ++i) {
                const QStringList en = setModeEntries(A(a), i, Language::English);
                const QStringList ja = setModeEntries(A(a), i, Language::Japanese);
                QVERIFY2(!en.isEmpty(), qPrintable(setModeArrayName(A(a)) + QString::number(i)));
                QCOMPARE(en.size(), ja.size());
                for (qsizetype p = 0; p < en.size(); ++p)
                    QCOMPARE(digitsOf(ja[p]), digitsOf(en[p]));
            }
        }
    }

    // Counts and entries whose positions the radio stores: one missing entry in both
    // languages would shift every later one.
    void listEntries_data() {
        QTest::addColumn<int>("array");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("last"); // English
        QTest::newRow("bank number") << int(A::Display) << 11 << 57 << "56";
        QTest::newRow("TV CH") << int(A::Display) << 13 << 62 << "62";
        QTest::newRow("tones") << int(A::Repeater) << 2 << 39 << "250.3(Hz)";
        QTest::newRow("WILD key") << int(A::Key) << 6 << KeyItemCount << "Set mode exit";
    }
    void listEntries() {
        QFETCH(int, array);
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(QString, last);
        QCOMPARE(setModeEntryCount(A(array), index), count);
        QCOMPARE(setModeEntries(A(array), index, Language::English).last(), last);
    }
};

QTEST_GUILESS_MAIN(SetModeTest)
#include "tst_set_mode.moc"
