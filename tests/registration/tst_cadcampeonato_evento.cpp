#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "UiTest.h"
#include "app/uDM.h"
#include "db/Query.h"
#include "platform/registration/PictureBox.h"
#include "registration/uCadCampeonatos.h"
#include "registration/uCadEvento.h"
#include "registration/uOrganizador.h"
#include "registration/uSobre.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using platform::Dialogs;
using platform::PictureBox;

namespace {

/// The demo station (championships 1 and 2, events 1-3) plus event 7, the
/// most recent, so it is the first row of the event window. Its third
/// partial is not the first offered value, so leaving that drop-down makes it
/// report a choice. The station folder is a temporary one.
struct Station {
    TestDatabase tdb;
    DM dm{tdb.settings()};
    ScriptedDialogs dialogs;
    QTemporaryDir home;

    Station() {
        tdb.loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"));
        tdb.sql().execute(
            QStringLiteral("insert into evento (CODIGO, EVENTO, DATA, COD_CAMPEONATO, "
                           "COMPRIMENTO_PISTA, APROVA_AUTO, "
                           "PARCIAL01, PARCIAL02, PARCIAL03) values (7, 'SETIMA ETAPA', "
                           "'2027-03-20', 1, 201, 'S', "
                           "50, 100, 201)"));
    }
    QString homePath() const { return home.path() + u'/'; }
    QString file(const QString& relative) const { return home.filePath(relative); }
    QVariant event(const QString& column, int code = 7) {
        return tdb.scalar(
            QStringLiteral("select %1 from evento where CODIGO = %2").arg(column).arg(code));
    }
    /// A picture file of the test's own, outside the station folder.
    QString pictureFile(const QString& name, const QColor& colour, const char* format = "PNG") {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = QDir(home.path()).filePath(QStringLiteral("fontes/") + name);
        QDir().mkpath(QFileInfo(path).path());
        image.save(path, format);
        return path;
    }
};

template <typename T = QWidget>
T* child(QWidget* w, const QString& name) {
    return uitest::required<T>(w, name);
}

using uitest::click;
using uitest::showAndWait;
using uitest::bytesOf;

std::unique_ptr<platform::RegistrationWindow> window(const QString& which, Station& s) {
    if (which == QStringLiteral("campeonato"))
        return std::make_unique<TfrmCadCampeonato>(&s.dm);
    return std::make_unique<TfrmCadEvento>(&s.dm, s.homePath());
}

}  // namespace

class TestCadCampeonatoEvento : public QObject {
    Q_OBJECT
private slots:
    void novoFillsTheDefaults_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("nameEditor");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("defaults");  // "COLUMN=value" as stored
        QTest::newRow("championship")
            << "campeonato"
            << "edtCampeonato"
            << "campeonato"
            << QStringList{"VEL_MAX_LANCADO=0", "JEEP=N", "LARG_LANCADA=N", "PROSOLO=N"};
        QTest::newRow("event") << "evento"
                               << "edtEvento"
                               << "evento" << QStringList{"COMPRIMENTO_PISTA=201", "APROVA_AUTO=S"};
    }
    void novoFillsTheDefaults() {
        QFETCH(QString, which);
        QFETCH(QString, nameEditor);
        QFETCH(QString, table);
        QFETCH(QStringList, defaults);
        Station s;
        auto w = window(which, s);
        QVERIFY(showAndWait(*w));
        click(w.get(), "btnNovo");
        QCOMPARE(w->focusWidget(), child<QWidget>(w.get(), nameEditor));
        QTest::keyClicks(w->focusWidget(), QStringLiteral("nova"));
        click(w.get(), "btnSalvar");
        QVERIFY(s.dialogs.messages.isEmpty());
        const int code = w->query()->integer(QStringLiteral("CODIGO"));
        QVERIFY(code > 0);
        for (const QString& pair : defaults) {
            const QString column = pair.section(u'=', 0, 0);
            QCOMPARE(s.tdb
                         .scalar(QStringLiteral("select %1 from %2 where CODIGO = %3")
                                     .arg(column, table)
                                     .arg(code))
                         .toString(),
                     pair.section(u'=', 1));
        }
    }

    void novoEventOffersChampionshipsAddedMeanwhile() {
        Station s;
        TfrmCadEvento w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        auto* championship = child<QComboBox>(&w, QStringLiteral("lkpCampeonato"));
        QCOMPARE(championship->count(), 2);
        s.tdb.sql().execute(
            QStringLiteral("insert into campeonato (CODIGO, CAMPEONATO) values (5, 'COPA NOVA')"));
        click(&w, "btnNovo");
        QCOMPARE(championship->count(), 3);
        QCOMPARE(championship->itemText(0), QStringLiteral("COPA NOVA"));  // newest first
        QCOMPARE(championship->currentIndex(), -1);
        championship->setFocus();
        QTest::keyClick(championship, Qt::Key_Down);
        QCOMPARE(w.query()->integer(QStringLiteral("COD_CAMPEONATO")), 5);
        QCOMPARE(child<QLineEdit>(&w, QStringLiteral("edtCodCampeonato"))->text(),
                 QStringLiteral("5"));
    }

    void enterOrder_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QStringList>("chain");  // focus order; the last asks "Salvar ??"
        QTest::addColumn<QStringList>(
            "toSecond");  // editors whose Enter goes to the chain's second
        QTest::newRow("championship") << "campeonato"
                                      << QStringList{"edtCampeonato", "edtPatrocinador",
                                                     "rgRollingStart1", "edtLimite", "rgProsolo1"}
                                      << QStringList{};
        QTest::newRow("event") << "evento"
                               << QStringList{"edtEvento",   "lkpCampeonato",  "edtData",
                                              "edtLocal",    "cbxParcial1",    "cbxParcial2",
                                              "cbxParcial3", "edtComprimento", "edtAprovaAuto",
                                              "edtLinkSite"}
                               << QStringList{"edtCodigo", "edtCodCampeonato"};
    }
    void enterOrder() {
        QFETCH(QString, which);
        QFETCH(QStringList, chain);
        QFETCH(QStringList, toSecond);
        Station s;
        auto w = window(which, s);
        QVERIFY(showAndWait(*w));
        child<QWidget>(w.get(), chain.first())->setFocus();
        for (int i = 1; i < chain.size(); ++i) {
            uitest::pressEnter(nullptr);
            QCOMPARE(QApplication::focusWidget()->objectName(), chain.at(i));
        }
        QVERIFY(s.dialogs.asked.isEmpty());
        // Leaving a drop-down is no choice: walking the editors starts no edit.
        QVERIFY(!w->isEditing());
        s.dialogs.answer(Dialogs::Yes);
        uitest::pressEnter(nullptr);
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Salvar ??")});
        QCOMPARE(s.dialogs.asked.first().caption, QStringLiteral("Confirmação"));
        QCOMPARE(s.dialogs.asked.first().icon, Dialogs::Icon::Question);
        QVERIFY(!w->isEditing());

        for (const QString& name : toSecond) {
            child<QWidget>(w.get(), name)->setFocus();
            uitest::pressEnter(nullptr);
            QCOMPARE(QApplication::focusWidget()->objectName(), chain.at(1));
        }
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("table");
        QTest::newRow("championship") << "campeonato"
                                      << "campeonato";
        QTest::newRow("event") << "evento"
                               << "evento";
    }
    void deleteAsksFirst() {
        QFETCH(QString, which);
        QFETCH(QString, table);
        Station s;
        auto w = window(which, s);
        QVERIFY(showAndWait(*w));
        const int code = w->query()->integer(QStringLiteral("CODIGO"));
        const QString count =
            QStringLiteral("select count(*) from %1 where CODIGO = %2").arg(table).arg(code);
        s.dialogs.answer(Dialogs::No);
        click(w.get(), "btnDelete");
        QCOMPARE(s.dialogs.messages,
                 QStringList{QStringLiteral("Deseja EXCLUIR esse registro ??")});
        QCOMPARE(s.tdb.scalar(count).toInt(), 1);
        s.dialogs.answer(Dialogs::Yes);
        click(w.get(), "btnDelete");
        QCOMPARE(s.tdb.scalar(count).toInt(), 0);
    }

    void logoIsStoredWithItsWorkingCopy() {
        Station s;
        TfrmCadEvento w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QCOMPARE(w.query()->integer(QStringLiteral("CODIGO")), 7);
        const QString chosen = s.pictureFile(QStringLiteral("Equipe.PNG"), Qt::blue);
        s.dialogs.answerFile(chosen);
        QTest::mouseDClick(child<PictureBox>(&w, QStringLiteral("imgLogoEvento")), Qt::LeftButton);

        // The file name keeps the case of the chosen file's extension.
        const QString copy = s.file(QStringLiteral("logoseventos/logo_7.PNG"));
        QCOMPARE(bytesOf(copy), bytesOf(chosen));
        QCOMPARE(s.event(QStringLiteral("ARQ_LOGO_EVENTO")).toString(),
                 QStringLiteral("logo_7.PNG"));
        QCOMPARE(s.event(QStringLiteral("IMG_LOGO_EVENTO")).toByteArray(), bytesOf(chosen));
        QVERIFY(!w.isEditing());
        QVERIFY(!child<PictureBox>(&w, QStringLiteral("imgLogoEvento"))->isEmpty());

        // Moving away and back rewrites the working copy from the blob.
        QFile::remove(copy);
        w.query()->moveTo(1);
        QVERIFY(child<PictureBox>(&w, QStringLiteral("imgLogoEvento"))->isEmpty());
        w.query()->moveTo(0);
        QCOMPARE(bytesOf(copy), bytesOf(chosen));
    }

    void logoOfANewEventIsNamedAfterItsCode() {
        Station s;
        TfrmCadEvento w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        QTest::keyClicks(child<QLineEdit>(&w, QStringLiteral("edtEvento")), QStringLiteral("nova"));
        s.dialogs.answerFile(s.pictureFile(QStringLiteral("x.png"), Qt::red));
        QTest::mouseDClick(child<PictureBox>(&w, QStringLiteral("imgLogoEvento")), Qt::LeftButton);
        const int code = w.query()->integer(QStringLiteral("CODIGO"));
        QVERIFY(code > 7);
        const QString name = QStringLiteral("logo_%1.png").arg(code);
        QCOMPARE(s.event(QStringLiteral("ARQ_LOGO_EVENTO"), code).toString(), name);
        QCOMPARE(s.event(QStringLiteral("EVENTO"), code).toString(), QStringLiteral("NOVA"));
        QVERIFY(QFile::exists(s.file(QStringLiteral("logoseventos/") + name)));
    }

    void pictureNotChosenChangesNothing_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("answer");  // "" cancels; "missing" and "text" name files
        QTest::addColumn<QString>("message");
        QTest::newRow("logo cancelled") << "imgLogoEvento"
                                        << ""
                                        << "";
        QTest::newRow("qr cancelled") << "imgQrCode"
                                      << ""
                                      << "";
        QTest::newRow("logo missing file") << "imgLogoEvento"
                                           << "missing"
                                           << "";
        QTest::newRow("qr not a picture") << "imgQrCode"
                                          << "text"
                                          << "Formato de imagem inválido: ";
    }
    void pictureNotChosenChangesNothing() {
        QFETCH(QString, box);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        Station s;
        // Both pictures of event 7 already hold something that must survive.
        const QByteArray logo = bytesOf(s.pictureFile(QStringLiteral("a.png"), Qt::green));
        const QByteArray qr = bytesOf(s.pictureFile(QStringLiteral("b.png"), Qt::black));
        s.tdb.sql().execute(
            QStringLiteral("update evento set IMG_LOGO_EVENTO = :l, IMG_QRCODE = :q, "
                           "ARQ_LOGO_EVENTO = 'logo_7.png' where CODIGO = 7"),
            {{QStringLiteral("l"), logo}, {QStringLiteral("q"), qr}});
        TfrmCadEvento w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        auto* picture = child<PictureBox>(&w, box);
        const QByteArray shown = picture->bytes();
        QVERIFY(!shown.isEmpty());

        QString path;
        if (answer == QStringLiteral("missing")) {
            path = s.file(QStringLiteral("fontes/nada.png"));
        } else if (answer == QStringLiteral("text")) {
            path = s.file(QStringLiteral("texto.png"));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a picture");
        }
        s.dialogs.answerFile(path);
        QTest::mouseDClick(picture, Qt::LeftButton);

        QCOMPARE(picture->bytes(), shown);
        QVERIFY(!w.isEditing());
        QCOMPARE(s.event(QStringLiteral("IMG_LOGO_EVENTO")).toByteArray(), logo);
        QCOMPARE(s.event(QStringLiteral("IMG_QRCODE")).toByteArray(), qr);
        QCOMPARE(s.event(QStringLiteral("ARQ_LOGO_EVENTO")).toString(),
                 QStringLiteral("logo_7.png"));
        QVERIFY(!QFile::exists(s.file(QStringLiteral("imgs/7_qrcode.bmp"))));
        if (message.isEmpty())
            QVERIFY(s.dialogs.messages.isEmpty());
        else
            QCOMPARE(s.dialogs.messages, QStringList{message + path});
    }

    void salvarWithoutLinkWritesNoQrPicture() {
        Station s;
        TfrmCadEvento w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QTest::keyClicks(child<QLineEdit>(&w, QStringLiteral("edtLocal")), QStringLiteral("x"));
        click(&w, "btnSalvar");
        QVERIFY(!w.isEditing());
        QVERIFY(!QFile::exists(s.file(QStringLiteral("imgs/7_qrcode_site.bmp"))));
        QVERIFY(s.event(QStringLiteral("IMG_QRCODE")).isNull());
        QVERIFY(child<PictureBox>(&w, QStringLiteral("imgQrCode"))->isEmpty());
    }

    void salvarWithLinkStoresTheQrPicture() {
        Station s;
        TfrmCadEvento w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        const QString site = s.file(QStringLiteral("imgs/7_qrcode_site.bmp"));
        auto* link = child<QLineEdit>(&w, QStringLiteral("edtLinkSite"));
        QTest::keyClicks(link, QStringLiteral("HTTPS://example.org/T/7"));
        QCOMPARE(link->text(), QStringLiteral("https://example.org/t/7"));  // typed into lower case
        click(&w, "btnSalvar");

        // With nothing in the box, the QR code is drawn here from the link.
        const QByteArray drawn = bytesOf(site);
        QVERIFY(!drawn.isEmpty());
        QCOMPARE(s.event(QStringLiteral("IMG_QRCODE")).toByteArray(), drawn);
        QCOMPARE(s.event(QStringLiteral("LINK_TEMPOS_SITE")).toString(),
                 QStringLiteral("https://example.org/t/7"));
        const QImage qr = QImage::fromData(drawn, "BMP");
        QVERIFY(!qr.isNull());
        QCOMPARE(qr.width(), qr.height());
        QCOMPARE(qr.pixelColor(qr.width() / 10, qr.height() / 10),
                 QColor(Qt::black));                       // a finder square
        QCOMPARE(qr.pixelColor(0, 0), QColor(Qt::white));  // the quiet zone
        QVERIFY(!w.isEditing());

        // A picture the operator chose stays the QR picture while the link stays;
        // it is written as it is (PNG data under the .bmp name).
        const QString chosen = s.pictureFile(QStringLiteral("qr.png"), Qt::darkGreen);
        s.dialogs.answerFile(chosen);
        QTest::mouseDClick(child<PictureBox>(&w, QStringLiteral("imgQrCode")), Qt::LeftButton);
        QCOMPARE(bytesOf(s.file(QStringLiteral("imgs/7_qrcode.bmp"))), bytesOf(chosen));
        QTest::keyClicks(child<QLineEdit>(&w, QStringLiteral("edtLocal")), QStringLiteral("x"));
        click(&w, "btnSalvar");
        QCOMPARE(bytesOf(site), bytesOf(chosen));
        QCOMPARE(s.event(QStringLiteral("IMG_QRCODE")).toByteArray(), bytesOf(chosen));

        // A new link makes the old picture wrong: it is drawn again.
        link->end(false);
        QTest::keyClicks(link, QStringLiteral("8"));
        click(&w, "btnSalvar");
        QVERIFY(bytesOf(site) != bytesOf(chosen));
        QVERIFY(bytesOf(site) != drawn);
        QVERIFY(!QImage::fromData(bytesOf(site), "BMP").isNull());

        // The QR box follows the row.
        w.query()->moveTo(1);
        QVERIFY(child<PictureBox>(&w, QStringLiteral("imgQrCode"))->isEmpty());
    }

    void organizerWindow_data() {
        QTest::addColumn<bool>("logoFile");
        QTest::newRow("with logotipo.bmp") << true;
        QTest::newRow("without logotipo.bmp") << false;
    }
    void organizerWindow() {
        QFETCH(bool, logoFile);
        Station s;
        if (logoFile) {
            QImage logo(120, 120, QImage::Format_RGB32);
            logo.fill(Qt::red);
            QVERIFY(logo.save(s.file(QStringLiteral("logotipo.bmp")), "BMP"));
        }
        TfrmOrganizador w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QCOMPARE(child<PictureBox>(&w, QStringLiteral("imgLogotipo"))->isEmpty(), !logoFile);
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(child<QLineEdit>(&w, QStringLiteral("edtOrganizador"))->text(),
                 QStringLiteral("Pantanal Arrancada Eventos"));

        // Only "Editar" and "Salvar"; nothing is typed before "Editar".
        QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("btnNovo")));
        QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("btnDelete")));
        QVERIFY(!child<QPushButton>(&w, QStringLiteral("btnSalvar"))->isEnabled());
        auto* city = child<QLineEdit>(&w, QStringLiteral("edtCidade"));
        city->end(false);
        QTest::keyClicks(city, QStringLiteral("x"));
        QCOMPARE(city->text(), QStringLiteral("Campo Grande - MS"));
        click(&w, "btnEditar");
        city->end(false);
        QTest::keyClicks(city, QStringLiteral(" (sede)"));
        click(&w, "btnSalvar");
        QCOMPARE(s.tdb.scalar(QStringLiteral("select CIDADE from organizador")).toString(),
                 QStringLiteral("Campo Grande - MS (sede)"));  // case kept
        QVERIFY(!child<QPushButton>(&w, QStringLiteral("btnSalvar"))->isEnabled());
    }

    void aboutShowsTheVersion() {
        TfrmSobre w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Sobre"));
        QCOMPARE(child<QLabel>(&w, QStringLiteral("lblVersao"))->text(),
                 QStringLiteral("Versão 3.8.2 - 19/05/2025"));
    }
};

QTEST_MAIN(TestCadCampeonatoEvento)
#include "tst_cadcampeonato_evento.moc"
