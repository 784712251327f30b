#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "UiTest.h"
#include "app/uBuscaCampeonato.h"
#include "app/uBuscaCateg.h"
#include "app/uBuscaEvento.h"
#include "app/uDM.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

/// The demo station just after its shared queries opened: nothing chosen yet.
/// Championship 1 has events 1 (14/11/2026) and 2 (12/12/2026) and categories
/// 1-8; championship 2 has event 3 (23/08/2025) and category 9.
struct Station {
    TestDatabase tdb;
    DM dm{tdb.settings()};
    ScriptedDialogs dialogs;

    Station() {
        tdb.loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"));
        dm.openSharedQueries();
    }
    void chooseChampionship(int code) {
        dm.qryCampeonato->close();
        dm.qryCampeonato->setParam(QStringLiteral("codigo"), code);
        dm.qryCampeonato->open();
    }
    QVariant openEventOfOrganizer() {
        return tdb.scalar(QStringLiteral("select COD_EVENTO_ABERTO from organizador"));
    }
};

const QString kRegional = QStringLiteral("Campeonato Regional de Arrancada 2026");
const QString kCopa = QStringLiteral("Copa Centro-Oeste de Arrancada 2025");

QLineEdit* editor(QWidget* w, const char* name) {
    return uitest::child<QLineEdit>(w, QString::fromLatin1(name));
}
QTableWidget* grid(QWidget* w, const char* name) {
    return uitest::child<QTableWidget>(w, QString::fromLatin1(name));
}
QPushButton* button(QWidget* w, const char* name) {
    return uitest::child<QPushButton>(w, QString::fromLatin1(name));
}

/// The grid's rows as "cell | cell" texts, top to bottom.
QStringList rowsOf(const QTableWidget* g) {
    QStringList rows;
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->columnCount(); ++c)
            cells << (g->item(r, c) ? g->item(r, c)->text() : QString());
        rows << cells.join(QStringLiteral(" | "));
    }
    return rows;
}

QPoint cellCentre(QTableWidget* g, int row) {
    return g->visualRect(g->model()->index(row, 0)).center();
}

/// A double click as the platform delivers it: a press and release, then the
/// double-click event in place of the second press (the view needs the first).
void doubleClickRow(QTableWidget* g, int row) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, row));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, row));
}

bool showAndWait(QWidget& w) {
    w.show();
    return QTest::qWaitForWindowExposed(&w);
}

/// The two start-up windows share their closing rules; tests drive either one.
struct StartUpWindow {
    std::unique_ptr<QDialog> window;
    std::function<bool()> hasSelection;
    std::function<bool()> cancelled;
    std::function<int()> chosenInDm;  // what the data module holds for this window's choice
};

StartUpWindow startUpWindow(const QString& which, Station& s) {
    if (which == QStringLiteral("championship")) {
        auto* w = new TfrmBuscaCampeonato(&s.dm);
        return {std::unique_ptr<QDialog>(w), [w] { return w->hasSelection(); },
                [w] { return w->cancelled(); }, [&s] { return s.dm.championshipCode(); }};
    }
    s.chooseChampionship(1);
    auto* w = new TfrmBuscaEvento(&s.dm);
    return {std::unique_ptr<QDialog>(w), [w] { return w->hasSelection(); },
            [w] { return w->cancelled(); }, [&s] { return s.dm.eventCode(); }};
}

}  // namespace

class TestSelection : public QObject {
    Q_OBJECT
private slots:
    // ---- championship ----------------------------------------------------

    void championshipIsListedOncePerEventNewestFirst() {
        Station s;
        s.tdb.sql().execute(QStringLiteral(
            "insert into campeonato (CODIGO, CAMPEONATO) values (3, 'Campeonato Sem Etapas')"));
        // Between championship 1's two events, so the list interleaves championships by date.
        s.tdb.sql().execute(QStringLiteral(
            "insert into evento (EVENTO, DATA, COD_CAMPEONATO) values ('Extra', '2026-11-20', 2)"));
        TfrmBuscaCampeonato w(&s.dm);
        QVERIFY(showAndWait(w));
        QTableWidget* g = grid(&w, "dbgCampeonato");
        QCOMPARE(rowsOf(g), QStringList({kRegional, kCopa, kRegional, kCopa}));
        QCOMPARE(g->currentRow(), 0);
        QCOMPARE(w.focusWidget(), editor(&w, "edtPesquisa"));
    }

    void championshipSearch_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("any case") << "rEgIoNaL" << QStringList{kRegional, kRegional};
        QTest::newRow("other championship") << "copa" << QStringList{kCopa};
        QTest::newRow("typed and erased") << "co\b\b" << QStringList{kRegional, kRegional, kCopa};
        QTest::newRow("no match") << "zzz" << QStringList{};
        // Typed text is data: quotes, wildcards and escapes match only themselves.
        QTest::newRow("quote injection") << "x' or '1'='1" << QStringList{};
        QTest::newRow("percent") << "%" << QStringList{};
        QTest::newRow("underscore") << "_" << QStringList{};
        QTest::newRow("backslash") << "\\" << QStringList{};
    }
    void championshipSearch() {
        QFETCH(QString, typed);
        QFETCH(QStringList, listed);
        Station s;
        TfrmBuscaCampeonato w(&s.dm);
        QVERIFY(showAndWait(w));
        QTest::keyClicks(editor(&w, "edtPesquisa"), typed);
        QTableWidget* g = grid(&w, "dbgCampeonato");
        QCOMPARE(rowsOf(g), listed);
        QCOMPARE(g->currentRow(), listed.isEmpty() ? -1 : 0);
        QVERIFY(s.dialogs.messages.isEmpty());
    }

    void championshipConfirmTakesTheCurrentRow_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("championship");
        QTest::addColumn<int>("categories");
        // The list is Regional, Regional, Copa.
        QTest::newRow("Enter at once") << "" << "enter" << 1 << 8;
        QTest::newRow("arrows from the editor, Enter") << "" << "down down enter" << 2 << 1;
        QTest::newRow("click, Confirmar") << "" << "click Confirmar" << 2 << 1;
        QTest::newRow("click, Enter in the grid") << "" << "click enter" << 2 << 1;
        QTest::newRow("double click") << "" << "double click" << 2 << 1;
        QTest::newRow("filtered, Enter") << "copa" << "enter" << 2 << 1;
    }
    void championshipConfirmTakesTheCurrentRow() {
        QFETCH(QString, typed);
        QFETCH(QString, how);
        QFETCH(int, championship);
        QFETCH(int, categories);
        Station s;
        TfrmBuscaCampeonato w(&s.dm);
        QVERIFY(showAndWait(w));
        QLineEdit* edt = editor(&w, "edtPesquisa");
        QTableWidget* g = grid(&w, "dbgCampeonato");
        QTest::keyClicks(edt, typed);
        if (how == QStringLiteral("enter")) {
            QTest::keyClick(w.focusWidget(), Qt::Key_Return);
        } else if (how == QStringLiteral("down down enter")) {
            QTest::keyClick(edt, Qt::Key_Down);
            QTest::keyClick(edt, Qt::Key_Down);
            QTest::keyClick(edt, Qt::Key_Return);
        } else if (how == QStringLiteral("click Confirmar")) {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 2));
            QTest::mouseClick(button(&w, "btnConfirmar"), Qt::LeftButton);
        } else if (how == QStringLiteral("click enter")) {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 2));
            QTest::keyClick(g, Qt::Key_Return);
        } else {
            doubleClickRow(g, 2);
        }
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(w.hasSelection());
        QVERIFY(!w.cancelled());
        QCOMPARE(s.dm.championshipCode(), championship);
        // The data module followed with the championship's categories.
        QCOMPARE(s.dm.qryCategoria->rowCount(), categories);
        QCOMPARE(s.dm.qryEvento->param(QStringLiteral("cod_campeonato")).toInt(), championship);
        QVERIFY(s.dialogs.messages.isEmpty());
    }

    // ---- both start-up windows -------------------------------------------

    void startUpWindowRefusesToCloseWithoutChoice_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("noEvents");
        QTest::addColumn<QString>("message");
        const QString championshipMessage = QStringLiteral("Campeonato não selecionado !!");
        const QString eventMessage = QStringLiteral("Evento não selecionado !!");
        for (const auto& [window, message] : {std::pair{QStringLiteral("championship"), championshipMessage},
                                              std::pair{QStringLiteral("event"), eventMessage}}) {
            const QByteArray name = window.toLatin1();
            QTest::addRow("%s: close box", name.constData()) << window << "close" << false << message;
            QTest::addRow("%s: Escape", name.constData()) << window << "escape" << false << message;
            QTest::addRow("%s: Confirmar on an empty list", name.constData())
                << window << "confirmar" << true << message;
            QTest::addRow("%s: Enter on an empty list", name.constData())
                << window << "enter" << true << message;
        }
    }
    void startUpWindowRefusesToCloseWithoutChoice() {
        QFETCH(QString, window);
        QFETCH(QString, way);
        QFETCH(bool, noEvents);
        QFETCH(QString, message);
        Station s;
        if (noEvents) s.tdb.sql().execute(QStringLiteral("delete from evento"));
        StartUpWindow w = startUpWindow(window, s);
        QVERIFY(showAndWait(*w.window));
        if (way == QStringLiteral("close"))
            w.window->close();
        else if (way == QStringLiteral("escape"))
            QTest::keyClick(editor(w.window.get(), "edtPesquisa"), Qt::Key_Escape);
        else if (way == QStringLiteral("confirmar"))
            QTest::mouseClick(button(w.window.get(), "btnConfirmar"), Qt::LeftButton);
        else
            QTest::keyClick(editor(w.window.get(), "edtPesquisa"), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(s.dialogs.messages, QStringList{message});
        QVERIFY(w.window->isVisible());
        QVERIFY(!w.hasSelection());
        QVERIFY(!w.cancelled());
        QCOMPARE(w.chosenInDm(), 0);
        QVERIFY(s.openEventOfOrganizer().isNull());
    }

    void startUpWindowCancelled_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("championship") << "championship";
        QTest::newRow("event") << "event";
    }
    void startUpWindowCancelled() {
        QFETCH(QString, window);
        Station s;
        StartUpWindow w = startUpWindow(window, s);
        QVERIFY(showAndWait(*w.window));
        QTest::mouseClick(button(w.window.get(), "btnCancelar"), Qt::LeftButton);
        QTRY_VERIFY(!w.window->isVisible());
        QVERIFY(w.cancelled());
        QVERIFY(!w.hasSelection());
        QCOMPARE(w.window->result(), int(QDialog::Rejected));
        QCOMPARE(w.chosenInDm(), 0);
        QVERIFY(s.dialogs.messages.isEmpty());
    }

    // ---- event ------------------------------------------------------------

    void eventListOfTheCurrentChampionship_data() {
        QTest::addColumn<int>("championship");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("newest first") << 1 << ""
                                      << QStringList{QStringLiteral("2ª Etapa | 12/12/2026"),
                                                     QStringLiteral("1ª Etapa | 14/11/2026")};
        QTest::newRow("other championship")
            << 2 << "" << QStringList{QStringLiteral("Etapa Única | 23/08/2025")};
        QTest::newRow("search text at opening")
            << 1 << "2ª etapa" << QStringList{QStringLiteral("2ª Etapa | 12/12/2026")};
        QTest::newRow("quote injection at opening") << 1 << "x' or '1'='1" << QStringList{};
    }
    void eventListOfTheCurrentChampionship() {
        QFETCH(int, championship);
        QFETCH(QString, search);
        QFETCH(QStringList, listed);
        Station s;
        s.chooseChampionship(championship);
        TfrmBuscaEvento w(&s.dm);
        QLineEdit* edt = editor(&w, "edtPesquisa");
        edt->setText(search);
        QVERIFY(showAndWait(w));
        QTableWidget* g = grid(&w, "dbgEvento");
        QCOMPARE(rowsOf(g), listed);
        QCOMPARE(g->currentRow(), listed.isEmpty() ? -1 : 0);
        QCOMPARE(w.focusWidget(), edt);
        // Typing shows capitals but leaves the list as it opened.
        edt->clear();
        QTest::keyClicks(edt, QStringLiteral("zz"));
        QCOMPARE(edt->text(), QStringLiteral("ZZ"));
        QCOMPARE(rowsOf(g), listed);
        QVERIFY(s.dialogs.messages.isEmpty());
    }

    void eventConfirmOpensTheEventAndRemembersIt_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("event");
        QTest::newRow("Enter at once") << "enter" << 2;
        QTest::newRow("arrow from the editor, Confirmar") << "down Confirmar" << 1;
    }
    void eventConfirmOpensTheEventAndRemembersIt() {
        QFETCH(QString, how);
        QFETCH(int, event);
        Station s;
        s.chooseChampionship(1);
        s.tdb.sql().execute(QStringLiteral(
            "insert into desclassicados (COD_EVENTO, COD_CATEGORIA, COD_PILOTO, MOTIVO) "
            "values (1, 2, 3, 'teste')"));
        TfrmBuscaEvento w(&s.dm);
        QVERIFY(showAndWait(w));
        if (how == QStringLiteral("enter")) {
            QTest::keyClick(w.focusWidget(), Qt::Key_Return);
        } else {
            QTest::keyClick(editor(&w, "edtPesquisa"), Qt::Key_Down);
            QTest::mouseClick(button(&w, "btnConfirmar"), Qt::LeftButton);
        }
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(w.hasSelection());
        QCOMPARE(s.dm.eventCode(), event);
        QCOMPARE(s.dm.qryEvento->rowCount(), 1);
        QCOMPARE(s.dm.championshipCode(), 1);
        QCOMPARE(s.openEventOfOrganizer().toInt(), event);
        // The event's own lists followed it.
        QCOMPARE(s.dm.qryDesclassificados->rowCount(), event == 1 ? 1 : 0);
        QVERIFY(s.dialogs.messages.isEmpty());
    }

    // ---- start-up path, modal --------------------------------------------

    void startUpChoosesTheNewestEventWithTwoEnters() {
        Station s;
        auto enterInto = [](QWidget* modal) {
            QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
            QTest::keyClick(target, Qt::Key_Return);
            // A refused Enter must fail the test, not hang it in exec().
            QTimer::singleShot(3000, modal, [modal] {
                if (modal->isVisible()) static_cast<QDialog*>(modal)->done(QDialog::Rejected);
            });
        };
        TfrmBuscaCampeonato championship(&s.dm);
        uitest::whenModal(enterInto);
        QCOMPARE(championship.exec(), int(QDialog::Accepted));
        TfrmBuscaEvento event(&s.dm);
        uitest::whenModal(enterInto);
        QCOMPARE(event.exec(), int(QDialog::Accepted));
        QCOMPARE(s.dm.championshipCode(), 1);
        QCOMPARE(s.dm.eventCode(), 2);
        QCOMPARE(s.openEventOfOrganizer().toInt(), 2);
    }

    // ---- category picker --------------------------------------------------

    void categoryPickerFiltersBySigla_data() {
        QTest::addColumn<int>("championship");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("siglas");
        const QStringList all{QStringLiteral("FL"),    QStringLiteral("HC"),   QStringLiteral("MM75"),
                              QStringLiteral("ONT"),   QStringLiteral("SHARK"), QStringLiteral("ST10"),
                              QStringLiteral("T75"),   QStringLiteral("TR")};
        QTest::newRow("all, by sigla") << 1 << "" << all;
        QTest::newRow("lower case") << 1 << "t"
                                    << QStringList{QStringLiteral("ONT"), QStringLiteral("ST10"),
                                                   QStringLiteral("T75"), QStringLiteral("TR")};
        QTest::newRow("inside the sigla")
            << 1 << "75" << QStringList{QStringLiteral("MM75"), QStringLiteral("T75")};
        // LIV also has an L, but belongs to championship 2.
        QTest::newRow("current championship only") << 1 << "L" << QStringList{QStringLiteral("FL")};
        QTest::newRow("other championship") << 2 << "" << QStringList{QStringLiteral("LIV")};
        QTest::newRow("no match") << 1 << "ZZ" << QStringList{};
        QTest::newRow("percent") << 1 << "%" << QStringList{};
        QTest::newRow("quote injection") << 1 << "x' or '1'='1" << QStringList{};
    }
    void categoryPickerFiltersBySigla() {
        QFETCH(int, championship);
        QFETCH(QString, typed);
        QFETCH(QStringList, siglas);
        Station s;
        s.chooseChampionship(championship);
        TfrmBuscaCateg w(&s.dm);
        QVERIFY(showAndWait(w));
        QLineEdit* edt = editor(&w, "edtSigla");
        QTest::keyClicks(edt, typed);
        QCOMPARE(edt->text(), typed.toUpper());
        QTableWidget* g = grid(&w, "dbgCateg");
        QStringList shown;
        for (int r = 0; r < g->rowCount(); ++r) shown << g->item(r, 0)->text();
        QCOMPARE(shown, siglas);
        QCOMPARE(g->currentRow(), siglas.isEmpty() ? -1 : 0);
    }

    void categoryPickerResult_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("clickRow");  // -1: leave the first row current
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("category");
        QTest::addColumn<double>("minimumTime");
        QTest::addColumn<int>("result");
        const int accepted = QDialog::Accepted;
        const int rejected = QDialog::Rejected;
        QTest::newRow("Enter at once") << "" << -1 << "enter" << 1 << "Força Livre" << 0.0 << accepted;
        QTest::newRow("sigla, Enter")
            << "t75" << -1 << "enter" << 2 << "Turbo Índice 7.5" << 7.5 << accepted;
        QTest::newRow("click, Confirmar")
            << "t" << 2 << "confirmar" << 2 << "Turbo Índice 7.5" << 7.5 << accepted;
        QTest::newRow("click, Enter in the grid")
            << "t" << 2 << "grid enter" << 2 << "Turbo Índice 7.5" << 7.5 << accepted;
        QTest::newRow("double click")
            << "" << 2 << "double click" << 6 << "Mata-Mata Turbo 7.5" << 7.5 << accepted;
        QTest::newRow("Confirmar on an empty list") << "zz" << -1 << "confirmar" << 0 << "" << 0.0 << accepted;
        QTest::newRow("Cancelar after a click") << "" << 2 << "cancelar" << 0 << "" << 0.0 << rejected;
        QTest::newRow("Escape") << "t75" << -1 << "escape" << 0 << "" << 0.0 << rejected;
        QTest::newRow("close box") << "" << -1 << "close" << 0 << "" << 0.0 << rejected;
    }
    void categoryPickerResult() {
        QFETCH(QString, typed);
        QFETCH(int, clickRow);
        QFETCH(QString, how);
        QFETCH(int, code);
        QFETCH(QString, category);
        QFETCH(double, minimumTime);
        QFETCH(int, result);
        Station s;
        s.chooseChampionship(1);
        TfrmBuscaCateg w(&s.dm);
        QVERIFY(showAndWait(w));
        QLineEdit* edt = editor(&w, "edtSigla");
        QTableWidget* g = grid(&w, "dbgCateg");
        QTest::keyClicks(edt, typed);
        if (clickRow >= 0 && how != QStringLiteral("double click"))
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, clickRow));
        if (how == QStringLiteral("enter"))
            QTest::keyClick(edt, Qt::Key_Return);
        else if (how == QStringLiteral("confirmar"))
            QTest::mouseClick(button(&w, "btnConfirmar"), Qt::LeftButton);
        else if (how == QStringLiteral("grid enter"))
            QTest::keyClick(g, Qt::Key_Return);
        else if (how == QStringLiteral("double click"))
            doubleClickRow(g, clickRow);
        else if (how == QStringLiteral("cancelar"))
            QTest::mouseClick(button(&w, "btnCancelar"), Qt::LeftButton);
        else if (how == QStringLiteral("escape"))
            QTest::keyClick(edt, Qt::Key_Escape);
        else
            w.close();
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.result(), result);
        QCOMPARE(w.chosenCode(), code);
        QCOMPARE(w.chosenCategory(), category);
        QCOMPARE(w.chosenMinimumTime(), minimumTime);
        QVERIFY(s.dialogs.messages.isEmpty());
    }

    void categoryPickerStartsOverWhenShownAgain() {
        Station s;
        s.chooseChampionship(1);
        TfrmBuscaCateg w(&s.dm);
        QVERIFY(showAndWait(w));
        QLineEdit* edt = editor(&w, "edtSigla");
        QTest::keyClicks(edt, QStringLiteral("t75"));
        QTest::keyClick(edt, Qt::Key_Return);
        QCOMPARE(w.chosenCode(), 2);
        QVERIFY(showAndWait(w));
        QCOMPARE(edt->text(), QString());
        QCOMPARE(grid(&w, "dbgCateg")->rowCount(), 8);
        QCOMPARE(w.focusWidget(), edt);
        QTest::mouseClick(button(&w, "btnCancelar"), Qt::LeftButton);
        QCOMPARE(w.chosenCode(), 0);  // a cancelled second pick does not keep the first choice
        QCOMPARE(w.chosenCategory(), QString());
    }
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
