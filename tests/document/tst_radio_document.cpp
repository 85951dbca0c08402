#include "document/radio_document.h"

#include <QSignalSpy>
#include <QTest>

using namespace qmh4;

namespace {

using Edit = std::function<void(RadioDocument&)>;

ChannelRow rowWithFrequency(const QString& frequency) {
    ChannelRow row;
    row.cell(FrequencyColumn) = frequency;
    row.markUsed();
    return row;
}

} // namespace

Q_DECLARE_METATYPE(Edit)

// Every change of the working data goes through a named operation: it reports exactly what it
// touched, once, and its record puts either side back.
class RadioDocumentTest : public QObject {
    Q_OBJECT
private slots:
    void changesReportWhatTheyTouchedAndComeBack_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("signal"); // rows a..b, areas, glyphs or everything
        QTest::newRow("rows, narrowed to those that differ") << Edit([](RadioDocument& document) {
            document.editRows(QStringLiteral("Paste"), 1, 20, [](ChannelTable& table) {
                table.row(5) = rowWithFrequency(QStringLiteral("145.00000MHz"));
                table.row(7) = rowWithFrequency(QStringLiteral("433.00000MHz"));
            });
        }) << "rows 5..7";
        QTest::newRow("one row") << Edit([](RadioDocument& document) {
            document.setRow(QStringLiteral("Edit"), 1603, rowWithFrequency("1295.00000MHz"));
        }) << "rows 1603..1603";
        QTest::newRow("areas") << Edit([](RadioDocument& document) {
            document.editAreas(QStringLiteral("Bank size"),
                               [](RadioAreas& areas) { areas.banks.setSize(0, 400); });
        }) << "areas";
        QTest::newRow("glyphs") << Edit([](RadioDocument& document) {
            document.editGlyphs(QStringLiteral("Font"),
                                [](GlyphStore& glyphs) { glyphs.setPixel(3, 4, 5, true); });
        }) << "glyphs";
        QTest::newRow("everything") << Edit([](RadioDocument& document) {
            RadioData data = document.data();
            data.channels.row(2) = rowWithFrequency(QStringLiteral("145.50000MHz"));
            data.areas.title.setText(QStringLiteral("QMH4"));
            data.comPort = 7; // the port is no part of what a file or a read replaces
            document.replaceAll(QStringLiteral("Open"), data);
        }) << "everything";
    }
    void changesReportWhatTheyTouchedAndComeBack() {
        QFETCH(Edit, edit);
        QFETCH(QString, signal);
        RadioDocument document;
        document.setComPort(3);
        const RadioData before = document.data();
        QSignalSpy rows(&document, &RadioDocument::rowsChanged);
        QSignalSpy areas(&document, &RadioDocument::areasChanged);
        QSignalSpy glyphs(&document, &RadioDocument::glyphsChanged);
        QSignalSpy everything(&document, &RadioDocument::everythingReplaced);
        QSignalSpy changed(&document, &RadioDocument::changed);

        edit(document);
        QStringList seen;
        for (const QList<QVariant>& range : rows)
            seen << QStringLiteral("rows %1..%2").arg(range[0].toInt()).arg(range[1].toInt());
        seen << QStringList(areas.count(), "areas") << QStringList(glyphs.count(), "glyphs")
             << QStringList(everything.count(), "everything");
        QCOMPARE(seen, QStringList{signal});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(document.comPort(), 3);

        const RadioData after = document.data();
        QVERIFY(!(after == before));
        const auto change = changed.first().first().value<DocumentChange>();
        document.apply(change, false);
        QVERIFY(document.data() == before);
        document.apply(change, true);
        QVERIFY(document.data() == after);
        QCOMPARE(changed.count(), 1); // putting a side back is no new change
    }

    // An edit that leaves everything as it was reports nothing: no repaint, no undo step.
    void unchangedDataReportsNothing() {
        RadioDocument document;
        QSignalSpy changed(&document, &RadioDocument::changed);
        QSignalSpy rows(&document, &RadioDocument::rowsChanged);
        document.editRows(QStringLiteral("Clear"), 1, 1000, [](ChannelTable&) {});
        document.replaceChannels(QStringLiteral("Read"), document.channels());
        document.editAreas(QStringLiteral("Bank size"), [](RadioAreas&) {});
        document.replaceAll(QStringLiteral("Open"), document.data());
        QCOMPARE(changed.count() + rows.count(), 0);
    }
};

QTEST_GUILESS_MAIN(RadioDocumentTest)
#include "tst_radio_document.moc"
