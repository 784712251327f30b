#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "UiTest.h"
#include "app/uDM.h"
#include "db/Query.h"
#include "platform/registration/RegistrationWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

using platform::Dialogs;
using platform::RegistrationWindow;

namespace {

/// Three categories of championship 1, listed by sigla: FL (code 1), MM
/// (code 2, parent FL, a phone number without area code in RECORD_PILOTO)
/// and ZZ (code 3, values no editor offers: MIN_PISTA_TOTAL 'X', parent 99).
void arrange(TestDatabase& tdb) {
    tdb.sql().execute(QStringLiteral(
        "insert into categoria (CODIGO, SIGLA, CATEGORIA, COD_CAMPEONATO, TEMPO_MINIMO, "
        "DATA_RECORD, MIN_PISTA_TOTAL, TREE_MODE, MATA_MATA_ORDENA, CATEG_PAI, RECORD_PILOTO) "
        "values "
        "(1, 'FL', 'Força Livre', 1, 0, '2026-05-16', 'P', 0, 'P', 0, null), "
        "(2, 'MM', 'MATA-MATA', 1, 7.5, null, 'T', 2, 'S', 1, '999998888'), "
        "(3, 'ZZ', 'OUTRA', 1, 0, null, 'X', 3, 'P', 99, null)"));
}

/// A registration window with one editor of each kind on `categoria`, some
/// on columns chosen only to have room for them (digits on TXT_PAINEL, the
/// phone on RECORD_PILOTO). CATEGORIA has no width limit, so the database's
/// own refusal can be provoked.
class Fixture : public RegistrationWindow {
public:
    Fixture(db::Connection* connection, bool autoEdit = true)
        : RegistrationWindow(
              categories(connection),
              {.objectName = QStringLiteral("frmFixture"),
               .caption = QStringLiteral("Fixture"),
               .size = QSize(700, 520),
               .gridName = QStringLiteral("dbgFixture"),
               .gridColumns = {{.field = QStringLiteral("SIGLA")},
                               {.field = QStringLiteral("TEMPO_MINIMO"), .decimals = 3},
                               {.field = QStringLiteral("DATA_RECORD")}},
               .autoEdit = autoEdit},
              nullptr),
          parents(new db::Query(connection,
                                QStringLiteral("select CODIGO, SIGLA from categoria "
                                               "where COD_CAMPEONATO = 1 order by SIGLA"),
                                this)) {
        QWidget* sigla = addLineEdit(QStringLiteral("edtSigla"), QStringLiteral("SIGLA"), 5);
        QWidget* name = addLineEdit(QStringLiteral("edtCategoria"), QStringLiteral("CATEGORIA"), 0);
        QWidget* digits =
            addDigitsEdit(QStringLiteral("edtDigitos"), QStringLiteral("TXT_PAINEL"), 5);
        QWidget* time =
            addDecimalEdit(QStringLiteral("edtTempo"), QStringLiteral("TEMPO_MINIMO"), 3);
        QWidget* date = addDateEdit(QStringLiteral("edtData"), QStringLiteral("DATA_RECORD"));
        addPhoneEdit(QStringLiteral("edtFone"), QStringLiteral("RECORD_PILOTO"));
        addMemo(QStringLiteral("memDescricao"), QStringLiteral("DESCRICAO"), 10);
        QWidget* code = addReadOnlyEdit(QStringLiteral("edtCodigo"), QStringLiteral("CODIGO"));
        addChoice(
            QStringLiteral("cbxQuant"), QStringLiteral("MATA_MATA_QUANT"),
            {QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("16"), QStringLiteral("32")},
            true);
        addLookup(QStringLiteral("lkpPai"), QStringLiteral("CATEG_PAI"), parents,
                  QStringLiteral("CODIGO"), QStringLiteral("SIGLA"));
        QWidget* track =
            addRadioGroup(QStringLiteral("rgPista"), QStringLiteral(" Desclassifica: "),
                          QStringLiteral("MIN_PISTA_TOTAL"),
                          {{QStringLiteral("Pista"), QStringLiteral("P")},
                           {QStringLiteral("Total (R+P)"), QStringLiteral("T")}});
        addRadioGroup(QStringLiteral("rgModo"), QStringLiteral(" Modo "),
                      QStringLiteral("TREE_MODE"),
                      {{QStringLiteral("Pro"), 0},
                       {QStringLiteral("Drag"), 1},
                       {QStringLiteral("Handicap"), 2},
                       {QStringLiteral("Outlaw"), 3}},
                      Qt::Vertical);
        addCheckBox(QStringLiteral("chkPosicao"), QStringLiteral("Posição"),
                    QStringLiteral("MATA_MATA_ORDENA"), QStringLiteral("P"), QStringLiteral("S"));
        addCheckBox(QStringLiteral("chkSorteio"), QStringLiteral("Sorteio"),
                    QStringLiteral("MATA_MATA_ORDENA"), QStringLiteral("S"), QStringLiteral("P"));
        auto* layout = new QVBoxLayout(form());
        for (QWidget* w : form()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            layout->addWidget(w);
        Q_UNUSED(digits);
        setEnterChain({sigla, name, time, track, date});
        setEnterTarget(code, name);
        setInsertFocus(sigla);
        parents->open();
        query()->open();
    }

    int saves = 0;
    db::Query* parents;

protected:
    void insertDefaults() override {
        setField(QStringLiteral("COD_CAMPEONATO"), 1);
        setField(QStringLiteral("TREE_MODE"), 1);
    }
    void afterSave() override { ++saves; }

private:
    static db::Query* categories(db::Connection* connection) {
        auto* q =
            new db::Query(connection, QStringLiteral("select * from categoria "
                                                     "where COD_CAMPEONATO = 1 order by SIGLA"));
        q->setTable(QStringLiteral("categoria"));
        q->setBeforeDelete(&DM::confirmDeletion);
        return q;
    }
};

struct Station {
    TestDatabase tdb;
    db::Connection connection{tdb.settings()};
    ScriptedDialogs dialogs;
    Station() { arrange(tdb); }
    QVariant stored(const QString& column, int code) {
        return tdb.scalar(
            QStringLiteral("select %1 from categoria where CODIGO = %2").arg(column).arg(code));
    }
};

template <typename T = QWidget>
T* child(QWidget* w, const char* name) {
    return uitest::required<T>(w, QString::fromLatin1(name));
}

QPushButton* button(QWidget* w, const char* name) {
    return child<QPushButton>(w, name);
}

using uitest::click;
using uitest::showAndWait;

/// Empties an editor as the operator would: select all, backspace.
void clearEditor(QWidget* editor) {
    editor->setFocus();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        editor = combo->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        line->home(false);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(editor)) {
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_Backspace);
    }
}

QString rowText(Fixture& w) {
    return QStringLiteral("%1/%2")
        .arg(w.query()->text(QStringLiteral("SIGLA")))
        .arg(w.query()->rowCount());
}

/// A click on the box itself: the widget may be wider than its caption.
void tick(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

QRadioButton* radio(QWidget* w, const char* group, const QString& text) {
    for (QRadioButton* b : child<QGroupBox>(w, group)->findChildren<QRadioButton*>())
        if (b->text() == text)
            return b;
    qFatal("no radio button %s", qPrintable(text));
    return nullptr;
}

}  // namespace

class TestRegistrationPattern : public QObject {
    Q_OBJECT
private slots:
    void editorsAndGridFollowTheCurrentRow() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        QCOMPARE(child<QLineEdit>(&w, "edtSigla")->text(), QStringLiteral("FL"));
        QCOMPARE(child<QLineEdit>(&w, "edtData")->text(), QStringLiteral("16/05/2026"));

        QTableView* grid = child<QTableView>(&w, "dbgFixture");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(1, 0)).center());
        QCOMPARE(w.query()->recNo(), 1);
        QCOMPARE(child<QLineEdit>(&w, "edtSigla")->text(), QStringLiteral("MM"));
        QCOMPARE(child<QLineEdit>(&w, "edtTempo")->text(), QStringLiteral("7,500"));
        QCOMPARE(child<QLineEdit>(&w, "edtData")->text(),
                 QStringLiteral("//"));  // no date: an empty mask
        QCOMPARE(child<QComboBox>(&w, "lkpPai")->currentText(), QStringLiteral("FL"));
        QCOMPARE(w.gridModel()->cellText(1, 1), QStringLiteral("7,500"));
        QCOMPARE(w.gridModel()->cellText(0, 2), QStringLiteral("16/05/2026"));

        // Values no editor offers show nothing rather than a neighbour's.
        w.query()->moveTo(2);
        QCOMPARE(grid->currentIndex().row(), 2);
        QVERIFY(!radio(&w, "rgPista", QStringLiteral("Pista"))->isChecked());
        QVERIFY(!radio(&w, "rgPista", QStringLiteral("Total (R+P)"))->isChecked());
        QCOMPARE(child<QComboBox>(&w, "lkpPai")->currentIndex(), -1);
        QVERIFY(radio(&w, "rgModo", QStringLiteral("Outlaw"))->isChecked());
    }

    void buttonsFollowTheQueryState() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        const auto enabled = [&w] {
            QStringList on;
            for (const char* name : {"btnNovo", "btnEditar", "btnSalvar", "btnAtualizar",
                                     "btnCancelar", "btnDelete", "btnSair"})
                if (button(&w, name)->isEnabled())
                    on << QString::fromLatin1(name).mid(3);
            return on.join(u' ');
        };
        const QString browsing = QStringLiteral("Novo Editar Atualizar Delete Sair");
        const QString editing = QStringLiteral("Salvar Cancelar Sair");
        QCOMPARE(enabled(), browsing);

        click(&w, "btnNovo");
        QCOMPARE(enabled(), editing);
        QVERIFY(!w.grid()->isEnabled());  // no other row can be reached while one is pending
        QCOMPARE(w.focusWidget(), child<QWidget>(&w, "edtSigla"));
        QVERIFY(radio(&w, "rgModo", QStringLiteral("Drag"))->isChecked());  // the default shows
        click(&w, "btnCancelar");
        QCOMPARE(enabled(), browsing);
        QCOMPARE(rowText(w), QStringLiteral("FL/3"));
        QCOMPARE(child<QLineEdit>(&w, "edtSigla")->text(), QStringLiteral("FL"));
        QCOMPARE(s.tdb.scalar(QStringLiteral("select count(*) from categoria")).toInt(), 3);

        // Typing starts editing the current row.
        QTest::keyClicks(child<QLineEdit>(&w, "edtCategoria"), QStringLiteral("x"));
        QCOMPARE(enabled(), editing);
        click(&w, "btnCancelar");
        QCOMPARE(child<QLineEdit>(&w, "edtCategoria")->text(), QStringLiteral("Força Livre"));

        click(&w, "btnNovo");
        QTest::keyClicks(child<QLineEdit>(&w, "edtSigla"), QStringLiteral("new"));
        click(&w, "btnSalvar");
        QCOMPARE(enabled(), browsing);
        QCOMPARE(w.saves, 1);
        const int code = child<QLineEdit>(&w, "edtCodigo")->text().toInt();
        QVERIFY(code > 3);  // the database's code, read back
        QCOMPARE(s.stored(QStringLiteral("SIGLA"), code).toString(), QStringLiteral("NEW"));
        QCOMPARE(s.stored(QStringLiteral("TREE_MODE"), code).toInt(), 1);
        QCOMPARE(w.grid()->model()->rowCount(), 4);
        QCOMPARE(w.grid()->currentIndex().row(), w.query()->recNo());

        // Without rows there is nothing to edit or delete, and typing does nothing.
        s.tdb.sql().execute(QStringLiteral("delete from categoria"));
        click(&w, "btnAtualizar");
        QCOMPARE(enabled(), QStringLiteral("Novo Atualizar Sair"));
        QTest::keyClicks(child<QLineEdit>(&w, "edtSigla"), QStringLiteral("x"));
        QCOMPARE(child<QLineEdit>(&w, "edtSigla")->text(), QString());
        QCOMPARE(enabled(), QStringLiteral("Novo Atualizar Sair"));
    }

    void withoutAutoEditTheEditorsWaitForEditar() {
        Station s;
        Fixture w(&s.connection, false);
        QVERIFY(showAndWait(w));
        QTest::keyClicks(child<QLineEdit>(&w, "edtSigla"), QStringLiteral("x"));
        QTest::mouseClick(radio(&w, "rgPista", QStringLiteral("Total (R+P)")), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(&w, "edtSigla")->text(), QStringLiteral("FL"));
        QVERIFY(radio(&w, "rgPista", QStringLiteral("Pista"))->isChecked());
        QVERIFY(!button(&w, "btnSalvar")->isEnabled());
        click(&w, "btnEditar");
        child<QLineEdit>(&w, "edtSigla")->end(false);
        QTest::keyClicks(child<QLineEdit>(&w, "edtSigla"), QStringLiteral("x"));
        QCOMPARE(child<QLineEdit>(&w, "edtSigla")->text(), QStringLiteral("FLX"));
    }

    void typedTextReachesTheColumn_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        QTest::newRow("upper case") << "edtSigla"
                                    << "pro"
                                    << "SIGLA"
                                    << "PRO";
        QTest::newRow("digits only") << "edtDigitos"
                                     << "1a2-b3"
                                     << "TXT_PAINEL"
                                     << "123";
        QTest::newRow("decimal comma") << "edtTempo"
                                       << "6,25"
                                       << "TEMPO_MINIMO"
                                       << "6.25";
        QTest::newRow("decimal point") << "edtTempo"
                                       << "6.2"
                                       << "TEMPO_MINIMO"
                                       << "6.2";
        QTest::newRow("letters in a number") << "edtTempo"
                                             << "7x,5"
                                             << "TEMPO_MINIMO"
                                             << "7.5";
        QTest::newRow("date") << "edtData"
                              << "14112026"
                              << "DATA_RECORD"
                              << "2026-11-14";
        QTest::newRow("phone") << "edtFone"
                               << "67999998888"
                               << "RECORD_PILOTO"
                               << "67999998888";
        QTest::newRow("choice typed") << "cbxQuant"
                                      << "64"
                                      << "MATA_MATA_QUANT"
                                      << "64";
        QTest::newRow("letters in a choice") << "cbxQuant"
                                             << "1a6"
                                             << "MATA_MATA_QUANT"
                                             << "16";
        QTest::newRow("memo cut at width") << "memDescricao"
                                           << "abcdefghijkl"
                                           << "DESCRICAO"
                                           << "abcdefghij";
        QTest::newRow("memo keeps case") << "memDescricao"
                                         << "Ab"
                                         << "DESCRICAO"
                                         << "Ab";
    }
    void typedTextReachesTheColumn() {
        QFETCH(QString, editor);
        QFETCH(QString, typed);
        QFETCH(QString, column);
        QFETCH(QString, stored);
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        click(&w, "btnEditar");
        QWidget* e = child<QWidget>(&w, qPrintable(editor));
        clearEditor(e);
        QTest::keyClicks(e, typed);
        click(&w, "btnSalvar");
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.stored(column, 1).toString(), stored);
    }

    void caseTurnsOnlyWhatIsTyped() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        auto* name = child<QLineEdit>(&w, "edtCategoria");
        QCOMPARE(name->text(), QStringLiteral("Força Livre"));  // shown as stored
        name->setFocus();
        name->end(false);
        QTest::keyClicks(name, QStringLiteral(" 2x"));
        QCOMPARE(name->text(), QStringLiteral("Força Livre 2X"));
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("CATEGORIA"), 1).toString(),
                 QStringLiteral("Força Livre 2X"));
    }

    void phoneWithoutAreaCodeKeepsItsDigits() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        w.query()->moveTo(1);
        QCOMPARE(child<QLineEdit>(&w, "edtFone")->displayText(), QStringLiteral("(__)99999-8888"));
        QTest::keyClicks(child<QLineEdit>(&w, "edtSigla"), QStringLiteral("2"));
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("RECORD_PILOTO"), 2).toString(),
                 QStringLiteral("999998888"));
    }

    void impossibleDateStopsSalvar_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such day") << "31022026"
                                     << "'31/02/2026' não é uma data válida";
        QTest::newRow("half typed") << "1411"
                                    << "'14/11/____' não é uma data válida";
    }
    void impossibleDateStopsSalvar() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        auto* date = child<QLineEdit>(&w, "edtData");
        clearEditor(date);
        QTest::keyClicks(date, typed);
        click(&w, "btnSalvar");
        QCOMPARE(s.dialogs.messages, QStringList{message});
        QVERIFY(w.isEditing());
        QCOMPARE(w.focusWidget(), date);
        QCOMPARE(s.stored(QStringLiteral("DATA_RECORD"), 1).toDate(), QDate(2026, 5, 16));
        QCOMPARE(w.saves, 0);
    }

    void choiceEditorsStoreTheirValues() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        QTest::mouseClick(radio(&w, "rgPista", QStringLiteral("Total (R+P)")), Qt::LeftButton);
        tick(radio(&w, "rgModo", QStringLiteral("Handicap")));
        // Two boxes on one column: checking one unchecks the other.
        auto* position = child<QCheckBox>(&w, "chkPosicao");
        auto* draw = child<QCheckBox>(&w, "chkSorteio");
        QVERIFY(position->isChecked() && !draw->isChecked());
        tick(draw);
        QVERIFY(!position->isChecked() && draw->isChecked());
        QVERIFY(w.isEditing());
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("MIN_PISTA_TOTAL"), 1).toString(), QStringLiteral("T"));
        QCOMPARE(s.stored(QStringLiteral("TREE_MODE"), 1).toInt(), 2);
        QCOMPARE(s.stored(QStringLiteral("MATA_MATA_ORDENA"), 1).toString(), QStringLiteral("S"));
        tick(draw);  // unchecking the draw is ordering by position
        QVERIFY(position->isChecked());
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("MATA_MATA_ORDENA"), 1).toString(), QStringLiteral("P"));

        // A lookup stores the chosen row's code, not its name.
        w.query()->moveTo(2);
        auto* parent = child<QComboBox>(&w, "lkpPai");
        parent->setFocus();
        QTest::keyClick(parent, Qt::Key_Down);
        QCOMPARE(parent->currentText(), QStringLiteral("FL"));
        click(&w, "btnSalvar");
        QCOMPARE(s.stored(QStringLiteral("CATEG_PAI"), 3).toInt(), 1);
    }

    void enterWalksTheChainAndTheLastAsksToSave() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        click(&w, "btnEditar");
        const QList<const char*> chain{"edtSigla", "edtCategoria", "edtTempo", "rgPista0"};
        child<QWidget>(&w, chain.first())->setFocus();
        for (int i = 1; i < chain.size(); ++i) {
            uitest::pressEnter(nullptr);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(chain.at(i)));
        }
        uitest::pressEnter(nullptr);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&w, "edtData"));
        QVERIFY(s.dialogs.asked.isEmpty());

        s.dialogs.answer(Dialogs::No);
        uitest::pressEnter(nullptr);
        QCOMPARE(s.dialogs.asked.size(), 1);
        const ScriptedDialogs::Asked& asked = s.dialogs.asked.first();
        QCOMPARE(asked.caption, QStringLiteral("Confirmação"));
        QCOMPARE(asked.text, QStringLiteral("Salvar ??"));
        QCOMPARE(asked.icon, Dialogs::Icon::Question);
        QCOMPARE(asked.buttons, Dialogs::Yes | Dialogs::No);
        QVERIFY(w.isEditing());
        QCOMPARE(w.saves, 0);

        s.dialogs.answer(Dialogs::Yes);
        uitest::pressEnter(nullptr);
        QVERIFY(!w.isEditing());
        QCOMPARE(w.saves, 1);
        QCOMPARE(rowText(w), QStringLiteral("FL/3"));  // no toolbar button took the Enter

        // A read-only code sends Enter on to the name.
        child<QWidget>(&w, "edtCodigo")->setFocus();
        uitest::pressEnter(nullptr);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&w, "edtCategoria"));
    }

    void deleteAsksTheQueryGuard() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        s.dialogs.answer(Dialogs::No);
        click(&w, "btnDelete");
        QCOMPARE(s.dialogs.asked.size(), 1);
        QCOMPARE(s.dialogs.asked.first().text, QStringLiteral("Deseja EXCLUIR esse registro ??"));
        QCOMPARE(s.dialogs.asked.first().defaultButton, Dialogs::No);
        QCOMPARE(s.tdb.scalar(QStringLiteral("select count(*) from categoria")).toInt(), 3);
        QCOMPARE(rowText(w), QStringLiteral("FL/3"));

        s.dialogs.answer(Dialogs::Yes);
        click(&w, "btnDelete");
        QCOMPARE(
            s.tdb.scalar(QStringLiteral("select count(*) from categoria where CODIGO = 1")).toInt(),
            0);
        QCOMPARE(rowText(w), QStringLiteral("MM/2"));
        QCOMPARE(child<QLineEdit>(&w, "edtSigla")->text(), QStringLiteral("MM"));
        QCOMPARE(w.grid()->model()->rowCount(), 2);
        QCOMPARE(w.grid()->currentIndex().row(), 0);
    }

    void refusedPostShowsTheServerMessageAndKeepsTheRow() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        QTest::keyClicks(child<QLineEdit>(&w, "edtCategoria"), QString(60, u'x'));
        click(&w, "btnSalvar");
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY2(s.dialogs.messages.first().contains(QStringLiteral("CATEGORIA")),
                 qPrintable(s.dialogs.messages.first()));
        QVERIFY(w.isEditing());
        QVERIFY(button(&w, "btnSalvar")->isEnabled());
        QCOMPARE(w.saves, 0);
        QCOMPARE(s.stored(QStringLiteral("CATEGORIA"), 1).toString(),
                 QStringLiteral("Força Livre"));
    }

    void escapeDoesNotCloseTheWindow() {
        Station s;
        Fixture w(&s.connection);
        QVERIFY(showAndWait(w));
        QTest::keyClicks(child<QLineEdit>(&w, "edtSigla"), QStringLiteral("x"));
        QTest::keyClick(child<QLineEdit>(&w, "edtSigla"), Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QVERIFY(w.isEditing());
    }
};

QTEST_MAIN(TestRegistrationPattern)
#include "tst_registrationpattern.moc"
