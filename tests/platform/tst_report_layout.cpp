#include "platform/report/ReportFrame.h"
#include "platform/report/ReportLayout.h"

#include <QtTest>

using namespace platform::report;

namespace {

const QDateTime kPrintedAt(QDate(2024, 3, 5), QTime(14, 7, 30));

Band band(BandKind kind, double heightMm, const QString& textTemplate,
          const QString& groupField = {}) {
    Band b;
    b.kind = kind;
    b.heightMm = heightMm;
    b.groupField = groupField;
    if (!textTemplate.isEmpty())
        b.items.append(text(QRectF(0, 0, 150, std::min(heightMm, 5.0)), textTemplate));
    return b;
}

ReportDefinition a4(const QList<Band>& bands) {
    ReportDefinition def;
    def.page = PageSetup::a4();
    def.bands = bands;
    return def;
}

QList<QVariantMap> numberedRows(int count) {
    QList<QVariantMap> rows;
    for (int i = 1; i <= count; ++i) rows.append({{"N", i}});
    return rows;
}

/// Rows from "field=value" lists, so a group fixture reads as a table.
QList<QVariantMap> rowsOf(const QString& field, const QStringList& values) {
    QList<QVariantMap> rows;
    for (const QString& v : values) rows.append({{field, v}});
    return rows;
}

QStringList linesOf(const LaidOutPage& page) {
    return page.text().split('\n');
}

/// The one text a single-item detail band prints for `row`.
QString resolved(const QString& textTemplate, const QVariantMap& row,
                 const QVariantMap& values = {}) {
    ReportData data;
    data.rows = {row};
    data.values = values;
    const LaidOutDocument doc =
        layOut(a4({band(BandKind::Detail, 5, textTemplate)}), data, kPrintedAt);
    return doc.pages.at(0).items.at(0).text;
}

const PlacedItem* findText(const LaidOutPage& page, const QString& startsWith) {
    for (const PlacedItem& item : page.items)
        if (item.kind == ItemKind::Text && item.text.startsWith(startsWith))
            return &item;
    return nullptr;
}

}  // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private slots:
    // A4: 297 mm with 10 mm margins. Header and footer heights set the body;
    // the rows per page follow from the detail height.
    void pageBreaks_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("headerMm");
        QTest::addColumn<double>("footerMm");
        QTest::addColumn<double>("detailMm");
        QTest::addColumn<QList<int>>("rowsPerPage");
        // Body 247 mm: 24 rows of 10 mm.
        QTest::newRow("one full page") << 24 << 20.0 << 10.0 << 10.0 << QList<int>{24};
        QTest::newRow("one row over") << 25 << 20.0 << 10.0 << 10.0 << QList<int>{24, 1};
        QTest::newRow("three pages") << 60 << 20.0 << 10.0 << 10.0 << QList<int>{24, 24, 12};
        // Body exactly 250 mm: the 25th row touches the footer and still fits.
        QTest::newRow("rows exactly fill the body")
            << 50 << 17.0 << 10.0 << 10.0 << QList<int>{25, 25};
        QTest::newRow("fractional heights fill exactly")
            << 30 << 17.0 << 10.0 << 8.3333333333333333 << QList<int>{30};
        QTest::newRow("no rows") << 0 << 20.0 << 10.0 << 10.0 << QList<int>{0};
        QTest::newRow("band taller than a page")
            << 3 << 20.0 << 10.0 << 300.0 << QList<int>{1, 1, 1};
    }
    void pageBreaks() {
        QFETCH(int, rows);
        QFETCH(double, headerMm);
        QFETCH(double, footerMm);
        QFETCH(double, detailMm);
        QFETCH(QList<int>, rowsPerPage);

        ReportData data;
        data.rows = numberedRows(rows);
        const LaidOutDocument doc = layOut(a4({band(BandKind::PageHeader, headerMm, "HEADER"),
                                               band(BandKind::Detail, detailMm, "row {N}"),
                                               band(BandKind::PageFooter, footerMm, "FOOTER")}),
                                           data, kPrintedAt);

        QCOMPARE(doc.pages.size(), rowsPerPage.size());
        int next = 1;
        for (qsizetype p = 0; p < doc.pages.size(); ++p) {
            const LaidOutPage& page = doc.pages.at(p);
            QCOMPARE(page.sizeMm, QSizeF(210, 297));
            const PlacedItem* header = findText(page, "HEADER");
            const PlacedItem* footer = findText(page, "FOOTER");
            QVERIFY(header && footer);
            QCOMPARE(header->rectMm.top(), 10.0);
            QCOMPARE(footer->rectMm.top(), 297 - 10 - footerMm);
            int count = 0;
            double y = 10 + headerMm;
            for (const PlacedItem& item : page.items) {
                if (!item.text.startsWith("row "))
                    continue;
                QCOMPARE(item.text, QString("row %1").arg(next++));
                QCOMPARE(item.rectMm.top(), y);  // rows follow each other without gaps
                y += detailMm;
                if (detailMm < 247)  // only a band taller than any body may cross
                    QVERIFY(y <= footer->rectMm.top() + 1e-6);
                ++count;
            }
            QCOMPARE(count, rowsPerPage.at(p));
        }
        QCOMPARE(next, rows + 1);
    }

    void groupsPrintAroundRunsOfValues() {
        ReportData data;
        // An integer 1 and a text "1" are the same group: values compare as text.
        data.rows = {{{"CAT", "A"}, {"N", 1}}, {{"CAT", "A"}, {"N", 2}}, {{"CAT", "B"}, {"N", 3}},
                     {{"CAT", 1}, {"N", 4}},   {{"CAT", "1"}, {"N", 5}}, {{"CAT", "A"}, {"N", 6}}};
        const LaidOutDocument doc = layOut(a4({band(BandKind::GroupHeader, 5, "H {CAT}", "cat"),
                                               band(BandKind::Detail, 5, "D {N}"),
                                               band(BandKind::GroupFooter, 5, "F {CAT} {N}", "CAT"),
                                               band(BandKind::Summary, 5, "S {#row}")}),
                                           data, kPrintedAt);
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(linesOf(doc.pages.at(0)),
                 QStringList({"H A", "D 1", "D 2", "F A 2", "H B", "D 3", "F B 3", "H 1", "D 4",
                              "D 5", "F 1 5", "H A", "D 6", "F A 6", "S 6"}));
    }

    void nestedGroupsCloseInnermostFirst() {
        ReportData data;
        data.rows = {{{"CAT", "A"}, {"VEI", "x"}, {"N", 1}},
                     {{"CAT", "A"}, {"VEI", "y"}, {"N", 2}},
                     {{"CAT", "B"}, {"VEI", "y"}, {"N", 3}},
                     {{"CAT", "B"}, {"VEI", "y"}, {"N", 4}}};
        const LaidOutDocument doc =
            layOut(a4({band(BandKind::GroupHeader, 5, "CAT {CAT}", "CAT"),
                       band(BandKind::GroupHeader, 5, "VEI {VEI}", "VEI"),
                       band(BandKind::Detail, 5, "D {N} {#row}/{#grouprow}"),
                       band(BandKind::GroupFooter, 5, "END VEI {#grouprow}", "VEI"),
                       band(BandKind::GroupFooter, 5, "END CAT {#grouprow}", "CAT")}),
                   data, kPrintedAt);
        // VEI "y" runs on from A into B but is a new inner group under B.
        QCOMPARE(linesOf(doc.pages.at(0)),
                 QStringList({"CAT A", "VEI x", "D 1 1/1", "END VEI 1", "VEI y", "D 2 2/1",
                              "END VEI 1", "END CAT 2", "CAT B", "VEI y", "D 3 3/1", "D 4 4/2",
                              "END VEI 2", "END CAT 2"}));
    }

    void groupBandsReadTheirGroupsFirstAndLastRow() {
        ReportData data;
        data.rows = {{{"CAT", "A"}, {"NOME", "first"}},
                     {{"CAT", "A"}, {"NOME", "middle"}},
                     {{"CAT", "A"}, {"NOME", "last"}}};
        const LaidOutDocument doc =
            layOut(a4({band(BandKind::GroupHeader, 5, "H {NOME} {#row}", "CAT"),
                       band(BandKind::GroupFooter, 5, "F {NOME} {#row}", "CAT")}),
                   data, kPrintedAt);
        QCOMPARE(linesOf(doc.pages.at(0)), QStringList({"H first 1", "F last 3"}));
    }

    void newPageBeforeStartsEachGroupOnAPage() {
        ReportData data;
        data.rows = rowsOf("CAT", {"A", "A", "B", "C"});
        Band header = band(BandKind::GroupHeader, 5, "H {CAT}", "CAT");
        header.newPageBefore = true;
        const LaidOutDocument doc =
            layOut(a4({band(BandKind::PageHeader, 10, "PAGE {#page}"), header,
                       band(BandKind::Detail, 5, "D {CAT}"), band(BandKind::Summary, 5, "END")}),
                   data, kPrintedAt);
        // The first group does not leave an empty first page behind.
        QCOMPARE(doc.pages.size(), 3);
        QCOMPARE(linesOf(doc.pages.at(0)), QStringList({"PAGE 1", "H A", "D A", "D A"}));
        QCOMPARE(linesOf(doc.pages.at(1)), QStringList({"PAGE 2", "H B", "D B"}));
        QCOMPARE(linesOf(doc.pages.at(2)), QStringList({"PAGE 3", "H C", "D C", "END"}));
        QCOMPARE(findText(doc.pages.at(1), "H B")->rectMm.top(), 20.0);
    }

    void invisibleBandsTakeNoSpace() {
        ReportData data;
        data.rows = rowsOf("CAT", {"A", "A", "B"});
        Band detail = band(BandKind::Detail, 50, "D {CAT}");
        detail.visible = false;  // the summarised layout: group lines only
        const LaidOutDocument doc =
            layOut(a4({band(BandKind::GroupHeader, 6, "H {CAT} {#row}", "CAT"), detail,
                       band(BandKind::GroupFooter, 4, "F {#grouprow}", "CAT")}),
                   data, kPrintedAt);
        const LaidOutPage& page = doc.pages.at(0);
        QCOMPARE(linesOf(page), QStringList({"H A 1", "F 2", "H B 3", "F 1"}));
        QCOMPARE(findText(page, "H B")->rectMm.top(), 10.0 + 6 + 4);
    }

    void emptyReportPrintsHeaderSummaryAndFooter() {
        const LaidOutDocument doc =
            layOut(a4({band(BandKind::PageHeader, 10, "TITLE {EVENTO}"),
                       band(BandKind::GroupHeader, 5, "H", "CAT"), band(BandKind::Detail, 5, "D"),
                       band(BandKind::GroupFooter, 5, "F", "CAT"),
                       band(BandKind::Summary, 5, "Total Inscritos: {#row}"),
                       band(BandKind::PageFooter, 5, "Pag.: {#page}/{#pages}")}),
                   ReportData{{}, {{"EVENTO", "Etapa 1"}}}, kPrintedAt);
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(linesOf(doc.pages.at(0)),
                 QStringList({"TITLE Etapa 1", "Total Inscritos: 0", "Pag.: 1/1"}));
    }

    void pageNumbersAndPageBandValues() {
        ReportData data;
        data.rows = numberedRows(60);  // 24 rows a page: 3 pages
        data.values = {{"CAMPEONATO", "Copa"}};
        QList<Band> bands{band(BandKind::PageHeader, 20, "first {N} {CAMPEONATO}"),
                          band(BandKind::Detail, 10, "row {N}"),
                          band(BandKind::Summary, 10, "pages {#pages}"),
                          frameFooter(PageSetup::a4())};
        bands.last().heightMm = 10;
        bands.last().items.append(text(QRectF(0, 6, 100, 4), "last {N}"));
        const LaidOutDocument doc = layOut(a4(bands), data, kPrintedAt);
        QCOMPARE(doc.pages.size(), 3);
        const QStringList first{"first 1 Copa", "first 25 Copa", "first 49 Copa"};
        const QStringList last{"last 24", "last 48", "last 60"};
        for (int p = 0; p < 3; ++p) {
            const QString text = doc.pages.at(p).text();
            QVERIFY2(text.contains(QString("Pag.: %1").arg(p + 1)), qPrintable(text));
            QVERIFY2(text.contains(first.at(p)), qPrintable(text));
            QVERIFY2(text.contains(last.at(p)), qPrintable(text));
        }
        // {#pages} in the body is filled in once the count is known.
        QVERIFY(doc.pages.at(2).text().contains("pages 3"));
        QCOMPARE(doc.text().count('\f'), 2);
    }

    void summaryOverflowKeepsTheLastRowInPageBands() {
        ReportData data;
        data.rows = numberedRows(24);  // fills page 1 exactly
        const LaidOutDocument doc =
            layOut(a4({band(BandKind::PageHeader, 20, "head {N} {#row}"),
                       band(BandKind::Detail, 10, "row {N}"), band(BandKind::Summary, 10, "END"),
                       band(BandKind::PageFooter, 10, "foot {N}")}),
                   data, kPrintedAt);
        QCOMPARE(doc.pages.size(), 2);
        QCOMPARE(linesOf(doc.pages.at(1)), QStringList({"head 24 24", "END", "foot 24"}));
    }

    void rowCounters() {
        ReportData data;
        data.rows = rowsOf("CAT", {"A", "A", "A", "B", "B"});
        const LaidOutDocument doc = layOut(a4({band(BandKind::GroupHeader, 5, "", "CAT"),
                                               band(BandKind::Detail, 5, "{#row}° {#grouprow}°"),
                                               band(BandKind::Summary, 5, "rows {#row}")}),
                                           data, kPrintedAt);
        QCOMPARE(linesOf(doc.pages.at(0)),
                 QStringList({"1° 1°", "2° 2°", "3° 3°", "4° 1°", "5° 2°", "rows 5"}));

        // Without groups the whole report is one group.
        const LaidOutDocument flat = layOut(a4({band(BandKind::Detail, 5, "{#row} {#grouprow}")}),
                                            ReportData{numberedRows(2), {}}, kPrintedAt);
        QCOMPARE(linesOf(flat.pages.at(0)), QStringList({"1 1", "2 2"}));
    }

    void displayFormats_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("time") << 7.2 << "####0.000"
                              << "7,200";
        QTest::newRow("time below one") << 0.5234 << "####0.000"
                                        << "0,523";
        QTest::newRow("no grouping") << 12345.6789 << "####0.000"
                                     << "12345,679";
        QTest::newRow("speed") << 180.25 << "##0.0"
                               << "180,3";
        QTest::newRow("speed zero") << 0.0 << "##0.0"
                                    << "0,0";
        QTest::newRow("two integer digits") << 7.2 << "00.000"
                                            << "07,200";
        QTest::newRow("more digits than the mask") << 75.123 << "00.000"
                                                   << "75,123";
        QTest::newRow("difference") << 0.1 << "0.000"
                                    << "0,100";
        QTest::newRow("three integer digits") << 98.76 << "000.0"
                                              << "098,8";
        QTest::newRow("half rounds up") << 0.0005 << "0.000"
                                        << "0,001";
        QTest::newRow("binary just below a half") << 1.2345 << "0.000"
                                                  << "1,235";
        QTest::newRow("carry into the integer") << 9.9996 << "0.000"
                                                << "10,000";
        QTest::newRow("carry into a new digit") << 99.96 << "00.0"
                                                << "100,0";
        QTest::newRow("negative") << -1.5 << "0.000"
                                  << "-1,500";
        QTest::newRow("negative half away from zero") << -0.0005 << "0.000"
                                                      << "-0,001";
        QTest::newRow("negative rounding to zero") << -0.0004 << "0.000"
                                                   << "0,000";
        QTest::newRow("integer format") << 2.5 << "0"
                                        << "3";
        QTest::newRow("optional decimals") << 1.5 << "0.0##"
                                           << "1,5";
        QTest::newRow("optional decimals rounded") << 1.23456 << "0.0##"
                                                   << "1,235";
        QTest::newRow("optional integer digits") << 0.5 << "#.00"
                                                 << ",50";
        QTest::newRow("text around") << 120.0 << "0.0 km/h"
                                     << "120,0 km/h";
        QTest::newRow("large") << 1.5e17 << "0"
                               << "150000000000000000";
    }
    void displayFormats() {
        QFETCH(double, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(formatNumber(value, format, ','), expected);
    }

    void separatorAsGiven() { QCOMPARE(formatNumber(7.2, "00.000", '.'), QString("07.200")); }

    void placeholders_data() {
        QTest::addColumn<QString>("textTemplate");
        QTest::addColumn<QVariantMap>("row");
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<QString>("expected");
        const QVariantMap none;
        QTest::newRow("column in any case")
            << "{placa}-{Piloto}" << QVariantMap{{"PLACA", "12"}, {"PILOTO", "Ana"}} << none
            << "12-Ana";
        QTest::newRow("report-wide value")
            << "{EVENTO}" << none << QVariantMap{{"evento", "Etapa 1"}} << "Etapa 1";
        QTest::newRow("row before report-wide") << "{EVENTO}" << QVariantMap{{"EVENTO", "row"}}
                                                << QVariantMap{{"EVENTO", "wide"}} << "row";
        QTest::newRow("unknown is empty") << "[{NADA}]" << none << none << "[]";
        QTest::newRow("null is empty") << "[{T}]" << QVariantMap{{"T", QVariant()}} << none << "[]";
        QTest::newRow("formatted double")
            << "{T:####0.000}" << QVariantMap{{"T", 6.5}} << none << "6,500";
        QTest::newRow("formatted integer")
            << "{T:00.000}" << QVariantMap{{"T", 7}} << none << "07,000";
        QTest::newRow("number stored as text")
            << "{T:00.000}" << QVariantMap{{"T", "7.2"}} << none << "07,200";
        QTest::newRow("comma text")
            << "{T:00.000}" << QVariantMap{{"T", "7,2"}} << none << "07,200";
        QTest::newRow("not a number prints as is")
            << "{T:00.000}" << QVariantMap{{"T", "DNF"}} << none << "DNF";
        QTest::newRow("empty text with a format")
            << "[{T:00.000}]" << QVariantMap{{"T", ""}} << none << "[]";
        QTest::newRow("null with a format")
            << "[{T:00.000}]" << QVariantMap{{"T", QVariant()}} << none << "[]";
        QTest::newRow("plain double") << "{T}" << QVariantMap{{"T", 0.1 + 0.2}} << none << "0.3";
        QTest::newRow("date") << "{DATA}" << QVariantMap{{"DATA", QDate(2024, 3, 9)}} << none
                              << "09/03/2024";
        QTest::newRow("date-time")
            << "{D}" << QVariantMap{{"D", QDateTime(QDate(2024, 3, 9), QTime(8, 5, 1))}} << none
            << "09/03/2024 08:05:01";
        QTest::newRow("time of day")
            << "{HORA}" << QVariantMap{{"HORA", QTime(8, 5, 1)}} << none << "08:05:01";
        QTest::newRow("print time") << "Impresso em: {#now:dd/MM/yyyy hh:mm}" << none << none
                                    << "Impresso em: 05/03/2024 14:07";
        QTest::newRow("escaped braces")
            << "{{PLACA}} }}" << QVariantMap{{"PLACA", "12"}} << none << "{PLACA} }";
        QTest::newRow("unclosed brace")
            << "a {PLACA" << QVariantMap{{"PLACA", "12"}} << none << "a {PLACA";
        QTest::newRow("braces in a value stay")
            << "{P}" << QVariantMap{{"P", "{#page}"}} << none << "{#page}";
        QTest::newRow("accents") << "{C}: {P}" << QVariantMap{{"C", "Reação"}, {"P", "Conceição"}}
                                 << none << "Reação: Conceição";
    }
    void placeholders() {
        QFETCH(QString, textTemplate);
        QFETCH(QVariantMap, row);
        QFETCH(QVariantMap, values);
        QFETCH(QString, expected);
        QCOMPARE(resolved(textTemplate, row, values), expected);
    }

    void wordWrapGrowsTheBand() {
        const QString longText =
            "Motivo: largada antes do sinal verde, confirmada pelo cronometrista e pelo "
            "diretor de prova na presença dos dois pilotos";
        const Font font;
        const double needed = wrappedHeightMm(longText, font, 40);
        const double oneLine = wrappedHeightMm("Motivo", font, 40);
        QVERIFY2(needed > 3 * oneLine, qPrintable(QString::number(needed)));
        QCOMPARE(wrappedHeightMm(longText, font, 1000), oneLine);

        Band detail = band(BandKind::Detail, 10, "");
        detail.items.append(text(QRectF(0, 2, 40, 4), "{MOTIVO}"));
        detail.items.last().wordWrap = true;
        detail.items.append(text(QRectF(60, 6, 40, 4), "below {N}"));  // keeps its place
        ReportData data;
        data.rows = {{{"MOTIVO", longText}, {"N", 1}}, {{"MOTIVO", "curto"}, {"N", 2}}};
        const LaidOutDocument doc =
            layOut(a4({detail, band(BandKind::Summary, 5, "END")}), data, kPrintedAt);
        const LaidOutPage& page = doc.pages.at(0);

        const PlacedItem* wrapped = findText(page, "Motivo");
        QVERIFY(wrapped);
        QCOMPARE(wrapped->rectMm.top(), 12.0);
        QVERIFY(qFuzzyCompare(wrapped->rectMm.height(), needed));
        QCOMPARE(findText(page, "below 1")->rectMm.top(), 16.0);
        // The band grew by the wrapped item's overflow; a short text does not grow it.
        const double second = 10 + 10 + (needed - 4);
        QVERIFY(qFuzzyCompare(findText(page, "curto")->rectMm.top(), second + 2));
        QVERIFY(qFuzzyCompare(findText(page, "END")->rectMm.top(), second + 10));
    }

    void continuousRoll_data() {
        QTest::addColumn<QString>("roll");
        QTest::addColumn<int>("rows");
        QTest::newRow("80 mm, three rows") << "80" << 3;
        QTest::newRow("57 mm, long list stays one page") << "57" << 200;
        QTest::newRow("80 mm, no rows") << "80" << 0;
    }
    void continuousRoll() {
        QFETCH(QString, roll);
        QFETCH(int, rows);
        ReportDefinition def;
        def.page = roll == "80" ? PageSetup::roll80() : PageSetup::roll57();
        Band group = band(BandKind::GroupHeader, 0, "", "N");
        group.newPageBefore = true;  // no page breaks on a roll
        def.bands = {band(BandKind::PageHeader, 10, "HEAD"), group,
                     band(BandKind::Detail, 5, "row {N}"), band(BandKind::PageFooter, 8, "FOOT")};
        const LaidOutDocument doc = layOut(def, ReportData{numberedRows(rows), {}}, kPrintedAt);

        QCOMPARE(doc.pages.size(), 1);
        const LaidOutPage& page = doc.pages.at(0);
        const double content = 10 + 5.0 * rows + 8;
        QCOMPARE(page.sizeMm, QSizeF(def.page.widthMm, 3 + content + 3));
        QCOMPARE(findText(page, "HEAD")->rectMm.top(), 3.0);
        QCOMPARE(findText(page, "FOOT")->rectMm.top(), 3 + 10 + 5.0 * rows);
        QCOMPARE(findText(page, "HEAD")->rectMm.left(), def.page.leftMm);
    }

    void rollGeometry() {
        const PageSetup r80 = PageSetup::roll80();
        const PageSetup r57 = PageSetup::roll57();
        QVERIFY(r80.continuous && r57.continuous && !PageSetup::a4().continuous);
        QCOMPARE(r80.printableWidthMm(), 72.0);
        QCOMPARE(r57.printableWidthMm(), 48.0);
        QCOMPARE(PageSetup::a4().printableWidthMm(), 190.0);
    }

    void frameTexts() {
        const PageSetup page = PageSetup::a4();
        QImage logo(40, 30, QImage::Format_RGB32);
        logo.fill(Qt::red);
        ReportData data;
        data.rows = numberedRows(30);
        data.values = {{"CAMPEONATO", "Campeonato Paulista de Arrancada"},
                       {"EVENTO", "2ª Etapa"},
                       {"DATA", QDate(2024, 3, 9)},
                       {"LOCAL", "Autódromo de Interlagos"}};
        const LaidOutDocument doc = layOut(
            a4({frameHeader(page, "CLASSIFICAÇÃO POR TEMPO TOTAL (R+P): 201 m {X}",
                            {logo, QImage(), logo}),
                band(BandKind::Detail, 10, "row {N}"), frameFooter(page, "VUD Cronometragem")}),
            data, kPrintedAt);
        QCOMPARE(doc.pages.size(), 2);
        const QStringList lines = linesOf(doc.pages.at(1));
        QCOMPARE(lines.mid(0, 4),
                 QStringList({"CAMPEONATO: Campeonato Paulista de Arrancada", "EVENTO: 2ª Etapa",
                              "09/03/2024 Autódromo de Interlagos",
                              "CLASSIFICAÇÃO POR TEMPO TOTAL (R+P): 201 m {X}"}));
        QCOMPARE(lines.mid(lines.size() - 2),
                 QStringList({"Impresso em: 05/03/2024 14:07 RESULTADOS EXTRA-OFICIAIS, SUJEITOS A "
                              "DESCLASSIFICAÇÃO Pag.: 2",
                              "VUD Cronometragem"}));

        // Every frame text fits its box on one line, and the pictures sit at
        // the right edge without covering the texts.
        QList<QRectF> pictures;
        double textRight = 0;
        for (const PlacedItem& item : doc.pages.at(1).items) {
            if (item.kind == ItemKind::Picture)
                pictures.append(item.rectMm);
            if (item.kind != ItemKind::Text || item.text.startsWith("row"))
                continue;
            const double width = item.rectMm.width();
            QVERIFY2(wrappedHeightMm(item.text, item.font, width) ==
                         wrappedHeightMm(item.text, item.font, 1000),
                     qPrintable(item.text));
            QVERIFY2(wrappedHeightMm(item.text, item.font, 1000) <= item.rectMm.height() + 0.5,
                     qPrintable(item.text));
            if (item.rectMm.bottom() < 17)
                textRight = std::max(textRight, item.rectMm.right());
        }
        QCOMPARE(pictures.size(), 2);
        QCOMPARE(pictures.at(0).right(), 200.0);
        QCOMPARE(pictures.at(0).top(), 10.0);
        QVERIFY(textRight <= pictures.at(1).left());

        const Band plain = frameFooter(page);
        QCOMPARE(plain.items.size(), 4);  // no credits line
    }
};

QTEST_MAIN(TestReportLayout)
#include "tst_report_layout.moc"
