// A long classification list from rows to PDF file: 1,500 runs in 15
// categories on about 40 A4 pages with the shared frame, a header per
// category and every time in its display format. Prints the layout time,
// the PDF time and their total, each the median of 5 runs. The operator
// waits for this when saving all categories; it should stay under 2 s.

#include "platform/report/ReportFrame.h"
#include "platform/report/ReportLayout.h"
#include "platform/report/ReportOutput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace platform::report;

namespace {

constexpr int kRows = 1500;
constexpr int kCategories = 15;
constexpr int kRepeats = 5;

ReportDefinition definition() {
    ReportDefinition def;
    def.title = QStringLiteral("Classificação");
    def.page = PageSetup::a4();
    QImage logo(300, 200, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    def.bands.append(frameHeader(
        def.page, QStringLiteral("CLASSIFICAÇÃO POR TEMPO TOTAL (R+P): 201 m"), {logo}));

    Band category;
    category.kind = BandKind::GroupHeader;
    category.groupField = QStringLiteral("SIGLA");
    category.heightMm = 9;
    Font big;
    big.pointSize = 12;
    big.bold = true;
    category.items.append(
        text(QRectF(0, 1, 190, 6), QStringLiteral("CATEGORIA: {SIGLA} - {CATEGORIA}"), big));
    category.items.append(line(QPointF(0, 8), QPointF(190, 8)));
    def.bands.append(category);

    Band detail;
    detail.kind = BandKind::Detail;
    detail.heightMm = 6.1;
    Font small;
    small.pointSize = 7.5;
    struct Column {
        double x, w;
        const char* text;
        Align align;
    };
    const Column columns[] = {
        {0, 8, "{#grouprow}°", Align::Right},
        {9, 10, "{PLACA}", Align::Right},
        {20, 40, "{PILOTO}", Align::Left},
        {61, 6, "{BATERIA}", Align::Center},
        {68, 14, "{LADO_PISTA}", Align::Left},
        {83, 14, "{HORA}", Align::Left},
        {98, 14, "{STATUS}", Align::Left},
        {113, 12, "{REACAO:####0.000}", Align::Right},
        {126, 12, "{TPES:####0.000}", Align::Right},
        {139, 12, "{T100:####0.000}", Align::Right},
        {152, 12, "{VEL_FINAL:##0.0}", Align::Right},
        {165, 12, "{TPISTA:####0.000}", Align::Right},
        {178, 12, "{TFINAL:00.000}", Align::Right},
    };
    for (const Column& c : columns)
        detail.items.append(
            text(QRectF(c.x, 0.5, c.w, 4.5), QString::fromUtf8(c.text), small, c.align));
    def.bands.append(detail);

    def.bands.append(frameFooter(def.page, QStringLiteral("VUD - Cronometragem de Arrancada")));
    return def;
}

ReportData data() {
    ReportData d;
    d.values = {{QStringLiteral("CAMPEONATO"), QStringLiteral("Campeonato Paulista de Arrancada")},
                {QStringLiteral("EVENTO"), QStringLiteral("3ª Etapa")},
                {QStringLiteral("DATA"), QDate(2024, 3, 9)},
                {QStringLiteral("LOCAL"), QStringLiteral("Autódromo de Interlagos")}};
    for (int i = 0; i < kRows; ++i) {
        const int category = i * kCategories / kRows;
        const double base = 6.0 + category * 0.4 + (i % 97) * 0.013;
        d.rows.append({{QStringLiteral("SIGLA"), QStringLiteral("C%1").arg(category + 1)},
                       {QStringLiteral("CATEGORIA"),
                        QStringLiteral("Categoria de teste %1").arg(category + 1)},
                       {QStringLiteral("PLACA"), QString::number(100 + i)},
                       {QStringLiteral("PILOTO"), QStringLiteral("Piloto Número %1").arg(i + 1)},
                       {QStringLiteral("BATERIA"), QString::number(1 + i % 3)},
                       {QStringLiteral("LADO_PISTA"),
                        i % 2 ? QStringLiteral("Direita") : QStringLiteral("Esquerda")},
                       {QStringLiteral("HORA"), QTime(10, 0).addSecs(i * 37)},
                       {QStringLiteral("STATUS"), QStringLiteral("Valido")},
                       {QStringLiteral("REACAO"), 0.2 + (i % 13) * 0.0171},
                       {QStringLiteral("TPES"), 1.4 + (i % 11) * 0.0123},
                       {QStringLiteral("T100"), base * 0.6},
                       {QStringLiteral("VEL_FINAL"), 150.0 + (i % 53) * 0.37},
                       {QStringLiteral("TPISTA"), base},
                       {QStringLiteral("TFINAL"), base + 0.25}});
    }
    return d;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const ReportDefinition def = definition();
    const ReportData rows = data();
    const QDateTime printedAt(QDate(2024, 3, 9), QTime(18, 30));
    QTemporaryDir dir;
    // A path on the command line keeps the PDF, to look at the pages.
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("classificacao.pdf"));

    std::vector<double> layoutMs, pdfMs, totalMs;
    qsizetype pages = 0;
    qint64 bytes = 0;
    for (int run = 0; run < kRepeats; ++run) {
        QElapsedTimer clock;
        clock.start();
        const LaidOutDocument doc = layOut(def, rows, printedAt);
        const qint64 laidOut = clock.nsecsElapsed();
        SystemReportOutput().savePdf(doc, path);
        const qint64 written = clock.nsecsElapsed();
        layoutMs.push_back(laidOut / 1e6);
        pdfMs.push_back((written - laidOut) / 1e6);
        totalMs.push_back(written / 1e6);
        pages = doc.pages.size();
        bytes = QFileInfo(path).size();
    }
    std::printf("report: %d rows, %lld pages, PDF %lld KiB\n", kRows, static_cast<long long>(pages),
                static_cast<long long>(bytes / 1024));
    std::printf(
        "layout: %.1f ms\npdf:    %.1f ms\ntotal:  %.1f ms (median of %d; goal < 2000 ms)\n",
        median(layoutMs), median(pdfMs), median(totalMs), kRepeats);
    return median(totalMs) < 2000 ? 0 : 1;
}
