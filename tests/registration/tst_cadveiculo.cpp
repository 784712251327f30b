#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "UiTest.h"
#include "app/uDM.h"
#include "db/Query.h"
#include "platform/registration/PictureBox.h"
#include "registration/uBuscaPiloto.h"
#include "registration/uCadVeiculo.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using platform::Dialogs;
using platform::PictureBox;

namespace {

/// The demo station with championship 1 and its event 2 open (vehicles 1-24
/// in championship 1, 25-27 in championship 2; 25 is the pilot of 1 again,
/// with the same phone and CPF). Vehicle 28 of championship 2 was stored
/// without phone and CPF, which no look-up may take for a match. The station
/// folder is a temporary one.
struct Station {
    TestDatabase tdb;
    DM dm{tdb.settings()};
    ScriptedDialogs dialogs;
    QTemporaryDir home;

    explicit Station(int championship = 1, int event = 2, const QString& approve = "S") {
        tdb.loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"));
        tdb.sql().execute(
            QStringLiteral("insert into veiculo (CODIGO, PLACA, COD_CAMPEONATO, VEICULO, PILOTO, "
                           "CELULAR, CPF) values (28, '43', 2, 'SEM DADOS', 'SEM DOCUMENTOS', '', '')"));
        tdb.sql().execute(QStringLiteral("update evento set APROVA_AUTO = :a where CODIGO = 2"),
                          {{QStringLiteral("a"), approve}});
        dm.openSharedQueries();
        open(dm.qryCampeonato, championship);
        open(dm.qryEvento, event);
    }
    static void open(db::Query* q, int code) {
        q->close();
        q->setParam(QStringLiteral("codigo"), code);
        q->open();
    }
    QString homePath() const { return home.path() + u'/'; }
    QString file(const QString& relative) const { return home.filePath(relative); }
    QVariant vehicle(const QString& column, int code) {
        return tdb.scalar(
            QStringLiteral("select %1 from veiculo where CODIGO = %2").arg(column).arg(code));
    }
    int count(const QString& sql) { return tdb.scalar(sql).toInt(); }
    /// A picture file of the test's own, outside the station folder.
    QString pictureFile(const QString& name, const QColor& colour) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = QDir(home.path()).filePath(QStringLiteral("fontes/") + name);
        QDir().mkpath(QFileInfo(path).path());
        image.save(path, "PNG");
        return path;
    }
};

template <typename T = QWidget>
T* child(QWidget* w, const QString& name) {
    return uitest::required<T>(w, name);
}

QLineEdit* edit(QWidget* w, const char* name) {
    return child<QLineEdit>(w, QString::fromLatin1(name));
}

using uitest::click;
using uitest::showAndWait;
using uitest::bytesOf;

/// Types into an editor as the operator would, replacing what it shows.
void type(QWidget* w, const char* name, const QString& text) {
    QLineEdit* e = edit(w, name);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

/// "Novo" with number, pilot and vehicle typed.
void typeNewVehicle(TfrmCadVeiculo& w, const QString& number, const QString& pilot,
                    const QString& vehicle = QStringLiteral("FUSCA")) {
    click(&w, "btnNovo");
    type(&w, "edtPlaca", number);
    type(&w, "edtPiloto", pilot);
    type(&w, "edtVeiculo", vehicle);
}

/// The category pickers, as they come up one after the other: each gets its
/// sigla typed and Enter.
void pickCategories(QStringList siglas) {
    if (siglas.isEmpty())
        return;
    uitest::whenModal([siglas](QWidget* picker) mutable {
        QLineEdit* search = edit(picker, "edtSigla");
        QTest::keyClicks(search, siglas.takeFirst());
        QTest::keyClick(search, Qt::Key_Return);
        pickCategories(siglas);  // watched for once this one has closed
    });
}

void pickCategory(const QString& sigla) {
    pickCategories({sigla});
}

/// Pilot and car photos for vehicle 25, the one the phone and CPF lookups
/// find; returns their bytes.
std::pair<QByteArray, QByteArray> givePhotosToTheMatch(Station& s) {
    const QByteArray face = bytesOf(s.pictureFile(QStringLiteral("face.png"), Qt::red));
    const QByteArray car = bytesOf(s.pictureFile(QStringLiteral("car.png"), Qt::blue));
    s.tdb.sql().execute(
        QStringLiteral("update veiculo set FOTO_PILOTO = :f, NOME_ARQ_FOTO = '3CADU.png', "
                       "FOTO_CARRO = :c, NOME_ARQ_FOTO_carro = '3CADU_car.png' where CODIGO = 25"),
        {{QStringLiteral("f"), face}, {QStringLiteral("c"), car}});
    return {face, car};
}

}  // namespace

class TestCadVeiculo : public QObject {
    Q_OBJECT
private slots:
    // ---- the list and the modes -------------------------------------------------

    void opensOnTheChampionshipNewestFirst() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Cadastro de Veiculos"));
        QCOMPARE(w.query()->rowCount(), 24);
        QCOMPARE(w.query()->integer(QStringLiteral("CODIGO")), 24);
        QCOMPARE(w.grid()->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("PLACA/Nº"));
        // Printing and the online import come later: present, never enabled.
        for (const char* name : {"btnImprimir", "btnImportarPTL"})
            QVERIFY(!child<QPushButton>(&w, QString::fromLatin1(name))->isEnabled());
        QCOMPARE(child<QPushButton>(&w, QStringLiteral("btnNovo"))->toolTip(),
                 QStringLiteral("CTRL + N"));
    }

    /// Not a check: VUD_SNAPSHOT names a file the window is drawn into, to look at.
    void snapshot() {
        const QString path = qEnvironmentVariable("VUD_SNAPSHOT");
        if (path.isEmpty())
            QSKIP("VUD_SNAPSHOT not set");
        Station s;
        s.tdb.sql().execute(QStringLiteral("update veiculo set FOTO_PILOTO = :f where CODIGO = 4"),
                            {{QStringLiteral("f"), bytesOf(s.pictureFile(QStringLiteral("f.png"), Qt::darkCyan))}});
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 4));
        QTest::qWait(50);
        QVERIFY(w.grab().save(path));
    }

    void readOnlyModeLocksTheIdentity() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        const QStringList locked{"edtPlaca", "edtVeiculo", "edtPiloto",
                                 "edtApelido", "edtCelular", "edtCPF"};
        for (const QString& name : locked) QVERIFY2(!child(&w, name)->isEnabled(), qPrintable(name));
        QVERIFY(!child(&w, QStringLiteral("btnSalvar"))->isEnabled());
        // Other editors start editing by themselves, which unlocks the rest.
        QLineEdit* city = edit(&w, "edtCidade");
        city->end(false);
        QTest::keyClicks(city, QStringLiteral("x"));
        QVERIFY(w.isEditing());
        for (const QString& name : locked) QVERIFY(child(&w, name)->isEnabled());
        QVERIFY(child(&w, QStringLiteral("btnSalvar"))->isEnabled());
        click(&w, "btnCancelar");
        for (const QString& name : locked) QVERIFY(!child(&w, name)->isEnabled());
    }

    void sequentialNumber_data() {
        QTest::addColumn<int>("vehicles");  // already in the championship
        QTest::addColumn<bool>("sequential");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("none") << 0 << true << "01";
        QTest::newRow("eight") << 8 << true << "09";
        QTest::newRow("nine") << 9 << true << "10";
        QTest::newRow("unchecked") << 9 << false << "";
    }
    void sequentialNumber() {
        QFETCH(int, vehicles);
        QFETCH(bool, sequential);
        QFETCH(QString, proposed);
        Station s;
        s.tdb.sql().execute(
            QStringLiteral("insert into campeonato (CODIGO, CAMPEONATO) values (5, 'COPA')"));
        for (int i = 0; i < vehicles; ++i)
            s.tdb.sql().execute(QStringLiteral("insert into veiculo (PLACA, COD_CAMPEONATO, "
                                               "VEICULO, PILOTO) values ('9%1', 5, 'V', 'P')")
                                    .arg(i));
        Station::open(s.dm.qryCampeonato, 5);
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        child<QCheckBox>(&w, QStringLiteral("chkSequencial"))->setChecked(sequential);
        click(&w, "btnNovo");
        QCOMPARE(edit(&w, "edtPlaca")->text(), proposed);
        QCOMPARE(w.focusWidget(), edit(&w, "edtPlaca"));
        QCOMPARE(w.query()->text(QStringLiteral("NOSHARK")), QStringLiteral("N"));
        QVERIFY(!child(&w, QStringLiteral("btnNovaCategoria"))->isEnabled());
    }

    void digitsOnlyEditors_data() {
        QTest::addColumn<QString>("editor");
        QTest::newRow("number") << "edtPlaca";
        QTest::newRow("cpf") << "edtCPF";
        QTest::newRow("cnh") << "edtCNH";
    }
    void digitsOnlyEditors() {
        QFETCH(QString, editor);
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        QLineEdit* e = child<QLineEdit>(&w, editor);
        e->setFocus();
        QTest::keyClicks(e, QStringLiteral("1a2B-3."));
        QCOMPARE(e->text(), QStringLiteral("123"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QCOMPARE(e->text(), QStringLiteral("12"));
    }

    void enterWalksTheEditorsAndSaves() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        const QStringList chain{"edtPlaca", "edtPiloto", "edtApelido", "edtVeiculo",
                                "edtCPF",   "edtCNH",    "edtCidade",  "edtEquipe",
                                "edtCelular", "edtEmail", "edtDial",   "edtAlvo"};
        QCOMPARE(QApplication::focusWidget()->objectName(), chain.first());
        for (int i = 1; i < chain.size(); ++i) {
            uitest::pressEnter(nullptr);
            QCOMPARE(QApplication::focusWidget()->objectName(), chain.at(i));
        }
        QVERIFY(s.dialogs.messages.isEmpty());  // empty CPF and phone look nothing up
        uitest::pressEnter(nullptr);  // the last one saves at once: here refused
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Preencha Placa ou Numeração!! ")});
        QVERIFY(w.isEditing());

        child(&w, QStringLiteral("edtDialAuto"))->setFocus();
        uitest::pressEnter(nullptr);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edtAlvo"));
    }

    // ---- saving --------------------------------------------------------------------

    void requiredFields_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("pilot");
        QTest::addColumn<QString>("vehicle");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("number") << "" << "ANA" << "GOL" << "Preencha Placa ou Numeração!! "
                                << "edtPlaca";
        QTest::newRow("vehicle") << "77" << "ANA" << "" << "Preencha Veiculo!! "
                                 << "edtVeiculo";
        QTest::newRow("pilot") << "77" << "" << "GOL" << "Preencha o nome do Piloto!! "
                               << "edtPiloto";
    }
    void requiredFields() {
        QFETCH(QString, number);
        QFETCH(QString, pilot);
        QFETCH(QString, vehicle);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        typeNewVehicle(w, number, pilot, vehicle);
        click(&w, "btnSalvar");
        QCOMPARE(s.dialogs.messages, QStringList{message});
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(w.isEditing());
        QCOMPARE(s.count(QStringLiteral("select count(*) from veiculo")), 28);
    }

    void newVehicleIsSavedFirstInTheList() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        w.query()->moveTo(5);
        typeNewVehicle(w, QStringLiteral("77"), QStringLiteral("ana souza"));
        type(&w, "edtEmail", QStringLiteral("Ana@Mail.com"));
        s.dialogs.answer(Dialogs::No);  // no category now
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Deseja Adicionar Categoria ??")});
        QCOMPARE(s.dialogs.asked.first().icon, Dialogs::Icon::Question);
        QVERIFY(!w.isEditing());
        const int code = w.query()->integer(QStringLiteral("CODIGO"));
        QVERIFY(code > 28);
        QCOMPARE(w.query()->recNo(), 0);
        QCOMPARE(s.vehicle(QStringLiteral("PILOTO"), code).toString(), QStringLiteral("ANA SOUZA"));
        QCOMPARE(s.vehicle(QStringLiteral("EMAIL"), code).toString(), QStringLiteral("Ana@Mail.com"));
        QCOMPARE(s.vehicle(QStringLiteral("COD_CAMPEONATO"), code).toInt(), 1);
        QCOMPARE(s.vehicle(QStringLiteral("NOSHARK"), code).toString(), QStringLiteral("N"));
        QVERIFY(child(&w, QStringLiteral("btnNovaCategoria"))->isEnabled());
    }

    void duplicateNumberWarnsAndSaves_data() {
        QTest::addColumn<QString>("pilot");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("other pilot")
            << "MARIA"
            << QStringList{"Essa Placa ou Numeração está sendo utilizado pelo Piloto: JOAO",
                           "Deseja Adicionar Categoria ??"};
        QTest::newRow("same pilot") << "JOAO" << QStringList{"Deseja Adicionar Categoria ??"};
    }
    void duplicateNumberWarnsAndSaves() {
        QFETCH(QString, pilot);
        QFETCH(QStringList, messages);
        Station s;
        s.tdb.sql().execute(QStringLiteral("insert into veiculo (PLACA, COD_CAMPEONATO, VEICULO, "
                                           "PILOTO) values ('07', 1, 'OPALA', 'JOAO')"));
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        typeNewVehicle(w, QStringLiteral("07"), pilot);
        s.dialogs.answer(Dialogs::No);
        click(&w, "btnSalvar");
        QCOMPARE(s.dialogs.messages, messages);
        QCOMPARE(s.count(QStringLiteral("select count(*) from veiculo where PLACA = '07' and "
                                        "COD_CAMPEONATO = 1")),
                 2);
    }

    void renamingItsOwnPilotWarnsAboutNobody() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 5));
        click(&w, "btnEditar");
        type(&w, "edtPiloto", QStringLiteral("JOAO PEDRO"));
        s.dialogs.answer(Dialogs::No);
        click(&w, "btnSalvar");
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Deseja Adicionar Categoria ??")});
        QCOMPARE(s.vehicle(QStringLiteral("PILOTO"), 5).toString(), QStringLiteral("JOAO PEDRO"));
        QCOMPARE(w.query()->integer(QStringLiteral("CODIGO")), 5);  // still on it
    }

    // ---- the pilot's earlier data ---------------------------------------------------

    void phoneLookup_data() {
        QTest::addColumn<QString>("pilot");  // typed before the phone
        QTest::addColumn<QString>("phone");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("pilotAfter");
        QTest::newRow("match imported")
            << "" << "67993816581" << int(Dialogs::Yes) << true << "edtEmail"
            << "Carlos Eduardo Ferreira";
        QTest::newRow("match refused")
            << "" << "67993816581" << int(Dialogs::No) << true << "edtCelular" << "";
        QTest::newRow("pilot already typed")
            << "ZE" << "67993816581" << int(Dialogs::Yes) << false << "edtEmail" << "ZE";
        QTest::newRow("five digits") << "" << "67993" << int(Dialogs::Yes) << false << "edtEmail"
                                     << "";
        QTest::newRow("unknown phone") << "" << "11912345678" << int(Dialogs::Yes) << false
                                       << "edtEmail" << "";
    }
    void phoneLookup() {
        QFETCH(QString, pilot);
        QFETCH(QString, phone);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(QString, focus);
        QFETCH(QString, pilotAfter);
        Station s;
        const auto [face, car] = givePhotosToTheMatch(s);
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        type(&w, "edtPiloto", pilot);
        type(&w, "edtCelular", phone);
        s.dialogs.answer(Dialogs::Button(answer));
        uitest::pressEnter(nullptr);
        if (asked) {
            QCOMPARE(s.dialogs.messages,
                     QStringList{QStringLiteral("Deseja IMPORTAR OS DADOS desse registro ??")});
            QCOMPARE(s.dialogs.asked.first().defaultButton, Dialogs::Yes);
            QCOMPARE(s.dialogs.asked.first().caption, QStringLiteral("Confirmação"));
        } else {
            QVERIFY(s.dialogs.messages.isEmpty());
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(edit(&w, "edtPiloto")->text(), pilotAfter);
        const bool imported = asked && answer == Dialogs::Yes;
        // The match is the most recent vehicle with that phone, of another championship.
        QCOMPARE(edit(&w, "edtCPF")->text(), imported ? QStringLiteral("725.760.056-88") : QString());
        QCOMPARE(child<PictureBox>(&w, QStringLiteral("imgFotoPiloto"))->bytes(),
                 imported ? face : QByteArray());
        QCOMPARE(child<PictureBox>(&w, QStringLiteral("imgFotoCarro"))->bytes(),
                 imported ? car : QByteArray());
        QCOMPARE(bytesOf(s.file(QStringLiteral("fotopilotos/3CADU_car.png"))),
                 imported ? car : QByteArray());
    }

    void cpfLookup_data() {
        QTest::addColumn<QString>("pilot");
        QTest::addColumn<QString>("cpf");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("pilotAfter");
        QTest::newRow("match imported") << "" << "72576005688" << int(Dialogs::Yes) << true
                                        << "Carlos Eduardo Ferreira";
        QTest::newRow("match refused") << "" << "72576005688" << int(Dialogs::No) << true << "";
        QTest::newRow("pilot already typed") << "ZE" << "72576005688" << int(Dialogs::Yes) << false
                                             << "ZE";
        QTest::newRow("unknown cpf") << "" << "11122233344" << int(Dialogs::Yes) << false << "";
    }
    void cpfLookup() {
        QFETCH(QString, pilot);
        QFETCH(QString, cpf);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(QString, pilotAfter);
        Station s;
        const auto [face, car] = givePhotosToTheMatch(s);
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        type(&w, "edtPiloto", pilot);
        type(&w, "edtCPF", cpf);
        s.dialogs.answer(Dialogs::Button(answer));
        uitest::pressEnter(nullptr);
        if (asked) {
            QCOMPARE(s.dialogs.messages,
                     QStringList{QStringLiteral("Deseja IMPORTAR OS DADOS desse registro ??")});
            QCOMPARE(s.dialogs.asked.first().defaultButton, Dialogs::No);
        } else {
            QVERIFY(s.dialogs.messages.isEmpty());
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edtCNH"));
        QCOMPARE(edit(&w, "edtPiloto")->text(), pilotAfter);
        const bool imported = asked && answer == Dialogs::Yes;
        QCOMPARE(w.query()->text(QStringLiteral("CELULAR")),
                 imported ? QStringLiteral("67993816581") : QString());
        QCOMPARE(edit(&w, "edtEquipe")->text(), imported ? QStringLiteral("Ferreira Racing") : QString());
        QCOMPARE(child<PictureBox>(&w, QStringLiteral("imgFotoPiloto"))->bytes(),
                 imported ? face : QByteArray());
        QCOMPARE(bytesOf(s.file(QStringLiteral("fotopilotos/3CADU.png"))),
                 imported ? face : QByteArray());
        // The car may be another one: its photo is not taken.
        QVERIFY(child<PictureBox>(&w, QStringLiteral("imgFotoCarro"))->isEmpty());
        QVERIFY(w.query()->isNull(QStringLiteral("FOTO_CARRO")));
    }

    // ---- entries -------------------------------------------------------------------

    void entriesFollowTheEventsApproval_data() {
        QTest::addColumn<QString>("approve");
        QTest::addColumn<QString>("valid");
        QTest::newRow("automatic approval") << "S" << "S";
        QTest::newRow("waits for approval") << "N" << "N";
    }
    void entriesFollowTheEventsApproval() {
        QFETCH(QString, approve);
        QFETCH(QString, valid);
        Station s(1, 2, approve);
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        typeNewVehicle(w, QStringLiteral("88"), QStringLiteral("BIA"));
        s.dialogs.answer(Dialogs::Yes);  // add a category
        s.dialogs.answer(Dialogs::Yes);  // and another
        pickCategories({QStringLiteral("FL"), QStringLiteral("ST10")});
        s.dialogs.answer(Dialogs::No);  // enough
        click(&w, "btnSalvar");
        const int code = w.query()->integer(QStringLiteral("CODIGO"));
        QCOMPARE(s.dialogs.messages,
                 (QStringList{"Deseja Adicionar Categoria ??", "Deseja CADASTRAR um nova Categoria??",
                              "Deseja CADASTRAR um nova Categoria??"}));
        QCOMPARE(s.dialogs.asked.at(1).caption, QStringLiteral("Cadastrar "));
        QCOMPARE(s.dialogs.asked.at(1).icon, Dialogs::Icon::Warning);
        QCOMPARE(s.dialogs.asked.at(1).defaultButton, Dialogs::No);
        QCOMPARE(s.count(QStringLiteral("select count(*) from inscricao where COD_VEICULO = %1 "
                                        "and COD_EVENTO = 2 and VALIDO = '%2'")
                             .arg(code)
                             .arg(valid)),
                 2);
        auto* grid = child<QTableView>(&w, QStringLiteral("dbgInscricoes"));
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("FL"));
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("Força Livre"));
        QCOMPARE(grid->model()->index(0, 2).data().toString(), valid);
        QCOMPARE(grid->model()->index(1, 0).data().toString(), QStringLiteral("ST10"));
    }

    void duplicateEntryIsRefused() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 4));  // in category 1 of event 2
        const QString entries =
            QStringLiteral("select count(*) from inscricao where COD_VEICULO = 4 and COD_EVENTO = 2");
        const int before = s.count(entries);
        pickCategory(QStringLiteral("FL"));
        click(&w, "btnNovaCategoria");
        QCOMPARE(s.dialogs.messages,
                 QStringList{QStringLiteral("Veiculo ja inscrito nessa Categoria !")});
        QCOMPARE(s.count(entries), before);
        QCOMPARE(s.dm.qryInscricao->state(), db::Query::State::Browse);
    }

    void cancelledPickerEntersNothing() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        const int before = s.count(QStringLiteral("select count(*) from inscricao"));
        uitest::whenModal([](QWidget* picker) { click(picker, "btnCancelar"); });
        click(&w, "btnNovaCategoria");
        QCOMPARE(s.dialogs.messages,
                 QStringList{QStringLiteral("Deseja CADASTRAR um nova Categoria??")});
        QCOMPARE(s.count(QStringLiteral("select count(*) from inscricao")), before);
    }

    void entryWithoutAnOpenEventIsNotStored() {
        Station s;
        Station::open(s.dm.qryEvento, 0);
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        const int before = s.count(QStringLiteral("select count(*) from inscricao"));
        pickCategory(QStringLiteral("FL"));
        click(&w, "btnNovaCategoria");
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Erro: Codigo evento nulo !")});
        QCOMPARE(s.count(QStringLiteral("select count(*) from inscricao")), before);
    }

    void removeEntryAsksFirst() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 4));
        const QString entries =
            QStringLiteral("select count(*) from inscricao where COD_VEICULO = 4 and COD_EVENTO = 2");
        const int before = s.count(entries);
        QVERIFY(before > 0);
        QCOMPARE(child<QTableView>(&w, QStringLiteral("dbgInscricoes"))->model()->rowCount(), before);
        s.dialogs.answer(Dialogs::No);
        click(&w, "btnRemover");
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Deseja EXCLUIR esse registro ??")});
        QCOMPARE(s.count(entries), before);
        s.dialogs.answer(Dialogs::Yes);
        click(&w, "btnRemover");
        QCOMPARE(s.count(entries), before - 1);
        QCOMPARE(child<QTableView>(&w, QStringLiteral("dbgInscricoes"))->model()->rowCount(),
                 before - 1);
    }

    void deletingAVehicleKeepsItsEntriesAndRuns_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("vehiclesLeft");
        QTest::newRow("no") << int(Dialogs::No) << 1;
        QTest::newRow("yes") << int(Dialogs::Yes) << 0;
    }
    void deletingAVehicleKeepsItsEntriesAndRuns() {
        QFETCH(int, answer);
        QFETCH(int, vehiclesLeft);
        Station s;
        const QString entries = QStringLiteral("select count(*) from inscricao where COD_VEICULO = 5");
        const QString runs = QStringLiteral("select count(*) from resultados where COD_VEICULO = 5");
        const int entriesBefore = s.count(entries);
        const int runsBefore = s.count(runs);
        QVERIFY(entriesBefore > 0);
        QVERIFY(runsBefore > 0);
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 5));
        s.dialogs.answer(Dialogs::Button(answer));
        click(&w, "btnDelete");
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Deseja EXCLUIR esse registro ??")});
        QCOMPARE(s.dialogs.asked.first().caption, QStringLiteral("Confirmação"));
        QCOMPARE(s.dialogs.asked.first().defaultButton, Dialogs::No);
        QCOMPARE(s.count(QStringLiteral("select count(*) from veiculo where CODIGO = 5")),
                 vehiclesLeft);
        QCOMPARE(s.count(entries), entriesBefore);
        QCOMPARE(s.count(runs), runsBefore);
    }

    // ---- photos --------------------------------------------------------------------

    void photosAreStoredWithWorkingCopies_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("blob");
        QTest::addColumn<QString>("nameColumn");
        QTest::addColumn<QString>("name");
        QTest::newRow("pilot") << "imgFotoPiloto" << "FOTO_PILOTO" << "NOME_ARQ_FOTO"
                               << "2Wellington Rodrigues Melo.png";
        QTest::newRow("car") << "imgFotoCarro" << "FOTO_CARRO" << "NOME_ARQ_FOTO_carro"
                             << "2Wellington Rodrigues Melo_car.png";
    }
    void photosAreStoredWithWorkingCopies() {
        QFETCH(QString, box);
        QFETCH(QString, blob);
        QFETCH(QString, nameColumn);
        QFETCH(QString, name);
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QCOMPARE(w.query()->integer(QStringLiteral("CODIGO")), 24);
        const QString chosen = s.pictureFile(QStringLiteral("escolhida.png"), Qt::darkGreen);
        s.dialogs.answerFile(chosen);
        QTest::mouseDClick(child<PictureBox>(&w, box), Qt::LeftButton);
        QCOMPARE(s.vehicle(blob, 24).toByteArray(), bytesOf(chosen));
        QCOMPARE(s.vehicle(nameColumn, 24).toString(), name);
        const QString copy = s.file(QStringLiteral("fotopilotos/") + name);
        QCOMPARE(bytesOf(copy), bytesOf(chosen));
        QVERIFY(!w.isEditing());

        // Moving away and back rewrites the working copy from the blob.
        QFile::remove(copy);
        w.query()->moveTo(1);
        QVERIFY(child<PictureBox>(&w, box)->isEmpty());
        w.query()->moveTo(0);
        QCOMPARE(bytesOf(copy), bytesOf(chosen));
        QVERIFY(!child<PictureBox>(&w, box)->isEmpty());
    }

    void cancelledPhotoDialogChangesNothing_data() {
        QTest::addColumn<QString>("box");
        QTest::newRow("pilot") << "imgFotoPiloto";
        QTest::newRow("car") << "imgFotoCarro";
    }
    void cancelledPhotoDialogChangesNothing() {
        QFETCH(QString, box);
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        s.dialogs.answerFile(QString());
        QTest::mouseDClick(child<PictureBox>(&w, box), Qt::LeftButton);
        QVERIFY(child<PictureBox>(&w, box)->isEmpty());
        QVERIFY(!w.isEditing());
        QVERIFY(s.vehicle(QStringLiteral("FOTO_PILOTO"), 24).isNull());
        QVERIFY(s.vehicle(QStringLiteral("FOTO_CARRO"), 24).isNull());
        QVERIFY(QDir(s.file(QStringLiteral("fotopilotos"))).isEmpty());
    }

    void photoOfAnIncompleteNewVehicleIsRefused() {
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        type(&w, "edtPlaca", QStringLiteral("90"));
        s.dialogs.answerFile(s.pictureFile(QStringLiteral("x.png"), Qt::red));
        QTest::mouseDClick(child<PictureBox>(&w, QStringLiteral("imgFotoPiloto")), Qt::LeftButton);
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Preencha Veiculo!! ")});
        QVERIFY(w.isEditing());
        QCOMPARE(s.count(QStringLiteral("select count(*) from veiculo")), 28);
    }

    // ---- search and closing --------------------------------------------------------------

    void searchMatchesNumberOrPilot_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("first");  // pilot of the first row
        QTest::newRow("number") << "33" << 1 << "Wellington Rodrigues Melo";
        QTest::newRow("pilot, any case") << "souza" << 2 << "Fábio Ricardo Souza";
        QTest::newRow("other championship only") << "MARCOS" << 0 << "";
        QTest::newRow("quote and wildcard") << "'%" << 0 << "";
    }
    void searchMatchesNumberOrPilot() {
        QFETCH(QString, text);
        QFETCH(int, rows);
        QFETCH(QString, first);
        Station s;
        TfrmCadVeiculo w(&s.dm, s.homePath());
        QVERIFY(showAndWait(w));
        QLineEdit* search = edit(&w, "edtLocalizar");
        search->setFocus();
        QTest::keyClicks(search, text);
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(w.query()->rowCount(), rows);
        QCOMPARE(w.grid()->model()->rowCount(), rows);
        if (rows > 0)
            QCOMPARE(w.query()->text(QStringLiteral("PILOTO")), first);
    }

    void closingRereadsTheDesksVehicles() {
        Station s;
        s.dm.qryVeiculo->setParam(QStringLiteral("cod_camp"), 1);
        s.dm.qryVeiculo->open();
        QCOMPARE(s.dm.qryVeiculo->rowCount(), 24);
        QString flagWhileOpen;
        uitest::whenModal([&](QWidget* modal) {
            auto* w = static_cast<TfrmCadVeiculo*>(modal);
            flagWhileOpen = s.dm.vehicleWindowOpen;
            typeNewVehicle(*w, QStringLiteral("99"), QStringLiteral("NOVO PILOTO"));
            s.dialogs.answer(Dialogs::No);
            click(w, "btnSalvar");
            click(w, "btnSair");
        });
        TfrmCadVeiculo::showModal(&s.dm, s.homePath(), nullptr);
        QCOMPARE(flagWhileOpen, QStringLiteral("s"));
        QCOMPARE(s.dm.vehicleWindowOpen, QStringLiteral("n"));
        QCOMPARE(s.dm.qryVeiculo->rowCount(), 25);
        QVERIFY(s.dm.qryVeiculo->locate(QStringLiteral("PILOTO"), QStringLiteral("NOVO PILOTO")));
    }

    // ---- the vehicle picker ------------------------------------------------------------------

    void pickerChoosesAVehicle_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");  // "enter", "confirm", "cancel"
        QTest::addColumn<int>("code");
        QTest::newRow("number, Enter") << "33" << "enter" << 24;
        QTest::newRow("pilot, Confirmar") << "wellington" << "confirm" << 24;
        QTest::newRow("nothing listed") << "XYZ" << "enter" << 0;
        QTest::newRow("nothing typed") << "" << "confirm" << 0;
        QTest::newRow("cancelled") << "33" << "cancel" << 0;
        QTest::newRow("other championship") << "40" << "enter" << 0;
    }
    void pickerChoosesAVehicle() {
        QFETCH(QString, typed);
        QFETCH(QString, how);
        QFETCH(int, code);
        Station s;
        TfrmBuscaPiloto picker(&s.dm);
        QCOMPARE(picker.windowTitle(), QStringLiteral("SELECIONE O VEICULO/PILOTO"));
        uitest::whenModal([&](QWidget* modal) {
            auto* grid = child<QTableWidget>(modal, QStringLiteral("dbgPilotos"));
            QCOMPARE(grid->rowCount(), 0);  // empty until something is typed
            QLineEdit* search = edit(modal, "edtPesquisa");
            QCOMPARE(QApplication::focusWidget(), search);
            QTest::keyClicks(search, typed);
            if (how == QStringLiteral("enter"))
                QTest::keyClick(search, Qt::Key_Return);
            else if (how == QStringLiteral("confirm"))
                click(modal, "btnConfirmar");
            else
                click(modal, "btnCancelar");
        });
        picker.exec();
        QCOMPARE(picker.chosenCode(), code);
    }

    void pickerStartsOverEachTime() {
        Station s;
        TfrmBuscaPiloto picker(&s.dm);
        uitest::whenModal([](QWidget* modal) {
            QLineEdit* search = edit(modal, "edtPesquisa");
            QTest::keyClicks(search, QStringLiteral("3"));
            QVERIFY(child<QTableWidget>(modal, QStringLiteral("dbgPilotos"))->rowCount() > 0);
            // Erasing the text again lists them all: the operator did search.
            QTest::keyClick(search, Qt::Key_Backspace);
            QCOMPARE(child<QTableWidget>(modal, QStringLiteral("dbgPilotos"))->rowCount(), 24);
            QTest::keyClick(search, Qt::Key_Return);
        });
        picker.exec();
        QVERIFY(picker.chosenCode() > 0);
        uitest::whenModal([](QWidget* modal) {
            QCOMPARE(edit(modal, "edtPesquisa")->text(), QString());
            QCOMPARE(child<QTableWidget>(modal, QStringLiteral("dbgPilotos"))->rowCount(), 0);
            click(modal, "btnConfirmar");
        });
        picker.exec();
        QCOMPARE(picker.chosenCode(), 0);
    }
};

QTEST_MAIN(TestCadVeiculo)
#include "tst_cadveiculo.moc"
