#include "channels/value_tables.h"

#include <QTest>

using namespace qmh4;

using CaptionOf = QString (*)(int);
using IndexOf = int (*)(QStringView);
Q_DECLARE_METATYPE(CaptionOf)
Q_DECLARE_METATYPE(IndexOf)

class ValueTablesTest : public QObject {
    Q_OBJECT

private slots:
    void captions_data() {
        QTest::addColumn<CaptionOf>("captionOf");
        QTest::addColumn<IndexOf>("indexOf");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* name, CaptionOf c, IndexOf i, int count, int index,
                            const char16_t* caption) {
            QTest::newRow(name) << c << i << count << index << QString::fromUtf16(caption);
        };
        row("record mode", modeCaption, modeIndex, ModeCount, 0, u"NFM");
        row("listed mode", listedModeCaption, listedModeIndex, ModeCount, 2, u"NFM");
        row("record tone type", toneTypeCaption, toneTypeIndex, ToneTypeCount, 1, u"Train");
        row("listed tone type", listedToneTypeCaption, listedToneTypeIndex, ToneTypeCount, 5,
            u"Train");
        row("step", stepCaption, stepIndex, StepCount, 2, u"8.33KHz");
        row("ctcss", ctcssCaption, ctcssIndex, CtcssCount, 32, u"203.5Hz");
        row("dcs 8", dcsCaption, dcsIndex, DcsCount, 8, u"051");
        row("train", trainCaption, trainIndex, TrainCount, 28, u"ＪＲ");
        row("shift", shiftCaption, shiftIndex, ShiftCount, 2, u"-");
    }

    void captions() {
        QFETCH(CaptionOf, captionOf);
        QFETCH(IndexOf, indexOf);
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(QString, caption);
        QCOMPARE(captionOf(index), caption);
        // Exactly `count` distinct entries, each found at its own index.
        for (int i = 0; i < count; ++i)
            QCOMPARE(indexOf(captionOf(i)), i);
        QVERIFY(captionOf(count).isEmpty() && captionOf(-1).isEmpty());
        QCOMPARE(indexOf(u"ERROR"), -1);
    }

    void frequencyText_data() {
        QTest::addColumn<quint32>("hz");
        QTest::addColumn<QString>("text");
        QTest::newRow("5 MHz, 10 characters") << 5'000'000u << u"5.00000MHz"_qs;
        QTest::newRow("1295 MHz, 13 characters") << 1'295'000'000u << u"1295.00000MHz"_qs;
        QTest::newRow("520 kHz") << 520'000u << u"0.52000MHz"_qs;
        QTest::newRow("below 0.1 MHz keeps five decimals") << 50'000u << u"0.05000MHz"_qs;
        QTest::newRow("10 Hz") << 10u << u"0.00001MHz"_qs;
        QTest::newRow("half rounds to even, down") << 145'000'005u << u"145.00000MHz"_qs;
        QTest::newRow("half rounds to even, up") << 145'000'015u << u"145.00002MHz"_qs;
        QTest::newRow("above half rounds up") << 145'000'006u << u"145.00001MHz"_qs;
        QTest::newRow("rounding carries into MHz") << 99'999'996u << u"100.00000MHz"_qs;
        QTest::newRow("largest number") << 0xFFFFFFFFu << u"4294.96730MHz"_qs;
    }

    void frequencyText() {
        QFETCH(quint32, hz);
        QFETCH(QString, text);
        QCOMPARE(frequencyTextFromHz(hz), text);
        // The text splits back into the same frequency.
        QCOMPARE(frequencyTextFromUnits(frequencyUnits(text)), text);
    }
};

QTEST_GUILESS_MAIN(ValueTablesTest)
#include "tst_value_tables.moc"
