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
    {"language 0 is English", {{62, 0}}, A::Display, 0, 1},
    {"business ON, byte 7", {{7, 0x0D}}, A::Business, 0, 1},
    {"business ON, byte 6", {{6, 0x0D}}, A::Business, 0, 1, WriteOnly},
    {"WILD key code 21", {{53, 21}}, A::Key, 6, 1},
    {"dial Freq:Lower", {{93, 0}, {95, 1}}, A::Key, 5, 1},
    {"dial Squelch:Lower", {{93, 1}, {95, 0}}, A::Key, 5, 3},
    {"scan lamp, last byte", {{147, 1}}, A::Scan, 8, 1},
    {"unmatched WILD key", {{53, 0x77}}, A::Key, 6, Unchanged, ReadOnly},
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

    // The bytes no list owns: the fixed ones are the radio's whatever was read, the kept ones go
    // back as the radio holds them, the rest are 0.
    void bytesNoListOwns() {
        SetModeSettings settings;
        for (int a = 0; a < SetModeArrayCount; ++a)
            for (int i = 0; i < setModeArraySize(A(a)); ++i)
                settings.setPosition(A(a), i, 0);
        const QByteArray record = settings.buildRecord(QByteArray(SetModeRecordSize, char(0x5A)));
        const Bytes fixed{{0, 0xA5},  {9, 0x05},  {50, 0x01}, {51, 0x0C},
                          {55, 0x02}, {56, 0x02}, {81, 0x06}, {118, 0x01}};
        for (auto [offset, value] : fixed)
            QCOMPARE(byteOf(record, offset), value);
        for (int kept : {1, 48, 49, 52, 71, 72, 78, 92, 143, 144})
            QCOMPARE(byteOf(record, kept), 0x5A);
        const Bytes zeroRanges{{8, 8},     {12, 12},   {20, 22},   {24, 24},   {26, 31},
                               {33, 34},   {43, 43},   {54, 54},   {58, 60},   {66, 66},
                               {70, 70},   {79, 79},   {83, 87},   {91, 91},   {99, 99},
                               {102, 103}, {105, 115}, {120, 121}, {125, 128}, {130, 131},
                               {133, 140}, {142, 142}};
        for (auto [first, last] : zeroRanges)
            for (int offset = first; offset <= last; ++offset)
                QCOMPARE(byteOf(record, offset), 0);
    }

    // The byte at the write-protect address: 0x42 is "temporary"; a byte outside the list
    // leaves it as it was.
    void writeProtect() {
        SetModeSettings settings;
        settings.applyWriteProtect(QByteArray(1, char(0x42)));
        QCOMPARE(settings.position(A::Mem), 2);
        settings.applyWriteProtect(QByteArray(1, char(0x0C)));
        QCOMPARE(settings.position(A::Mem), 2);
    }

    // Both languages list the same entries in the same order, so a stored position means the
    // same setting whichever language is shown: an entry missing or out of order in one
    // language would shift every later position.
    void languagesAgreeOnEveryList() {
        for (int a = 0; a < SetModeArrayCount; ++a) {
            for (int i = 0; i < setModeArraySize(A(a)); ++i) {
                const QStringList en = setModeEntries(A(a), i, Language::English);
                const QStringList ja = setModeEntries(A(a), i, Language::Japanese);
                QCOMPARE(en.size(), ja.size());
                for (qsizetype p = 0; p < en.size(); ++p)
                    QCOMPARE(digitsOf(ja[p]), digitsOf(en[p]));
            }
        }
    }
};

QTEST_GUILESS_MAIN(SetModeTest)
#include "tst_set_mode.moc"
