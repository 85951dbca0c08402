#include "channels/value_tables.h"

#include <QTest>

using namespace qmh4;

class ValueTablesTest : public QObject {
    Q_OBJECT

private slots:
    void captions_data();
    void captions();
    void fixedFrequencyList();
    void dualRemap();
    void frequencyText_data();
    void frequencyText();
    void frequencyTextSplitsBack_data();
    void frequencyTextSplitsBack();
    void offsetText_data();
    void offsetText();
    void offsetTextSplitsBack_data();
    void offsetTextSplitsBack();
};

using CaptionOf = QString (*)(int);
using IndexOf = int (*)(QStringView);
Q_DECLARE_METATYPE(CaptionOf)
Q_DECLARE_METATYPE(IndexOf)

void ValueTablesTest::captions_data() {
    QTest::addColumn<CaptionOf>("captionOf");
    QTest::addColumn<IndexOf>("indexOf");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char* name, CaptionOf c, IndexOf i, int count, int index,
                        const QString& caption) {
        QTest::newRow(name) << c << i << count << index << caption;
    };
    row("mode 0", modeCaption, modeIndex, ModeCount, 0, u"NFM"_qs);
    row("mode 3", modeCaption, modeIndex, ModeCount, 3, u"WFM"_qs);
    row("listed mode 0", listedModeCaption, listedModeIndex, ModeCount, 0, u"FM"_qs);
    row("listed mode 2", listedModeCaption, listedModeIndex, ModeCount, 2, u"NFM"_qs);
    row("listed tone type 1", listedToneTypeCaption, listedToneTypeIndex, ToneTypeCount, 1,
        u"Tone"_qs);
    row("listed tone type 5", listedToneTypeCaption, listedToneTypeIndex, ToneTypeCount, 5,
        u"Train"_qs);
    row("step 1", stepCaption, stepIndex, StepCount, 1, u"6.25KHz"_qs);
    row("step 2", stepCaption, stepIndex, StepCount, 2, u"8.33KHz"_qs);
    row("step 15", stepCaption, stepIndex, StepCount, 15, u"1MHz"_qs);
    row("tone type 1", toneTypeCaption, toneTypeIndex, ToneTypeCount, 1, u"Train"_qs);
    row("tone type 5", toneTypeCaption, toneTypeIndex, ToneTypeCount, 5, u"DCS"_qs);
    row("ctcss 0", ctcssCaption, ctcssIndex, CtcssCount, 0, u"67.0Hz"_qs);
    row("ctcss 8", ctcssCaption, ctcssIndex, CtcssCount, 8, u"88.5Hz"_qs);
    row("ctcss 12", ctcssCaption, ctcssIndex, CtcssCount, 12, u"100.0Hz"_qs);
    row("ctcss 32", ctcssCaption, ctcssIndex, CtcssCount, 32, u"203.5Hz"_qs);
    row("ctcss 38", ctcssCaption, ctcssIndex, CtcssCount, 38, u"250.3Hz"_qs);
    row("dcs 0", dcsCaption, dcsIndex, DcsCount, 0, u"023"_qs);
    row("dcs 8", dcsCaption, dcsIndex, DcsCount, 8, u"051"_qs);
    row("dcs 10", dcsCaption, dcsIndex, DcsCount, 10, u"054"_qs);
    row("dcs 103", dcsCaption, dcsIndex, DcsCount, 103, u"754"_qs);
    row("train 0", trainCaption, trainIndex, TrainCount, 0, u"300Hz"_qs);
    row("train 20", trainCaption, trainIndex, TrainCount, 20, u"2300Hz"_qs);
    row("train 27", trainCaption, trainIndex, TrainCount, 27, u"3000Hz"_qs);
    row("train 28", trainCaption, trainIndex, TrainCount, 28, u"ＪＲ"_qs);
    row("shift 2", shiftCaption, shiftIndex, ShiftCount, 2, u"-"_qs);
}

void ValueTablesTest::captions() {
    QFETCH(CaptionOf, captionOf);
    QFETCH(IndexOf, indexOf);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QCOMPARE(captionOf(index), caption);
    QCOMPARE(indexOf(caption), index);
    // The table has exactly `count` distinct entries, each its own index.
    QVERIFY(captionOf(count - 1).size() > 0);
    QVERIFY(captionOf(count).isEmpty());
    QVERIFY(captionOf(-1).isEmpty());
    for (int i = 0; i < count; ++i)
        QCOMPARE(indexOf(captionOf(i)), i);
    QCOMPARE(indexOf(u"ERROR"), -1);
}

void ValueTablesTest::fixedFrequencyList() {
    const auto& list = fixedFrequencies();
    QCOMPARE(list[0], 5'375'000u);    // 53.75 MHz
    QCOMPARE(list[2], 6'775'000u);    // 67.75 MHz
    QCOMPARE(list[3], 18'075'000u);   // 180.75 MHz
    QCOMPARE(list[10], 22'975'000u);  // 229.75 MHz
    QCOMPARE(list[11], 47'675'000u);  // 476.75 MHz
    QCOMPARE(list[59], 86'075'000u);  // 860.75 MHz
    QCOMPARE(list[60], 47'725'000u);  // 477.25 MHz
    QCOMPARE(list[107], 85'325'000u); // 853.25 MHz
    QVERIFY(isFixedFrequency(5'375'000));
    QVERIFY(!isFixedFrequency(5'375'001));
    QVERIFY(!isFixedFrequency(0));
}

void ValueTablesTest::dualRemap() {
    const auto& table = dualRemapTable();
    QCOMPARE(table[0], 1101);
    QCOMPARE(table[1], 1201);
    QCOMPARE(table[2], 1102);
    QCOMPARE(table[198], 1200);
    QCOMPARE(table[199], 1300);
}

void ValueTablesTest::frequencyText_data() {
    QTest::addColumn<quint32>("hz");
    QTest::addColumn<QString>("text");
    QTest::newRow("145 MHz") << 145'000'000u << u"145.00000MHz"_qs;
    QTest::newRow("1295 MHz") << 1'295'000'000u << u"1295.00000MHz"_qs;
    QTest::newRow("520 kHz") << 520'000u << u"0.52000MHz"_qs;
    QTest::newRow("5 MHz") << 5'000'000u << u"5.00000MHz"_qs;
    QTest::newRow("below 0.1 MHz keeps five decimals") << 50'000u << u"0.05000MHz"_qs;
    QTest::newRow("10 Hz") << 10u << u"0.00001MHz"_qs;
    QTest::newRow("zero") << 0u << u"0.00000MHz"_qs;
    QTest::newRow("half rounds to even, down") << 145'000'005u << u"145.00000MHz"_qs;
    QTest::newRow("half rounds to even, up") << 145'000'015u << u"145.00002MHz"_qs;
    QTest::newRow("below half rounds down") << 145'000'004u << u"145.00000MHz"_qs;
    QTest::newRow("above half rounds up") << 145'000'006u << u"145.00001MHz"_qs;
    QTest::newRow("rounding carries into MHz") << 99'999'996u << u"100.00000MHz"_qs;
    QTest::newRow("largest number") << 0xFFFFFFFFu << u"4294.96730MHz"_qs;
}

void ValueTablesTest::frequencyText() {
    QFETCH(quint32, hz);
    QFETCH(QString, text);
    QCOMPARE(frequencyTextFromHz(hz), text);
}

void ValueTablesTest::frequencyTextSplitsBack_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("megahertz");
    QTest::addColumn<QString>("decimals");
    QTest::addColumn<quint64>("units");
    QTest::newRow("10 characters")
        << u"5.00000MHz"_qs << u"5"_qs << u"00000"_qs << quint64{500'000};
    QTest::newRow("11 characters")
        << u"53.75000MHz"_qs << u"53"_qs << u"75000"_qs << quint64{5'375'000};
    QTest::newRow("12 characters")
        << u"145.12500MHz"_qs << u"145"_qs << u"12500"_qs << quint64{14'512'500};
    QTest::newRow("13 characters")
        << u"1295.00000MHz"_qs << u"1295"_qs << u"00000"_qs << quint64{129'500'000};
    QTest::newRow("below 1 MHz") << u"0.53099MHz"_qs << u"0"_qs << u"53099"_qs << quint64{53'099};
    QTest::newRow("9 characters") << u"5.0000MHz"_qs << QString() << QString() << quint64{0};
    QTest::newRow("14 characters") << u"12345.00000MHz"_qs << QString() << QString() << quint64{0};
    QTest::newRow("empty") << QString() << QString() << QString() << quint64{0};
}

void ValueTablesTest::frequencyTextSplitsBack() {
    QFETCH(QString, text);
    QFETCH(QString, megahertz);
    QFETCH(QString, decimals);
    QFETCH(quint64, units);
    const FrequencyParts parts = splitFrequencyText(text);
    QCOMPARE(parts.megahertz, megahertz);
    QCOMPARE(parts.decimals, decimals);
    QCOMPARE(frequencyUnits(text), units);
    if (units != 0)
        QCOMPARE(frequencyTextFromUnits(units), text);
}

void ValueTablesTest::offsetText_data() {
    QTest::addColumn<quint32>("hz");
    QTest::addColumn<QString>("text");
    QTest::newRow("600 kHz") << 600'000u << u"0.600MHz"_qs;
    QTest::newRow("5 MHz") << 5'000'000u << u"5.000MHz"_qs;
    QTest::newRow("zero") << 0u << u"0.000MHz"_qs;
    QTest::newRow("Hz below a kHz are dropped") << 1'999u << u"0.001MHz"_qs;
    QTest::newRow("largest offset") << 999'995'000u << u"999.995MHz"_qs;
}

void ValueTablesTest::offsetText() {
    QFETCH(quint32, hz);
    QFETCH(QString, text);
    QCOMPARE(offsetTextFromHz(hz), text);
}

void ValueTablesTest::offsetTextSplitsBack_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("megahertz");
    QTest::addColumn<QString>("kilohertz");
    QTest::addColumn<qint64>("hz"); // -1: not an offset text
    QTest::newRow("8 characters") << u"0.600MHz"_qs << u"0"_qs << u"600"_qs << qint64{600'000};
    QTest::newRow("9 characters") << u"10.000MHz"_qs << u"10"_qs << u"000"_qs << qint64{10'000'000};
    QTest::newRow("10 characters")
        << u"999.995MHz"_qs << u"999"_qs << u"995"_qs << qint64{999'995'000};
    QTest::newRow("6 characters") << u"0.6MHz"_qs << QString() << QString() << qint64{-1};
    QTest::newRow("11 characters") << u"1000.000MHz"_qs << QString() << QString() << qint64{-1};
}

void ValueTablesTest::offsetTextSplitsBack() {
    QFETCH(QString, text);
    QFETCH(QString, megahertz);
    QFETCH(QString, kilohertz);
    QFETCH(qint64, hz);
    const OffsetParts parts = splitOffsetText(text);
    QCOMPARE(parts.megahertz, megahertz);
    QCOMPARE(parts.kilohertz, kilohertz);
    const auto value = offsetHz(text);
    QCOMPARE(value.has_value(), hz >= 0);
    if (value) {
        QCOMPARE(qint64{*value}, hz);
        QCOMPARE(offsetTextFromHz(*value), text);
    }
}

QTEST_GUILESS_MAIN(ValueTablesTest)
#include "tst_value_tables.moc"
