#include "RecordingReportOutput.h"
#include "ScriptedDialogs.h"
#include "UiTest.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/ReportPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform::report;

Q_DECLARE_METATYPE(platform::report::PlacedItem)
Q_DECLARE_METATYPE(platform::report::LaidOutDocument)
Q_DECLARE_METATYPE(platform::report::Align)

namespace {

const QString kNotice = "RESULTADOS EXTRA-OFICIAIS, SUJEITOS A DESCLASSIFICAÇÃO";

// DejaVu Sans draws a capital H 0.729 em tall; a 10 pt em is 3.528 mm.
constexpr double kCapHeight = 0.729;
constexpr double kMmPerPoint = 25.4 / 72;

PlacedItem textAt(QRectF rectMm, const QString& text, double points = 10,
                  Align align = Align::Left) {
    PlacedItem item;
    item.rectMm = rectMm;
    item.text = text;
    item.font.pointSize = points;
    item.align = align;
    return item;
}

PlacedItem shape(ItemKind kind, QRectF rectMm, double widthMm, QColor color = Qt::black) {
    PlacedItem item;
    item.kind = kind;
    item.rectMm = rectMm;
    item.lineWidthMm = widthMm;
    item.color = color;
    return item;
}

LaidOutPage pageOf(QSizeF sizeMm, QList<PlacedItem> items) {
    LaidOutPage page;
    page.sizeMm = sizeMm;
    page.items = std::move(items);
    return page;
}

/// Three pages: two A4 with the footer notice, then an 80 mm roll ticket, so
/// each page of the preview is told apart by its size.
LaidOutDocument threePages() {
    LaidOutDocument doc;
    doc.title = "Classificação Geral";
    doc.pages << pageOf({210, 297}, {textAt({10, 10, 120, 6}, "Reação  0,123"),
                                     textAt({10, 280, 190, 6}, kNotice, 9)})
              << pageOf({210, 297}, {textAt({10, 10, 120, 6}, "Segunda página")})
              << pageOf({80, 123.5}, {textAt({4, 4, 72, 6}, "Ticket 57")});
    return doc;
}

/// A pixel is ink when it is nearer to the ink colour than to white paper.
bool isInk(QRgb p, QColor ink) {
    auto distance = [p](QColor c) {
        const int r = qRed(p) - c.red(), g = qGreen(p) - c.green(), b = qBlue(p) - c.blue();
        return r * r + g * g + b * b;
    };
    return distance(ink) < distance(Qt::white);
}

QRect inkBox(const QImage& image, QColor ink = Qt::black) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixel(x, y), ink))
                box |= QRect(x, y, 1, 1);
    return box;
}

QRectF inMm(const QRect& px, double dotsPerMm) {
    return {px.x() / dotsPerMm, px.y() / dotsPerMm, px.width() / dotsPerMm,
            px.height() / dotsPerMm};
}

/// The page painted on a white image. The image keeps Qt's default dots per
/// metre whatever `dotsPerMm` is, as a preview's image does.
QImage painted(const LaidOutPage& page, double dotsPerMm) {
    QImage image(qRound(page.sizeMm.width() * dotsPerMm), qRound(page.sizeMm.height() * dotsPerMm),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPage(painter, page, dotsPerMm);
    return image;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return "failed: " + program + " " + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

/// "Page N size" of every page, in points, from pdfinfo.
QList<QSizeF> pdfPageSizes(const QString& path) {
    const QString info = run("pdfinfo", {"-f", "1", "-l", "999", path});
    QList<QSizeF> sizes;
    static const QRegularExpression re(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)");
    for (auto m = re.globalMatch(info); m.hasNext();) {
        const auto match = m.next();
        sizes << QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
    }
    return sizes;
}

QString pdfField(const QString& path, const QString& field) {
    const QString info = run("pdfinfo", {path});
    const QRegularExpression re("^" + field + R"(:[ \t]*(.*)$)",
                                QRegularExpression::MultilineOption);
    return re.match(info).captured(1).trimmed();
}

/// A path whose folder cannot be made: its parent is a plain file.
QString pathBelowAFile(const QTemporaryDir& dir) {
    QFile file(dir.filePath("arquivo"));
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
    return dir.filePath("arquivo/sub/saida.pdf");
}

/// The recording output, failing print and save with `failure` when set.
struct FailingOutput : RecordingReportOutput {
    QString failure;
    void print(const LaidOutDocument& doc, int copies) override {
        RecordingReportOutput::print(doc, copies);
        if (!failure.isEmpty())
            throw ReportError(failure.toStdString());
    }
};

QString pageLabel(QWidget* w) {
    return uitest::required<QLabel>(w, "lblPagina")->text();
}

QImage canvas(QWidget* w) {
    return uitest::required<QLabel>(w, "lblImagemPagina")->pixmap().toImage();
}

/// Width in pixels of the widest run of white in the canvas row at 3/4 of
/// its height: the blank lower part of the page, whatever the desk round it.
int paperWidth(const QImage& image) {
    const int y = image.height() * 3 / 4;
    int best = 0, run = 0;
    for (int x = 0; x < image.width(); ++x) {
        run = image.pixel(x, y) == qRgb(255, 255, 255) ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

}  // namespace

class TestReportOutput : public QObject {
    Q_OBJECT
private slots:
    void textIsPlacedByItsAlignment_data() {
        QTest::addColumn<Align>("align");
        QTest::addColumn<double>("expectedX");  // mm of the checked ink edge
        QTest::addColumn<int>("edge");          // -1 left, 0 centre, 1 right
        QTest::newRow("left") << Align::Left << 10.0 << -1;
        QTest::newRow("centre") << Align::Center << 35.0 << 0;
        QTest::newRow("right") << Align::Right << 60.0 << 1;
    }
    void textIsPlacedByItsAlignment() {
        QFETCH(Align, align);
        QFETCH(double, expectedX);
        QFETCH(int, edge);
        const double dpm = 10;
        const QRectF ink = inMm(
            inkBox(painted(pageOf({70, 30}, {textAt({10, 10, 50, 10}, "HHH", 10, align)}), dpm)),
            dpm);
        const double x = edge < 0 ? ink.left() : edge > 0 ? ink.right() : ink.center().x();
        QVERIFY2(qAbs(x - expectedX) < 0.6, qPrintable(QString::number(x)));
        // A single line sits in the middle of its rectangle.
        QVERIFY2(qAbs(ink.center().y() - 15) < 0.4, qPrintable(QString::number(ink.center().y())));
    }

    void textStaysInsideItsRect() {
        const double dpm = 10;
        const QRectF narrow(10, 10, 20, 6);
        const QRectF ink =
            inMm(inkBox(painted(pageOf({70, 40}, {textAt(narrow, QString(40, 'H'))}), dpm)), dpm);
        // Cut at the right edge, not shrunk and not spilled over the neighbour.
        QVERIFY2(ink.right() <= narrow.right() + 0.1, qPrintable(QString::number(ink.right())));
        QVERIFY2(ink.right() >= narrow.right() - 0.5, qPrintable(QString::number(ink.right())));

        PlacedItem wrapped =
            textAt({10, 5, 25, 30}, "Reação Reação Reação Reação Reação Reação Reação");
        wrapped.wordWrap = true;
        const QRectF lines = inMm(inkBox(painted(pageOf({70, 40}, {wrapped}), dpm)), dpm);
        QVERIFY2(QRectF(10, 5, 25, 30).contains(lines), qPrintable(QString::number(lines.right())));
        QVERIFY2(lines.top() < 6.5, qPrintable(QString::number(lines.top())));       // from the top
        QVERIFY2(lines.height() > 12, qPrintable(QString::number(lines.height())));  // 3+ lines
    }

    void graphicsFillTheirRects_data() {
        QTest::addColumn<PlacedItem>("item");
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<QRectF>("expected");  // ink in mm

        QTest::newRow("thick horizontal line, its colour")
            << shape(ItemKind::Line, {5, 10, 40, 0}, 1.0, Qt::red) << QColor(Qt::red)
            << QRectF(5, 9.5, 40, 1);
        QTest::newRow("diagonal line") << shape(ItemKind::Line, {5, 5, 40, 20}, 0.4)
                                       << QColor(Qt::black) << QRectF(5, 5, 40, 20);
        QTest::newRow("frame") << shape(ItemKind::Frame, {5, 5, 40, 20}, 0.5) << QColor(Qt::black)
                               << QRectF(4.75, 4.75, 40.5, 20.5);

        PlacedItem boxed = textAt({5, 5, 40, 10}, QString());
        boxed.box = true;
        boxed.lineWidthMm = 0.4;
        QTest::newRow("boxed text") << boxed << QColor(Qt::black) << QRectF(4.8, 4.8, 40.4, 10.4);

        QImage wide(200, 100, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        PlacedItem widePicture = shape(ItemKind::Picture, {10, 5, 20, 20}, 0);
        widePicture.picture = wide;
        QTest::newRow("wide picture in a square: centred vertically")
            << widePicture << QColor(Qt::blue) << QRectF(10, 10, 20, 10);

        QImage tall(50, 100, QImage::Format_RGB32);
        tall.fill(Qt::blue);
        PlacedItem tallPicture = shape(ItemKind::Picture, {5, 5, 40, 20}, 0);
        tallPicture.picture = tall;
        QTest::newRow("tall picture in a wide rect: centred horizontally")
            << tallPicture << QColor(Qt::blue) << QRectF(20, 5, 10, 20);
    }
    void graphicsFillTheirRects() {
        QFETCH(PlacedItem, item);
        QFETCH(QColor, ink);
        QFETCH(QRectF, expected);
        const double dpm = 10;
        const QRectF got = inMm(inkBox(painted(pageOf({50, 30}, {item}), dpm), ink), dpm);
        const auto near = [](double a, double b) { return qAbs(a - b) <= 0.3; };
        QVERIFY2(near(got.left(), expected.left()) && near(got.top(), expected.top()) &&
                     near(got.right(), expected.right()) && near(got.bottom(), expected.bottom()),
                 qPrintable(QString("%1,%2 %3x%4")
                                .arg(got.x())
                                .arg(got.y())
                                .arg(got.width())
                                .arg(got.height())));
    }

    /// Point sizes are true lengths on every device, whatever dpi the device
    /// reports: the image here always says 96 dpi.
    void pointSizesHoldAtAnyResolution_data() {
        QTest::addColumn<double>("dotsPerMm");
        QTest::addColumn<double>("points");
        QTest::newRow("10 pt, 96 dpi") << 96 / 25.4 << 10.0;
        QTest::newRow("10 pt, 300 dpi") << 300 / 25.4 << 10.0;
        QTest::newRow("10 pt, 600 dpi") << 600 / 25.4 << 10.0;
        QTest::newRow("24 pt, 150 dpi") << 150 / 25.4 << 24.0;
    }
    void pointSizesHoldAtAnyResolution() {
        QFETCH(double, dotsPerMm);
        QFETCH(double, points);
        const QRectF ink = inMm(
            inkBox(painted(pageOf({40, 20}, {textAt({2, 2, 36, 16}, "HH", points)}), dotsPerMm)),
            dotsPerMm);
        const double expected = points * kMmPerPoint * kCapHeight;
        QVERIFY2(qAbs(ink.height() - expected) < std::max(0.3, expected * 0.06),
                 qPrintable(QString("%1 mm, expected %2").arg(ink.height()).arg(expected)));
    }

    void pdfKeepsTextsTitleAndPageSizes_data() {
        QTest::addColumn<LaidOutDocument>("doc");
        QTest::addColumn<QString>("file");  // below the temporary folder
        QTest::addColumn<QList<QSizeF>>("sizesPt");
        QTest::addColumn<QStringList>("texts");

        LaidOutDocument a4;
        a4.title = "Classificação Geral";
        a4.pages << pageOf({210, 297}, {textAt({10, 10, 120, 6}, "Reação"),
                                        textAt({10, 280, 190, 6}, kNotice, 9)})
                 << pageOf({210, 297}, {textAt({10, 10, 120, 6}, "Segunda página")});
        QTest::newRow("two A4 pages")
            << a4 << "a4.pdf" << QList<QSizeF>{{595.3, 841.9}, {595.3, 841.9}}
            << QStringList{"Reação", kNotice, "Segunda página"};

        LaidOutDocument roll;
        roll.title = "Ticket";
        roll.pages << pageOf({80, 123.5}, {textAt({4, 4, 72, 6}, "Ticket 57"),
                                           textAt({4, 110, 72, 6}, "Reação: 0,123")});
        QTest::newRow("80 mm roll page, in a new folder")
            << roll << "novo/PDF/ticket.pdf" << QList<QSizeF>{{226.8, 350.1}}
            << QStringList{"Ticket 57", "Reação: 0,123"};

        QTest::newRow("no pages: one blank A4, still a PDF")
            << LaidOutDocument{} << "vazio.pdf" << QList<QSizeF>{{595.3, 841.9}} << QStringList{};

        LaidOutDocument mixed = threePages();
        QTest::newRow("each page its own size")
            << mixed << "misto.pdf" << QList<QSizeF>{{595.3, 841.9}, {595.3, 841.9}, {226.8, 350.1}}
            << QStringList{kNotice, "Ticket 57"};
    }
    void pdfKeepsTextsTitleAndPageSizes() {
        QFETCH(LaidOutDocument, doc);
        QFETCH(QString, file);
        QFETCH(QList<QSizeF>, sizesPt);
        QFETCH(QStringList, texts);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        SystemReportOutput().savePdf(doc, path);

        const QList<QSizeF> sizes = pdfPageSizes(path);
        QCOMPARE(sizes.size(), sizesPt.size());
        for (qsizetype i = 0; i < sizes.size(); ++i)
            QVERIFY2(qAbs(sizes[i].width() - sizesPt[i].width()) < 1.5 &&
                         qAbs(sizes[i].height() - sizesPt[i].height()) < 1.5,
                     qPrintable(QString("page %1: %2 x %3")
                                    .arg(i + 1)
                                    .arg(sizes[i].width())
                                    .arg(sizes[i].height())));
        QCOMPARE(pdfField(path, "Title"), doc.title);
        const QString text = pdfText(path);
        for (const QString& t : texts)
            QVERIFY2(text.contains(t), qPrintable(t + " not in:\n" + text));
    }

    /// The PDF read back at a known resolution: a 10 pt capital is as tall
    /// on paper as the font says.
    void pdfTextHasItsPointSize() {
        QTemporaryDir dir;
        LaidOutDocument doc;
        doc.pages << pageOf({40, 20}, {textAt({2, 2, 36, 16}, "HH", 10)});
        SystemReportOutput().savePdf(doc, dir.filePath("h.pdf"));
        QCOMPARE(run("pdftoppm", {"-r", "254", "-png", "-singlefile", dir.filePath("h.pdf"),
                                  dir.filePath("h")}),
                 QString());
        const QImage image(dir.filePath("h.png"));
        QVERIFY(!image.isNull());
        const double dpm = 10;
        const double height = inMm(inkBox(image), dpm).height();
        QVERIFY2(qAbs(height - 10 * kMmPerPoint * kCapHeight) < 0.2,
                 qPrintable(QString::number(height)));
    }

    void savePdfFailsLoudly_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder cannot be made") << "below a file";
        QTest::newRow("name is a folder") << "folder";
        QTest::newRow("no name") << "empty";
    }
    void savePdfFailsLoudly() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = kind == "below a file" ? pathBelowAFile(dir)
                             : kind == "folder"     ? dir.path()
                                                    : QString();
        try {
            SystemReportOutput().savePdf(threePages(), path);
            QFAIL("no ReportError");
        } catch (const ReportError& e) {
            QCOMPARE(QString::fromUtf8(e.what()).trimmed(),
                     ("Não foi possível gravar o PDF " + path).trimmed());
        }
        QVERIFY(QFileInfo(dir.path()).isDir());  // the folder named was not replaced
    }

    /// A second save replaces the file whole, leaving no temporary behind.
    void savePdfReplacesAnEarlierFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("r.pdf");
        SystemReportOutput().savePdf(threePages(), path);
        LaidOutDocument one;
        one.pages << pageOf({80, 50}, {textAt({4, 4, 70, 6}, "Novo")});
        SystemReportOutput().savePdf(one, path);
        QCOMPARE(pdfPageSizes(path).size(), 1);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"r.pdf"});  // no leftovers
    }

    void printWithoutPrinterFails() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer");
        try {
            SystemReportOutput().print(threePages(), 2);
            QFAIL("no ReportError");
        } catch (const ReportError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QString("Nenhuma impressora instalada"));
        }
    }

    void previewIsModalWithTheTitle() {
        QStringList seen;  // read inside, compared once the window is closed
        uitest::whenModal([&seen](QWidget* w) {
            seen << w->objectName() << w->windowTitle() << pageLabel(w);
            uitest::click(w, "btnFechar");
        });
        output().preview(threePages(), nullptr);
        QCOMPARE(seen, (QStringList{"frmPreview", "Classificação Geral", "Página 1 de 3"}));
    }

    void previewOfAnEmptyReport() {
        ReportPreview w(LaidOutDocument{});
        QVERIFY(uitest::showAndWait(w));
        QCOMPARE(pageLabel(&w), QString("Página 0 de 0"));
        for (const char* name : {"btnPrimeira", "btnAnterior", "btnProxima", "btnUltima"})
            QVERIFY(!uitest::required<QPushButton>(&w, name)->isEnabled());
        QTest::keyClick(&w, Qt::Key_End);
        QCOMPARE(pageLabel(&w), QString("Página 0 de 0"));
    }

    void previewPagesThrough_data() {
        QTest::addColumn<QStringList>("steps");  // button names or "key:<name>"
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("backEnabled");
        QTest::addColumn<bool>("forwardEnabled");
        QTest::addColumn<double>("pageWidthMm");

        QTest::newRow("at the start") << QStringList{} << "Página 1 de 3" << false << true << 210.0;
        QTest::newRow("next") << QStringList{"btnProxima"} << "Página 2 de 3" << true << true
                              << 210.0;
        QTest::newRow("last") << QStringList{"btnUltima"} << "Página 3 de 3" << true << false
                              << 80.0;
        QTest::newRow("previous from the last")
            << QStringList{"btnUltima", "btnAnterior"} << "Página 2 de 3" << true << true << 210.0;
        QTest::newRow("first from the last")
            << QStringList{"btnUltima", "btnPrimeira"} << "Página 1 de 3" << false << true << 210.0;
        QTest::newRow("page down stops at the end")
            << QStringList{"key:PageDown", "key:PageDown", "key:PageDown", "key:PageDown"}
            << "Página 3 de 3" << true << false << 80.0;
        QTest::newRow("page up stops at the start")
            << QStringList{"key:PageDown", "key:PageUp", "key:PageUp"} << "Página 1 de 3" << false
            << true << 210.0;
        QTest::newRow("end") << QStringList{"key:End"} << "Página 3 de 3" << true << false << 80.0;
        QTest::newRow("home") << QStringList{"key:End", "key:Home"} << "Página 1 de 3" << false
                              << true << 210.0;
    }
    void previewPagesThrough() {
        QFETCH(QStringList, steps);
        QFETCH(QString, label);
        QFETCH(bool, backEnabled);
        QFETCH(bool, forwardEnabled);
        QFETCH(double, pageWidthMm);
        ReportPreview w(threePages());
        QVERIFY(uitest::showAndWait(w));
        static const QHash<QString, Qt::Key> keys = {{"key:PageDown", Qt::Key_PageDown},
                                                     {"key:PageUp", Qt::Key_PageUp},
                                                     {"key:Home", Qt::Key_Home},
                                                     {"key:End", Qt::Key_End}};
        for (const QString& step : steps) {
            if (keys.contains(step))
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w,
                                keys[step]);
            else
                uitest::click(&w, qPrintable(step));
        }
        QCOMPARE(pageLabel(&w), label);
        for (const char* name : {"btnPrimeira", "btnAnterior"})
            QCOMPARE(uitest::required<QPushButton>(&w, name)->isEnabled(), backEnabled);
        for (const char* name : {"btnProxima", "btnUltima"})
            QCOMPARE(uitest::required<QPushButton>(&w, name)->isEnabled(), forwardEnabled);
        // The page shown is the one named, at its own size (100 %).
        const double dpm = w.logicalDpiX() / 25.4;
        QVERIFY2(qAbs(paperWidth(canvas(&w)) - pageWidthMm * dpm) <= 2,
                 qPrintable(QString::number(paperWidth(canvas(&w)))));
    }

    void previewZooms_data() {
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<double>("factor");  // 0: the page fills the visible width
        QTest::newRow("50%") << "50%" << 0.5;
        QTest::newRow("75%") << "75%" << 0.75;
        QTest::newRow("150%") << "150%" << 1.5;
        QTest::newRow("200%") << "200%" << 2.0;
        QTest::newRow("Largura") << "Largura" << 0.0;
    }
    void previewZooms() {
        QFETCH(QString, zoom);
        QFETCH(double, factor);
        ReportPreview w(threePages());
        QVERIFY(uitest::showAndWait(w));
        auto* combo = uitest::required<QComboBox>(&w, "cbZoom");
        QCOMPARE(combo->currentText(), QString("100%"));
        combo->setCurrentIndex(combo->findText(zoom));
        QCOMPARE(combo->currentText(), zoom);
        const int width = paperWidth(canvas(&w));
        if (factor > 0) {
            QVERIFY2(qAbs(width - 210 * factor * w.logicalDpiX() / 25.4) <= 2,
                     qPrintable(QString::number(width)));
        } else {
            auto* scroll = uitest::required<QScrollArea>(&w, "scrPagina");
            const auto fits = [&w, scroll] {
                const int width = paperWidth(canvas(&w)), room = scroll->viewport()->width();
                return width <= room && width > room * 0.85;
            };
            QVERIFY(fits());
            // and it follows the window
            w.resize(w.minimumSizeHint().width(), w.height());
            QTRY_VERIFY(paperWidth(canvas(&w)) < width - 50);
            QVERIFY(fits());
        }
    }

    /// At 100 % the preview shows the page at its true size: a 10 pt capital
    /// is as tall on the screen as on paper.
    void previewShowsTrueSizeAtHundredPercent() {
        LaidOutDocument doc;
        doc.pages << pageOf({60, 40}, {textAt({5, 5, 50, 10}, "HH", 10)});
        ReportPreview w(doc);
        QVERIFY(uitest::showAndWait(w));
        const double dpm = w.logicalDpiY() / 25.4;
        const double height = inMm(inkBox(canvas(&w)), dpm).height();
        QVERIFY2(qAbs(height - 10 * kMmPerPoint * kCapHeight) < 0.35,
                 qPrintable(QString::number(height)));
    }

    void previewSavesPdf_data() {
        QTest::addColumn<QString>("answer");   // below the temporary folder; "" cancels
        QTest::addColumn<QString>("written");  // the PDF expected, "" none
        QTest::addColumn<bool>("failure");
        QTest::newRow("name without extension, new folder") << "PDF/resultado"
                                                            << "PDF/resultado.pdf" << false;
        QTest::newRow("name with extension") << "r.pdf"
                                             << "r.pdf" << false;
        QTest::newRow("cancelled") << ""
                                   << "" << false;
        QTest::newRow("unwritable") << "arquivo/sub/saida.pdf"
                                    << "" << true;
    }
    void previewSavesPdf() {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(bool, failure);
        QTemporaryDir dir;
        if (failure)
            pathBelowAFile(dir);
        ScriptedDialogs dialogs;
        if (!answer.isEmpty())
            dialogs.answerFile(dir.filePath(answer));
        ReportPreview w(threePages());
        QVERIFY(uitest::showAndWait(w));
        uitest::click(&w, "btnSalvarPdf");

        if (!written.isEmpty())
            QCOMPARE(pdfPageSizes(dir.filePath(written)).size(), 3);
        const QStringList expected =
            failure ? QStringList{"Não foi possível gravar o PDF " + dir.filePath(answer)}
                    : QStringList{};
        QCOMPARE(dialogs.messages, expected);
        QVERIFY(w.isVisible());
    }

    void previewPrintsThroughTheOutput_data() {
        QTest::addColumn<QString>("failure");
        QTest::newRow("printed") << "";
        QTest::newRow("no printer: told, preview stays") << "Nenhuma impressora instalada";
    }
    void previewPrintsThroughTheOutput() {
        QFETCH(QString, failure);
        ScriptedDialogs dialogs;
        FailingOutput recording;
        recording.failure = failure;
        ReportPreview w(threePages());
        QVERIFY(uitest::showAndWait(w));
        uitest::click(&w, "btnImprimir");
        QCOMPARE(recording.hows(), QStringList{"print"});
        QCOMPARE(recording.sent[0].doc.title, QString("Classificação Geral"));
        QCOMPARE(recording.sent[0].doc.pages.size(), 3);
        QCOMPARE(recording.sent[0].copies, 1);
        QCOMPARE(dialogs.messages, failure.isEmpty() ? QStringList{} : QStringList{failure});
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(TestReportOutput)
#include "tst_report_output.moc"
