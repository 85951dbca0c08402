#include "link/protocol.h"
#include "radio_areas/set_mode.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using A = SetModeArray;

namespace {

QByteArray recordWith(std::initializer_list<std::pair<int, int>> bytes) {
    QByteArray record(SetModeRecordSize, '\0');
    for (auto [offset, value] : bytes)
        record[offset] = static_cast<char>(value);
    return record;
}

quint8 at(const QByteArray& record, int offset) {
    return static_cast<quint8>(record[offset]);
}

} // namespace

class SetModeTest : public QObject {
    Q_OBJECT

private slots:
    // One record byte read into a list: (offset, stored value) -> (list, position).
    void readRules_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("array");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("position");
        QTest::newRow("TV CH 0 reads as \"1\"") << 13 << 0 << int(A::Display) << 13 << 0;
        QTest::newRow("TV CH 62") << 13 << 62 << int(A::Display) << 13 << 61;
        QTest::newRow("preset band 3 is UHF") << 14 << 3 << int(A::Display) << 14 << 0;
        QTest::newRow("preset band 4 is 1200MHz") << 14 << 4 << int(A::Display) << 14 << 1;
        QTest::newRow("contrast 8") << 82 << 8 << int(A::Display) << 3 << 7;
        QTest::newRow("sensitivity 3 (kept byte)") << 48 << 3 << int(A::Toutyou) << 1 << 2;
        QTest::newRow("auto repeater (kept byte)") << 78 << 1 << int(A::Repeater) << 0 << 1;
        QTest::newRow("cross band (kept byte)") << 72 << 1 << int(A::Repeater) << 3 << 1;
        QTest::newRow("receiver range") << 118 << 1 << int(A::Recv) << 5 << 1;
        QTest::newRow("language 0 is English") << 62 << 0 << int(A::Display) << 0 << 1;
        QTest::newRow("language 1 is Japanese") << 62 << 1 << int(A::Display) << 0 << 0;
        QTest::newRow("business ON") << 7 << 0x0D << int(A::Business) << 0 << 1;
        QTest::newRow("WILD key code 21") << 53 << 21 << int(A::Key) << 6 << 1;
        QTest::newRow("LAMP key code 104") << 96 << 104 << int(A::Key) << 7 << 50;
        QTest::newRow("scan mode 39") << 38 << 39 << int(A::Scan) << 0 << 39;
        QTest::newRow("scan lamp") << 147 << 1 << int(A::Scan) << 8 << 1;
        QTest::newRow("VOL(Main) 20") << 2 << 20 << int(A::Sound) << 4 << 20;
    }
    void readRules() {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(int, array);
        QFETCH(int, index);
        QFETCH(int, position);
        SetModeSettings settings;
        // Start elsewhere so the read has to move the list.
        settings.setPosition(A(array), index, (position + 1) % setModeEntryCount(A(array), index));
        settings.applyRecord(recordWith({{offset, value}}));
        QCOMPARE(settings.position(A(array), index), position);
    }

    // A value outside a list's entries leaves that list as it was: never a -1 or a position
    // past the end.
    void outOfRangeLeavesList_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("array");
        QTest::addColumn<int>("index");
        QTest::newRow("unmatched WILD key") << 53 << 0x77 << int(A::Key) << 6;
        QTest::newRow("unmatched LAMP key") << 96 << 0 << int(A::Key) << 7;
        QTest::newRow("TV CH 63") << 13 << 63 << int(A::Display) << 13;
        QTest::newRow("preset band 5") << 14 << 5 << int(A::Display) << 14;
        QTest::newRow("scan mode 40") << 38 << 40 << int(A::Scan) << 0;
        QTest::newRow("APO 200") << 45 << 200 << int(A::Power) << 0;
    }
    void outOfRangeLeavesList() {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(int, array);
        QFETCH(int, index);
        SetModeSettings settings;
        const int last = setModeEntryCount(A(array), index) - 1;
        QVERIFY(settings.setPosition(A(array), index, last));
        settings.applyRecord(recordWith({{offset, value}}));
        QCOMPARE(settings.position(A(array), index), last);
    }

    // One list position written: (list, position) -> (offset, byte).
    void writeRules_data() {
        QTest::addColumn<int>("array");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::newRow("TV CH \"1\" is 1") << int(A::Display) << 13 << 0 << 13 << 1;
        QTest::newRow("1200MHz is 4") << int(A::Display) << 14 << 1 << 14 << 4;
        QTest::newRow("UHF is 3") << int(A::Display) << 14 << 0 << 14 << 3;
        QTest::newRow("dimmer") << int(A::Display) << 2 << 4 << 67 << 5;
        QTest::newRow("mic gain") << int(A::Sound) << 3 << 3 << 68 << 4;
        QTest::newRow("English is 0") << int(A::Display) << 0 << 1 << 62 << 0;
        QTest::newRow("Japanese is 1") << int(A::Display) << 0 << 0 << 62 << 1;
        QTest::newRow("business ON, byte 6") << int(A::Business) << 0 << 1 << 6 << 0x0D;
        QTest::newRow("business ON, byte 7") << int(A::Business) << 0 << 1 << 7 << 0x0D;
        QTest::newRow("WILD key Illumination") << int(A::Key) << 6 << 1 << 53 << 21;
        QTest::newRow("LAMP key Set Mode Exit") << int(A::Key) << 7 << 50 << 96 << 104;
        QTest::newRow("1200MHz power High") << int(A::Send) << 12 << 1 << 90 << 1;
        QTest::newRow("scan output") << int(A::Scan) << 9 << 1 << 146 << 1;
    }
    void writeRules() {
        QFETCH(int, array);
        QFETCH(int, index);
        QFETCH(int, position);
        QFETCH(int, offset);
        QFETCH(int, value);
        SetModeSettings settings;
        QVERIFY(settings.setPosition(A(array), index, position));
        QCOMPARE(int(at(settings.buildRecord(QByteArray(SetModeRecordSize, '\0')), offset)), value);
    }

    void dialRing_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        QTest::newRow("Freq:Top") << 0 << 0 << 0;
        QTest::newRow("Freq:Lower") << 1 << 0 << 1;
        QTest::newRow("Squelch:Top") << 2 << 1 << 1;
        QTest::newRow("Squelch:Lower") << 3 << 1 << 0;
    }
    void dialRing() {
        QFETCH(int, position);
        QFETCH(int, top);
        QFETCH(int, bottom);
        SetModeSettings settings;
        settings.setPosition(A::Key, 5, position);
        const QByteArray record = settings.buildRecord(QByteArray(SetModeRecordSize, '\0'));
        QCOMPARE(int(at(record, 93)), top);
        QCOMPARE(int(at(record, 95)), bottom);
        SetModeSettings back;
        back.applyRecord(recordWith({{93, top ? 7 : 0}, {95, bottom ? 9 : 0}}));
        QCOMPARE(back.position(A::Key, 5), position);
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
        QByteArray readBack(SetModeRecordSize, char(0x5A));
        readBack[48] = 2;
        readBack[49] = 0;
        readBack[72] = 0;
        readBack[78] = 1;
        readBack[118] = 0;
        const QByteArray record = settings.buildRecord(readBack);
        for (int offset : {1, 52, 71, 92, 143, 144})
            QCOMPARE(at(record, offset), quint8(0x5A));
        QCOMPARE(at(record, 48), quint8(2));
        QCOMPARE(at(record, 49), quint8(0));
        QCOMPARE(at(record, 72), quint8(0));
        QCOMPARE(at(record, 78), quint8(1));
        QCOMPARE(at(record, 118), quint8(0x01));
        QCOMPARE(at(record, 0), quint8(0xA5));
        QCOMPARE(at(record, 9), quint8(0x05));
        QCOMPARE(at(record, 51), quint8(0x0C));
        QCOMPARE(at(record, 81), quint8(0x06));
        for (int offset : {8, 12, 20, 24, 31, 43, 54, 79, 105, 115, 142})
            QCOMPARE(at(record, offset), quint8(0));
    }

    void writeCommands() {
        SetModeSettings settings;
        const QByteArray record = settings.buildRecord(QByteArray(SetModeRecordSize, '\0'));
        const QByteArray first =
            protocol::writeCommand(SetModeBlockAddress[0], setModeBlock(record, 0));
        QVERIFY(first.startsWith("KV~F00000WA5"));
        QCOMPARE(first.size(), 139);
        const QByteArray last =
            protocol::writeCommand(SetModeBlockAddress[2], setModeBlock(record, 2));
        QCOMPARE(last.size(), 51);
        QCOMPARE(last.back(), '\r');
        QCOMPARE(protocol::addressDigits(WriteProtectAddress), QByteArray("1FE01"));
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

    void startUpAndResets() {
        SetModeSettings settings;
        QCOMPARE(settings.position(A::Display, 1), 1);
        QCOMPARE(settings.position(A::Display, 3), 7);
        QCOMPARE(settings.position(A::Display, 8), 1);
        QCOMPARE(settings.position(A::Power, 1), 3);
        QCOMPARE(settings.position(A::Sound, 0), 2);
        QCOMPARE(settings.position(A::Repeater, 0), 1);
        QCOMPARE(settings.position(A::Preset), 1);
        QCOMPARE(settings.position(A::Toutyou, 1), 2);
        QCOMPARE(settings.position(A::Key, 0), 5);
        QCOMPARE(settings.position(A::Key, 7), 1);
        QCOMPARE(settings.position(A::Scan, 1), 0);

        settings.setPosition(A::Display, 10, 1);
        settings.setPosition(A::Send, 12, 1);
        settings.scanTimerChecked = true;
        settings.scanTime = "250";
        settings.resetCommonSetting();
        QCOMPARE(settings.position(A::Display, 10), 0);
        QCOMPARE(settings.position(A::Send, 12), 0);
        QCOMPARE(settings.position(A::Preset), 0);
        QVERIFY(!settings.scanTimerChecked);
        QCOMPARE(settings.scanTime, QString("1"));
        // The Set Mode page's reset leaves the language alone.
        settings.setPosition(A::Display, 0, 0);
        settings.resetSetModePage();
        QCOMPARE(settings.position(A::Display, 0), 0);
        QCOMPARE(settings.position(A::Scan, 1), 1);
    }

    void scanTime_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("in range") << "300"
                                  << "300";
        QTest::newRow("zero") << "0"
                              << "1";
        QTest::newRow("above") << "301"
                               << "1";
        QTest::newRow("letters") << "2x5"
                                 << "25";
        QTest::newRow("too long") << "1234"
                                  << "1";
        QTest::newRow("empty") << ""
                               << "1";
    }
    void scanTime() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(mendedScanTime(typed), kept);
    }

    // Both languages list the same number of entries, so a stored position means the same
    // setting whichever language is shown.
    void languagesAgreeOnEveryList() {
        for (int a = 0; a < SetModeArrayCount; ++a) {
            for (int i = 0; i < setModeArraySize(A(a)); ++i) {
                const QStringList en = setModeEntries(A(a), i, Language::English);
                const QStringList ja = setModeEntries(A(a), i, Language::Japanese);
                QVERIFY2(!en.isEmpty(), qPrintable(setModeArrayName(A(a)) + QString::number(i)));
                QCOMPARE(en.size(), ja.size());
            }
        }
    }

    void listCounts_data() {
        QTest::addColumn<int>("array");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::newRow("bank number") << int(A::Display) << 11 << 57;
        QTest::newRow("TV CH") << int(A::Display) << 13 << 62;
        QTest::newRow("scan mode") << int(A::Scan) << 0 << 40;
        QTest::newRow("VFO scan") << int(A::Scan) << 4 << 26;
        QTest::newRow("pri interval") << int(A::Scan) << 2 << 12;
        QTest::newRow("TOT") << int(A::Send) << 2 << 16;
        QTest::newRow("TOT penalty") << int(A::Send) << 3 << 15;
        QTest::newRow("WILD key") << int(A::Key) << 6 << KeyItemCount;
        QTest::newRow("set mode exit") << int(A::Key) << 12 << 11;
        QTest::newRow("tones") << int(A::Repeater) << 2 << 39;
        QTest::newRow("illumination") << int(A::Display) << 1 << 9;
        QTest::newRow("VOL") << int(A::Sound) << 5 << 21;
    }
    void listCounts() {
        QFETCH(int, array);
        QFETCH(int, index);
        QFETCH(int, count);
        QCOMPARE(setModeEntryCount(A(array), index), count);
    }

    void tellingEntries() {
        QCOMPARE(setModeEntries(A::Key, 8, Language::Japanese),
                 QStringList({"移動しない", "移動する"}));
        QCOMPARE(setModeEntries(A::Scan, 1, Language::English), QStringList({" OFF", " ON"}));
        QCOMPARE(setModeEntries(A::Repeater, 2, Language::English).first(), QString(" 67.0(Hz)"));
        QCOMPARE(setModeEntries(A::Repeater, 2, Language::English).last(), QString("250.3(Hz)"));
        QCOMPARE(setModeEntries(A::Key, 6, Language::English).at(50), QString("Set mode exit"));
        QCOMPARE(setModeEntries(A::Key, 6, Language::Japanese).at(0), QString("language／言語"));
        QCOMPARE(setModeEntries(A::Send, 3, Language::English).first(), QString(" 1SEC"));
        QCOMPARE(keyItemCode(0), 130);
        QCOMPARE(keyItemPosition(48), 49);
        QCOMPARE(keyItemPosition(1), -1);
    }
};

QTEST_GUILESS_MAIN(SetModeTest)
#include "tst_set_mode.moc"
