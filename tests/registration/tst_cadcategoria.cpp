#include "DemoStation.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "UiTest.h"
#include "app/VudApplication.h"
#include "app/uDM.h"
#include "db/Query.h"
#include "platform/StationEnvironment.h"
#include "race/uPrincipal.h"
#include "registration/uCadCategoria.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using platform::Dialogs;

namespace {

/// The demo station with championship 1 current: its categories, by sigla,
/// are FL (1), HC (5), MM75 (6, knockout, parent T75), ONT (4), SHARK (7),
/// ST10 (3), T75 (2) and TR (8); championship 2 has LIV (9).
struct Station {
    TestDatabase tdb;
    DM dm{tdb.settings()};
    ScriptedDialogs dialogs;

    Station() {
        tdb.loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"));
        dm.openSharedQueries();
        dm.qryCampeonato->close();
        dm.qryCampeonato->setParam(QStringLiteral("codigo"), 1);
        dm.qryCampeonato->open();
    }
    QVariant stored(const QString& column, int code) {
        return tdb.scalar(
            QStringLiteral("select %1 from categoria where CODIGO = %2").arg(column).arg(code));
    }
    int count(const QString& where) {
        return tdb.scalar(QStringLiteral("select count(*) from categoria where ") + where).toInt();
    }
};

template <typename T = QWidget>
T* child(QWidget* w, const QString& name) {
    return uitest::required<T>(w, name);
}

using uitest::click;
using uitest::showAndWait;

QStringList items(QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
    return list;
}

QStringList siglas(db::Query* q) {
    QStringList list;
    for (int i = 0; i < q->rowCount(); ++i) list << q->valueAt(i, QStringLiteral("SIGLA")).toString();
    return list;
}

}  // namespace

class TestCadCategoria : public QObject {
    Q_OBJECT
private slots:
    // ---- the window as it opens ------------------------------------------

    void opensOnTheChampionshipsCategories() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Cadastro de Categorias"));
        QCOMPARE(w.objectName(), QStringLiteral("frmCadCategoria"));
        QCOMPARE(w.query(), s.dm.qryCategoria);
        QCOMPARE(w.query()->rowCount(), 8);  // not championship 2's LIV
        QCOMPARE(w.minimumSize(), w.maximumSize());

        QStringList titles;
        for (int i = 0; i < w.gridModel()->columnCount(); ++i)
            titles << w.gridModel()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(titles, (QStringList{"CODIGO", "SIGLA", "CATEGORIA", "TXT_PAINEL", "TEMPO_MINIMO",
                                      "PISTA/TOTAL"}));
        QCOMPARE(child<QLineEdit>(&w, QStringLiteral("edtSigla"))->text(), QStringLiteral("FL"));
        QCOMPARE(child<QLineEdit>(&w, QStringLiteral("edtTempoMax"))->text(), QStringLiteral("7,500"));
        QVERIFY(child<QLineEdit>(&w, QStringLiteral("edtCodigo"))->isReadOnly());
    }

    /// "Sair" is shown disabled whatever happens; "Criar Trenios" does nothing.
    void toolbarExtras() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        auto* exit = child<QPushButton>(&w, QStringLiteral("btnSair"));
        auto* practice = child<QPushButton>(&w, QStringLiteral("btnCriarTreinos"));
        QCOMPARE(practice->text(), QStringLiteral("Criar Trenios"));
        QVERIFY(practice->x() < exit->x());
        for (int step = 0; step < 3; ++step) {
            QVERIFY(!exit->isEnabled());
            QVERIFY(!practice->isEnabled());
            click(&w, step == 0 ? "btnNovo" : step == 1 ? "btnCancelar" : "btnEditar");
        }
        click(&w, "btnCancelar");
        QVERIFY(!exit->isEnabled());
        // The close box still closes it.
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
    }

    // ---- "Novo" and saving -------------------------------------------------

    void novoFillsTheDefaults() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        // Added by someone else after the window opened: "Novo" reads it too.
        s.tdb.sql().execute(QStringLiteral(
            "insert into categoria (CODIGO, SIGLA, CATEGORIA, COD_CAMPEONATO) values "
            "(20, 'AAA', 'OUTRA ESTACAO', 1)"));
        click(&w, "btnNovo");
        QVERIFY(siglas(w.query()).contains(QStringLiteral("AAA")));
        QCOMPARE(w.focusWidget(), child<QWidget>(&w, QStringLiteral("edtSigla")));
        QVERIFY(child<QPushButton>(&w, QStringLiteral("btnSalvar"))->isEnabled());
        QTest::keyClicks(w.focusWidget(), QStringLiteral("pro"));
        uitest::pressEnter(nullptr);
        QTest::keyClicks(w.focusWidget(), QStringLiteral("Pro Street"));
        uitest::pressEnter(nullptr);
        // Reaching "Texto Placar:" of the new row offers the sigla.
        QCOMPARE(child<QLineEdit>(&w, QStringLiteral("edtTxtPainel"))->text(),
                 QStringLiteral("PRO"));
        click(&w, "btnSalvar");
        QVERIFY(s.dialogs.messages.isEmpty());
        QVERIFY(!w.isEditing());
        QVERIFY(!child<QPushButton>(&w, QStringLiteral("btnSalvar"))->isEnabled());

        const int code = w.query()->integer(QStringLiteral("CODIGO"));
        QVERIFY(code > 20);
        QCOMPARE(s.stored(QStringLiteral("COD_CAMPEONATO"), code).toInt(), 1);
        QCOMPARE(s.stored(QStringLiteral("SIGLA"), code).toString(), QStringLiteral("PRO"));
        QCOMPARE(s.stored(QStringLiteral("CATEGORIA"), code).toString(),
                 QStringLiteral("PRO STREET"));
        QCOMPARE(s.stored(QStringLiteral("TXT_PAINEL"), code).toString(), QStringLiteral("PRO"));
        for (const char* flag : {"TREINO", "MATA_MATA", "SHARKTANK", "LISTA", "NA_MOSCA"})
            QCOMPARE(s.stored(QString::fromLatin1(flag), code).toString(), QStringLiteral("N"));
    }

    void novoBelongsToTheCurrentChampionship() {
        Station s;
        s.dm.qryCampeonato->close();
        s.dm.qryCampeonato->setParam(QStringLiteral("codigo"), 2);
        s.dm.qryCampeonato->open();
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        QCOMPARE(siglas(w.query()), QStringList{QStringLiteral("LIV")});
        click(&w, "btnNovo");
        QTest::keyClicks(w.focusWidget(), QStringLiteral("x2"));
        click(&w, "btnSalvar");
        QCOMPARE(s.count(QStringLiteral("SIGLA = 'X2' and COD_CAMPEONATO = 2")), 1);
        QCOMPARE(w.query()->rowCount(), 2);
    }

    void cancelarDropsTheNewRow() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        QTest::keyClicks(w.focusWidget(), QStringLiteral("zz"));
        click(&w, "btnCancelar");
        QVERIFY(!w.isEditing());
        QCOMPARE(s.count(QStringLiteral("SIGLA = 'ZZ'")), 0);
        QCOMPARE(w.query()->rowCount(), 8);
        QCOMPARE(child<QLineEdit>(&w, QStringLiteral("edtSigla"))->text(), QStringLiteral("FL"));
    }

    // ---- "Texto Placar:" ---------------------------------------------------

    void scoreboardTextFromSigla_data() {
        QTest::addColumn<QVariant>("text");  // TXT_PAINEL stored before
        QTest::addColumn<QString>("sigla");
        QTest::addColumn<QString>("shown");  // after entering "Texto Placar:"
        QTest::addColumn<bool>("editing");
        QTest::newRow("null, filled") << QVariant() << "PRO"
                                      << "PRO" << true;
        QTest::newRow("empty, filled") << QVariant(QString()) << "PRO"
                                       << "PRO" << true;
        QTest::newRow("present, kept") << QVariant(QStringLiteral("LIVRE")) << "PRO"
                                       << "LIVRE" << false;
        QTest::newRow("no sigla either") << QVariant() << ""
                                         << "" << false;
    }
    void scoreboardTextFromSigla() {
        QFETCH(QVariant, text);
        QFETCH(QString, sigla);
        QFETCH(QString, shown);
        QFETCH(bool, editing);
        Station s;
        s.tdb.sql().execute(
            QStringLiteral("update categoria set SIGLA = :s, TXT_PAINEL = :t where CODIGO = 1"),
            {{QStringLiteral("s"), sigla}, {QStringLiteral("t"), text}});
        s.dm.qryCategoria->refresh();
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 1));
        auto* edit = child<QLineEdit>(&w, QStringLiteral("edtTxtPainel"));
        QCOMPARE(edit->text(), text.toString());
        edit->setFocus();
        QCOMPARE(edit->text(), shown);
        QCOMPARE(w.isEditing(), editing);
        if (editing) {
            click(&w, "btnSalvar");
            QCOMPARE(s.stored(QStringLiteral("TXT_PAINEL"), 1).toString(), shown);
        }
    }

    /// Once the sigla has been carried over, changing the sigla does not
    /// overwrite what the scoreboard shows.
    void scoreboardTextIsNotFollowedAfterwards() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        auto* sigla = child<QLineEdit>(&w, QStringLiteral("edtSigla"));
        auto* text = child<QLineEdit>(&w, QStringLiteral("edtTxtPainel"));
        QTest::keyClicks(sigla, QStringLiteral("ab"));
        text->setFocus();
        QCOMPARE(text->text(), QStringLiteral("AB"));
        sigla->setFocus();
        QTest::keyClicks(sigla, QStringLiteral("c"));
        text->setFocus();
        QCOMPARE(text->text(), QStringLiteral("AB"));
    }

    // ---- editors -------------------------------------------------------------

    void numericEditorsTakeNoLetters_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("tempo minimo") << "edtTempoMinimo"
                                      << "TEMPO_MINIMO"
                                      << "a7x,5b" << "7,5" << QVariant(7.5);
        QTest::newRow("tempo max, point as comma")
            << "edtTempoMax"
            << "TEMPO_MAX"
            << "9.25q" << "9.25" << QVariant(9.25);
        QTest::newRow("tempo max, three decimals at most")
            << "edtTempoMax"
            << "TEMPO_MAX"
            << "8,12345" << "8,123" << QVariant(8.123);
        QTest::newRow("record tempo") << "edtRecordTempo"
                                      << "RECORD_TEMPO"
                                      << "6-,4x12" << "6,412" << QVariant(6.412);
    }
    void numericEditorsTakeNoLetters() {
        QFETCH(QString, editor);
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QVariant, stored);
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        click(&w, "btnNovo");
        QTest::keyClicks(w.focusWidget(), QStringLiteral("n1"));
        auto* edit = child<QLineEdit>(&w, editor);
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), shown);
        click(&w, "btnSalvar");
        QVERIFY(s.dialogs.messages.isEmpty());
        const int code = w.query()->integer(QStringLiteral("CODIGO"));
        QCOMPARE(s.stored(column, code).toDouble(), stored.toDouble());
    }

    void knockoutSizeTakesDigitsOnly() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        auto* quantity = child<QComboBox>(&w, QStringLiteral("cbxQuant"));
        QCOMPARE(items(quantity), (QStringList{"4", "8", "16", "32"}));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 6));
        QCOMPARE(quantity->currentText(), QStringLiteral("8"));
        click(&w, "btnEditar");
        quantity->lineEdit()->selectAll();
        QTest::keyClicks(quantity->lineEdit(), QStringLiteral("1x2"));
        QCOMPARE(quantity->currentText(), QStringLiteral("12"));
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("MATA_MATA_QUANT"), 6).toInt(), 12);
    }

    /// The two boxes on MATA_MATA_ORDENA always disagree.
    void orderingBoxesShareOneColumn() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 6));
        auto* position = child<QCheckBox>(&w, QStringLiteral("chkPosicao"));
        auto* draw = child<QCheckBox>(&w, QStringLiteral("chkSorteio"));
        QVERIFY(position->isChecked());
        QVERIFY(!draw->isChecked());
        click(&w, "btnEditar");
        QTest::mouseClick(draw, Qt::LeftButton, {}, QPoint(4, draw->height() / 2));
        QVERIFY(draw->isChecked());
        QVERIFY(!position->isChecked());
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("MATA_MATA_ORDENA"), 6).toString(), QStringLiteral("S"));
        click(&w, "btnEditar");
        QTest::mouseClick(draw, Qt::LeftButton, {}, QPoint(4, draw->height() / 2));
        QVERIFY(position->isChecked());
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("MATA_MATA_ORDENA"), 6).toString(), QStringLiteral("P"));
    }

    void choicesAreStoredAsTheirCodes() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        click(&w, "btnEditar");
        for (const char* name : {"rgDesclassifica1", "rgModoPinheirinho3", "rgDialAuto0",
                                 "chkSharkTank", "chkLista", "chkTreino", "chkOnTarget"})
            QTest::mouseClick(child<QWidget>(&w, QString::fromLatin1(name)), Qt::LeftButton, {},
                              QPoint(4, 8));
        click(&w, "btnSalvar");
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.tdb.scalar(QStringLiteral(
                                  "select concat(MIN_PISTA_TOTAL, TREE_MODE, DIAL_AUTO, SHARKTANK, "
                                  "LISTA, TREINO, NA_MOSCA, MATA_MATA) from categoria where CODIGO = 1"))
                     .toString(),
                 QStringLiteral("T3SSSSSN"));
    }

    void enterOrder() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        const QStringList chain{"edtSigla", "edtCategoria", "edtTxtPainel", "edtTempoMinimo",
                                "edtTempoMax"};
        child<QWidget>(&w, chain.first())->setFocus();
        for (int i = 1; i < chain.size(); ++i) {
            uitest::pressEnter(nullptr);
            QCOMPARE(QApplication::focusWidget()->objectName(), chain.at(i));
        }
        QVERIFY(s.dialogs.asked.isEmpty());
        s.dialogs.answer(Dialogs::No);
        uitest::pressEnter(nullptr);
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Salvar ??")});
        QCOMPARE(s.dialogs.asked.first().caption, QStringLiteral("Confirmação"));
        QCOMPARE(s.dialogs.asked.first().icon, Dialogs::Icon::Question);

        for (const char* name : {"edtRecordPiloto", "edtRecordTempo", "edtDataRecord"}) {
            child<QWidget>(&w, QString::fromLatin1(name))->setFocus();
            uitest::pressEnter(nullptr);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edtTempoMax"));
        }
        child<QWidget>(&w, QStringLiteral("edtCodigo"))->setFocus();
        uitest::pressEnter(nullptr);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edtCategoria"));
    }

    void salvarByEnterOnTempoMax() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        auto* maximum = child<QLineEdit>(&w, QStringLiteral("edtTempoMax"));
        maximum->setFocus();
        maximum->selectAll();
        QTest::keyClicks(maximum, QStringLiteral("7,25"));
        s.dialogs.answer(Dialogs::Yes);
        uitest::pressEnter(nullptr);
        QVERIFY(!w.isEditing());
        QCOMPARE(s.stored(QStringLiteral("TEMPO_MAX"), 1).toDouble(), 7.25);
    }

    // ---- the parent-category list ------------------------------------------

    void parentListLeavesKnockoutCategoriesOut() {
        Station s;
        // Another championship's category, and one whose flag was never written.
        s.tdb.sql().execute(QStringLiteral(
            "insert into categoria (CODIGO, SIGLA, CATEGORIA, COD_CAMPEONATO, MATA_MATA) values "
            "(21, 'NUL', 'SEM MARCA', 1, null)"));
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        auto* parent = child<QComboBox>(&w, QStringLiteral("lkpCatPai"));
        QCOMPARE(w.parentCategories()->objectName(), QStringLiteral("qryCatPai"));
        QCOMPARE(siglas(w.parentCategories()),
                 (QStringList{"FL", "HC", "NUL", "ONT", "SHARK", "ST10", "T75", "TR"}));
        QVERIFY(items(parent).contains(QStringLiteral("Turbo Índice 7.5")));
        QVERIFY(!items(parent).contains(QStringLiteral("Mata-Mata Turbo 7.5")));

        // MM75 shows its parent by name and stores a code.
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 6));
        QCOMPARE(parent->currentText(), QStringLiteral("Turbo Índice 7.5"));
    }

    /// Saving rebuilds the list: a category made a knockout one leaves it, and
    /// one that stops being one joins it.
    void parentListIsRebuiltAfterSaving() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        auto* parent = child<QComboBox>(&w, QStringLiteral("lkpCatPai"));
        auto* knockout = child<QCheckBox>(&w, QStringLiteral("chkMataMata"));
        const auto toggleKnockout = [&](int code) {
            QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), code));
            click(&w, "btnEditar");
            QTest::mouseClick(knockout, Qt::LeftButton, {}, QPoint(4, knockout->height() / 2));
            click(&w, "btnSalvar");
            QVERIFY(!w.isEditing());
        };
        toggleKnockout(8);  // TR becomes a knockout category
        QCOMPARE(s.stored(QStringLiteral("MATA_MATA"), 8).toString(), QStringLiteral("S"));
        QVERIFY(!siglas(w.parentCategories()).contains(QStringLiteral("TR")));
        QVERIFY(!items(parent).contains(QStringLiteral("Treino Livre")));
        toggleKnockout(6);  // MM75 no longer is
        QVERIFY(siglas(w.parentCategories()).contains(QStringLiteral("MM75")));
        QVERIFY(items(parent).contains(QStringLiteral("Mata-Mata Turbo 7.5")));

        // A new category is offered as a parent once saved.
        click(&w, "btnNovo");
        QTest::keyClicks(w.focusWidget(), QStringLiteral("nv"));
        QTest::keyClicks(child<QLineEdit>(&w, QStringLiteral("edtCategoria")),
                         QStringLiteral("Nova"));
        QVERIFY(!items(parent).contains(QStringLiteral("NOVA")));
        click(&w, "btnSalvar");
        QVERIFY(items(parent).contains(QStringLiteral("NOVA")));
    }

    void choosingAParentStoresItsCode() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 6));
        auto* parent = child<QComboBox>(&w, QStringLiteral("lkpCatPai"));
        click(&w, "btnEditar");
        parent->setCurrentIndex(parent->findText(QStringLiteral("Street Índice 10")));
        parent->activated(parent->currentIndex());
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("CATEG_PAI"), 6).toInt(), 3);
    }

    // ---- deleting ------------------------------------------------------------

    void deleteAsksFirst() {
        Station s;
        TfrmCadCategoria w(&s.dm);
        QVERIFY(showAndWait(w));
        QVERIFY(w.query()->locate(QStringLiteral("CODIGO"), 8));
        s.dialogs.answer(Dialogs::No);
        click(&w, "btnDelete");
        QCOMPARE(s.dialogs.messages, QStringList{QStringLiteral("Deseja EXCLUIR esse registro ??")});
        const ScriptedDialogs::Asked asked = s.dialogs.asked.first();
        QCOMPARE(asked.caption, QStringLiteral("Confirmação"));
        QCOMPARE(asked.icon, Dialogs::Icon::Warning);
        QCOMPARE(asked.buttons, int(Dialogs::Yes | Dialogs::No));
        QCOMPARE(asked.defaultButton, Dialogs::No);
        QCOMPARE(s.count(QStringLiteral("CODIGO = 8")), 1);
        QCOMPARE(w.query()->rowCount(), 8);

        // The default answer (Enter on the box) keeps it too.
        click(&w, "btnDelete");
        QCOMPARE(s.count(QStringLiteral("CODIGO = 8")), 1);

        s.dialogs.answer(Dialogs::Yes);
        click(&w, "btnDelete");
        QCOMPARE(s.count(QStringLiteral("CODIGO = 8")), 0);
        QCOMPARE(w.query()->rowCount(), 7);
        QVERIFY(!siglas(w.query()).contains(QStringLiteral("TR")));
    }

    // ---- the main window after the window closes -----------------------------

    void mainWindowReadsTheCategoriesAgain() {
        Station s;
        QTemporaryDir home;
        platform::StationEnvironment env;
        env.home = home.path() + u'/';
        env.discoveryPort = freeUdpPort();
        env.hubPort = 0;
        s.dm.serverFound = QStringLiteral("S");
        TfrmPrincipal main(&s.dm, env);
        QAction* entry = main.findChild<QAction*>(QStringLiteral("mnuCategorias"));
        QVERIFY(entry);
        QVERIFY(entry->isEnabled());
        const int sharks = s.dm.qryVerShark->rowCount();

        // One category saved, a second one left half typed when the window closes.
        bool seen = false;
        uitest::whenModal([&](QWidget* modal) {
            seen = modal->objectName() == QStringLiteral("frmCadCategoria");
            click(modal, "btnNovo");
            QTest::keyClicks(modal->focusWidget(), QStringLiteral("sk2"));
            QTest::mouseClick(child<QCheckBox>(modal, QStringLiteral("chkSharkTank")),
                              Qt::LeftButton, {}, QPoint(4, 8));
            click(modal, "btnSalvar");
            click(modal, "btnNovo");
            QTest::keyClicks(modal->focusWidget(), QStringLiteral("meio"));
            modal->close();
        });
        entry->trigger();
        QVERIFY(seen);
        QVERIFY(!main.findChild<TfrmCadCategoria*>());  // released when closed

        QCOMPARE(s.count(QStringLiteral("SIGLA = 'SK2'")), 1);
        QCOMPARE(s.count(QStringLiteral("SIGLA = 'MEIO'")), 0);
        QCOMPARE(s.dm.qryCategoria->state(), db::Query::State::Browse);
        QCOMPARE(siglas(s.dm.qryCategoria),
                 (QStringList{"FL", "HC", "MM75", "ONT", "SHARK", "SK2", "ST10", "T75", "TR"}));
        QCOMPARE(s.dm.qryVerShark->rowCount(), sharks + 1);
    }
};

int main(int argc, char** argv) {
    // The main window expects the application object that catches stray errors.
    VudApplication app(argc, argv);
    TestCadCategoria test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cadcategoria.moc"
