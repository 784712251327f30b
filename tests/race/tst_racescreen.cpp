#include "DemoStation.h"
#include "Pty.h"
#include "app/VudApplication.h"
#include "app/uDM.h"
#include "platform/Clock.h"
#include "race/ControllerProtocol.h"
#include "race/RaceActions.h"
#include "race/RaceButton.h"
#include "race/SerialLink.h"
#include "race/HubClient.h"
#include "race/uPrincipal.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

/// What an operator sees of one property of a widget, for the rendering table.
QVariant seen(QWidget* w, const QString& what) {
    if (what == u"text") {
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        if (auto* e = qobject_cast<QLineEdit*>(w))
            return e->text();
    }
    if (what == u"hidden")
        return w->isHidden();
    if (what == u"enabled")
        return w->isEnabled();
    if (what == u"checked")
        return qobject_cast<QCheckBox*>(w)->isChecked();
    if (what == u"pointSize")
        return w->font().pointSize();
    if (what == u"icon") {
        // The picture whose drawing the button shows, among those the rules name.
        const QImage shown = qobject_cast<QAbstractButton*>(w)->icon().pixmap(24).toImage();
        for (const char* name : {"align", "check", "abort"})
            if (RaceButton::pictureIcon(QString::fromLatin1(name)).pixmap(24).toImage() == shown)
                return QString::fromLatin1(name);
        return QString();
    }
    return w->property(qPrintable(what));  // "lit", "colorName"
}

/// One step of a rule on the model: "text:…", "show", "hide", "enable",
/// "disable", "color:…", "picture:…", "font:…".
void apply(ScreenModel& s, const QString& item, const QString& step) {
    const QString arg = step.section(u':', 1);
    if (step.startsWith(u"text:"))
        s.setText(item, arg);
    else if (step == u"show")
        s.show(item);
    else if (step == u"hide")
        s.hide(item);
    else if (step == u"enable")
        s.setEnabled(item, true);
    else if (step == u"disable")
        s.setEnabled(item, false);
    else if (step.startsWith(u"color:"))
        s.setColor(item, arg);
    else if (step.startsWith(u"picture:"))
        s.setPicture(item, arg);
    else if (step.startsWith(u"font:"))
        s.setFontSize(item, arg.toInt());
    else
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
}

}  // namespace

class TestRaceScreen : public QObject {
    Q_OBJECT

    DemoStation m_st;

    std::unique_ptr<TfrmPrincipal> makeWindow() {
        m_st.dm->serverFound = QStringLiteral("S");
        return std::make_unique<TfrmPrincipal>(m_st.dm.get(), m_st.env);
    }

    template <typename T = QWidget>
    static T* child(TfrmPrincipal& w, const char* name) {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qWarning("no widget %s", name);
        return found;
    }

private slots:
    void initTestCase() { m_st.open(); }

    void cleanupTestCase() { m_st.close(); }

    void init() {
        m_st.startTest();
    }

    void cleanup() { m_st.endTest(); }

    void everyItemOfTheRaceScreenHasItsWidget() {
        auto w = makeWindow();
        QStringList missing;
        for (const QString& name : w->screen().names())
            if (!w->findChild<QWidget*>(name))
                missing << name;
        missing.sort();
        QCOMPARE(missing, QStringList());
    }

    void idleDesk() {
        auto w = makeWindow();
        QVERIFY(child(*w, "btnNova")->isEnabled());
        QCOMPARE(child<QAbstractButton>(*w, "btnAlinhar")->text(), QStringLiteral("Check"));
        QCOMPARE(seen(child(*w, "btnAlinhar"), QStringLiteral("icon")),
                 QVariant(QStringLiteral("check")));
        for (const char* name : {"btnSalvar", "btnCancelar", "edtPlacaA", "edtPlacaB"})
            QVERIFY2(!child(*w, name)->isEnabled(), name);
        QCOMPARE(child<QLabel>(*w, "lblRA")->text(), QStringLiteral("0.000"));
        QCOMPARE(child<QLabel>(*w, "lblVB")->text(), QStringLiteral("0,0"));
        QCOMPARE(child<QLineEdit>(*w, "edtContagem")->text(), QStringLiteral("03:00"));
        QCOMPARE(child<QAbstractButton>(*w, "btnContagem")->text(), QStringLiteral("START"));
        QCOMPARE(child<QAbstractButton>(*w, "btnConetaCom")->text(), QStringLiteral("OFF"));
        // The tree is there, every lamp out.
        for (const char* lamp : {"spQA", "spAA1", "spAB3", "spVEB", "spAzul", "imgStageA"}) {
            QVERIFY2(!child(*w, lamp)->isHidden(), lamp);
            QVERIFY2(!child(*w, lamp)->property("lit").toBool(), lamp);
        }
        QVERIFY(!child(*w, "imgAutoStartOff")->isHidden());
        QVERIFY(child(*w, "imgAutoStartOn")->isHidden());
        QVERIFY(child(*w, "imgStatusAV")->isHidden());
        QVERIFY(child(*w, "btnTrocaPista")->isHidden());
    }

    void modelChangeReachesTheWidget_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("time label")
            << "lblRA" << QStringList{"text:0.512"} << "text" << QVariant("0.512");
        QTest::newRow("speed label")
            << "lblVB" << QStringList{"text:812,3"} << "text" << QVariant("812,3");
        QTest::newRow("time label hidden")
            << "lblPA" << QStringList{"hide"} << "hidden" << QVariant(true);
        QTest::newRow("status text")
            << "lblStatusB" << QStringList{"text:Queimou"} << "text" << QVariant("Queimou");
        QTest::newRow("status picture shown")
            << "imgStatusAV" << QStringList{"show"} << "hidden" << QVariant(false);
        QTest::newRow("toggle picture hidden")
            << "imgAutoStartOff" << QStringList{"hide"} << "hidden" << QVariant(true);
        QTest::newRow("lamp lit") << "spQA" << QStringList{"show"} << "lit" << QVariant(true);
        QTest::newRow("lamp out") << "spAA1" << QStringList{"show", "hide"} << "lit"
                                  << QVariant(false);
        QTest::newRow("lamp out stays on the tree")
            << "spAA1" << QStringList{"show", "hide"} << "hidden" << QVariant(false);
        QTest::newRow("stage bulb lit")
            << "imgPreStageB" << QStringList{"show"} << "lit" << QVariant(true);
        QTest::newRow("sensor dot red")
            << "spE_AJ" << QStringList{"color:red"} << "colorName" << QVariant("red");
        QTest::newRow("sensor dot back to green")
            << "spE_BC" << QStringList{"color:red", "color:green"} << "colorName"
            << QVariant("green");
        QTest::newRow("button caption")
            << "btnAlinhar" << QStringList{"text:Abortar"} << "text" << QVariant("Abortar");
        QTest::newRow("button picture")
            << "btnAlinhar" << QStringList{"picture:abort"} << "icon" << QVariant("abort");
        QTest::newRow("button disabled")
            << "btnLargada" << QStringList{"disable"} << "enabled" << QVariant(false);
        QTest::newRow("button shown")
            << "btnTrocaPista" << QStringList{"show"} << "hidden" << QVariant(false);
        QTest::newRow("countdown caption")
            << "btnContagem" << QStringList{"text:STOP"} << "text" << QVariant("STOP");
        QTest::newRow("walk-over ticked")
            << "ckWOA" << QStringList{"text:S"} << "checked" << QVariant(true);
        QTest::newRow("walk-over cleared")
            << "ckWOB" << QStringList{"text:S", "text:N"} << "checked" << QVariant(false);
        QTest::newRow("plate entry")
            << "edtPlacaB" << QStringList{"text:88"} << "text" << QVariant("88");
        QTest::newRow("plate entry enabled")
            << "edtPlacaA" << QStringList{"enable"} << "enabled" << QVariant(true);
        QTest::newRow("countdown entry")
            << "edtContagem" << QStringList{"text:00:59"} << "text" << QVariant("00:59");
        QTest::newRow("auto-start text size")
            << "lblContA" << QStringList{"font:28"} << "pointSize" << QVariant(28);
        QTest::newRow("controller version in the status bar")
            << "pnlStatus3" << QStringList{"text:4.31"} << "text" << QVariant("4.31");
        QTest::newRow("countdown seconds in the status bar")
            << "pnlStatus0" << QStringList{"text:179"} << "text" << QVariant("179");
    }
    void modelChangeReachesTheWidget() {
        QFETCH(QString, item);
        QFETCH(QStringList, steps);
        QFETCH(QString, what);
        QFETCH(QVariant, expected);
        auto w = makeWindow();
        for (const QString& step : steps) apply(w->screen(), item, step);
        QWidget* widget = w->findChild<QWidget*>(item);
        QVERIFY(widget);
        QCOMPARE(seen(widget, what).toString(), expected.toString());
    }

    void aRuleTouchingOneFlagKeepsTheLayoutsText() {
        auto w = makeWindow();
        ScreenModel& s = w->screen();
        // The first thing any rule says about these items is a flag.
        s.setEnabled(QStringLiteral("edtBonusA"), true);
        s.show(QStringLiteral("lblVersaoJeep"));
        s.show(QStringLiteral("imgProsolo"));
        s.setEnabled(QStringLiteral("ToolButton3"), false);
        QCOMPARE(child<QLineEdit>(*w, "edtBonusA")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLabel>(*w, "lblVersaoJeep")->text(), QStringLiteral("Versão JEEP"));
        QVERIFY(!child<QLabel>(*w, "imgProsolo")->pixmap().isNull());
        QCOMPARE(child<QAbstractButton>(*w, "ToolButton3")->text(), QStringLiteral("Check"));
    }

    void operatorEditsReachTheModel() {
        auto w = makeWindow();
        ScreenModel& s = w->screen();
        s.setEnabled(QStringLiteral("edtPlacaA"), true);
        auto* plate = child<QLineEdit>(*w, "edtPlacaA");
        QTest::keyClicks(plate, QStringLiteral("127"));
        QCOMPARE(s.text(QStringLiteral("edtPlacaA")), QStringLiteral("127"));
        QTest::keyClick(plate, Qt::Key_Backspace);
        QCOMPARE(s.text(QStringLiteral("edtPlacaA")), QStringLiteral("12"));

        auto* walkOver = child<QCheckBox>(*w, "ckWOB");
        walkOver->click();
        QCOMPARE(s.text(QStringLiteral("ckWOB")), QStringLiteral("S"));
        walkOver->click();
        QCOMPARE(s.text(QStringLiteral("ckWOB")), QStringLiteral("N"));

        // The countdown reads its entry from the model at every tick.
        auto* countdown = child<QLineEdit>(*w, "edtContagem");
        countdown->selectAll();
        QTest::keyClicks(countdown, QStringLiteral("0130"));
        QCOMPARE(s.text(QStringLiteral("edtContagem")), QStringLiteral("01:30"));
    }

    void connectWithoutAPortAsksForOne() {
        auto w = makeWindow();
        QCOMPARE(child<QComboBox>(*w, "SerialCombo")->currentText(),
                 QStringLiteral("> Selecione <"));
        child<QAbstractButton>(*w, "btnConetaCom")->click();
        QCOMPARE(m_st.dialogs->messages,
                 QStringList{QStringLiteral("Selecione a porta de Comunicação !")});
        QVERIFY(!w->controllerLink().isOpen());
        QVERIFY(child(*w, "btnConetaCom")->isEnabled());
        QCOMPARE(child<QAbstractButton>(*w, "btnConetaCom")->text(), QStringLiteral("OFF"));
    }

    void aPortThatWillNotOpenLeavesConnectEnabled() {
        auto w = makeWindow();
        child<QComboBox>(*w, "SerialCombo")->setEditText(m_st.env.home + QStringLiteral("sem-porta"));
        w->screen().setEnabled(QStringLiteral("btnNova"), false);
        child<QAbstractButton>(*w, "btnConetaCom")->click();
        QVERIFY(!w->controllerLink().isOpen());
        QVERIFY(!w->statusPanelText(0).isEmpty());  // the port's own error text
        QVERIFY(child(*w, "btnConetaCom")->isEnabled());
        QCOMPARE(child<QAbstractButton>(*w, "btnConetaCom")->text(), QStringLiteral("OFF"));
        QVERIFY(!child(*w, "btnNova")->isEnabled());
        QVERIFY(m_st.dialogs->asked.isEmpty());
    }

    /// The whole road of the controller's line: connect, the greeting, a
    /// start, a payload that is no number, the station going on, disconnect.
    void controllerLineEndToEnd() {
        Pty pty;
        QVERIFY(pty.ok());
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->screen().setEnabled(QStringLiteral("btnNova"), false);

        child<QComboBox>(*w, "SerialCombo")->setEditText(pty.path());
        child<QAbstractButton>(*w, "btnConetaCom")->click();
        QVERIFY(w->controllerLink().isOpen());
        QCOMPARE(child<QAbstractButton>(*w, "btnConetaCom")->text(), QStringLiteral("ON"));
        QVERIFY(!child(*w, "btnConetaCom")->isEnabled());
        QVERIFY(child(*w, "btnNova")->isEnabled());
        QCOMPARE(pty.take(13), QByteArray("reler@check@"));

        pty.send("versao:4.5\n");
        QTRY_COMPARE(w->statusPanelText(3), QStringLiteral("4.5"));

        pty.send("Largada\n");
        QTRY_VERIFY(!child(*w, "btnLargada")->isEnabled());
        QVERIFY(child(*w, "spAA1")->property("lit").toBool());
        QVERIFY(child(*w, "spAB1")->property("lit").toBool());

        // A payload that is no number goes to the error handler, and the log with it.
        pty.send("RAx.5\n");
        const QString error = QStringLiteral("'x.5' não é um valor numérico válido");
        QTRY_VERIFY(readAll(m_st.env.home + QStringLiteral("logErro.txt")).contains(error));
        QCOMPARE(w->statusPanelText(0), error);
        QVERIFY(
            readAll(m_st.env.home + QStringLiteral("logErro.txt")).contains(QStringLiteral("#RAx.5")));

        // The port still reads: the next line is shown.
        pty.send("RA0.512\n");
        QTRY_COMPARE(child<QLabel>(*w, "lblRA")->text(), QStringLiteral("0.512"));

        QTest::mouseDClick(child(*w, "lblTreeMode"), Qt::LeftButton);
        QVERIFY(!w->controllerLink().isOpen());
        QVERIFY(child(*w, "btnConetaCom")->isEnabled());
        QCOMPARE(child<QAbstractButton>(*w, "btnConetaCom")->text(), QStringLiteral("ON"));
    }

    void controllerPictureDisconnectsToo() {
        Pty pty;
        QVERIFY(pty.ok());
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        child<QComboBox>(*w, "SerialCombo")->setEditText(pty.path());
        child<QAbstractButton>(*w, "btnConetaCom")->click();
        QVERIFY(w->controllerLink().isOpen());
        QTest::mouseDClick(child(*w, "Image5"), Qt::LeftButton);
        QVERIFY(!w->controllerLink().isOpen());
        QVERIFY(child(*w, "btnConetaCom")->isEnabled());
    }

    void functionKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("saveEnabled");
        QTest::addColumn<bool>("held");
        QTest::addColumn<int>("saves");
        QTest::addColumn<bool>("newRace");
        QTest::newRow("F4 while save is disabled")
            << int(Qt::Key_F4) << false << false << 0 << false;
        QTest::newRow("F4 while save is enabled") << int(Qt::Key_F4) << true << false << 1 << false;
        QTest::newRow("F4 held down saves once") << int(Qt::Key_F4) << true << true << 0 << false;
        QTest::newRow("F1 starts a new race") << int(Qt::Key_F1) << false << false << 0 << true;
    }
    void functionKeys() {
        QFETCH(int, key);
        QFETCH(bool, saveEnabled);
        QFETCH(bool, held);
        QFETCH(int, saves);
        QFETCH(bool, newRace);
        auto w = makeWindow();
        int saved = 0;
        w->raceActions().hooks.save = [&saved] { ++saved; };
        w->screen().setEnabled(QStringLiteral("btnSalvar"), saveEnabled);
        // Whatever has the focus: here the countdown entry, which takes digits.
        QWidget* focus = child(*w, "edtContagem");
        if (held) {
            QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(focus, &repeat);
        } else {
            QTest::keyClick(focus, Qt::Key(key));
        }
        QCOMPARE(saved, saves);
        QCOMPARE(!child(*w, "btnNova")->isEnabled(), newRace);
        QCOMPARE(child<QLineEdit>(*w, "edtContagem")->text(), QStringLiteral("03:00"));
    }

    void buttonsAndPicturesReachTheRace() {
        auto w = makeWindow();
        w->applyActivation();  // opens the hub and the station's connection to it
        QTRY_VERIFY(w->publisher().isConnected());
        child<QAbstractButton>(*w, "btnNova")->click();
        QVERIFY(!child(*w, "btnNova")->isEnabled());
        QVERIFY(child(*w, "btnSalvar")->isEnabled());
        QVERIFY(child(*w, "edtPlacaA")->isEnabled());
        // The hub relays the station's own message back to it.
        QTRY_VERIFY(w->recentMessages().contains(QStringLiteral("Nova:D@")));

        child<QAbstractButton>(*w, "btnCancelar")->click();
        QVERIFY(child(*w, "btnNova")->isEnabled());
        QVERIFY(!child(*w, "edtPlacaA")->isEnabled());

        QTest::mouseClick(child(*w, "imgCatAleOff"), Qt::LeftButton);
        QCOMPARE(w->racePair().randomCategory, QStringLiteral("S"));
        QVERIFY(!child(*w, "imgCatAleOn")->isHidden());
        QVERIFY(child(*w, "imgCatAleOff")->isHidden());

        child<QAbstractButton>(*w, "btnContagem")->click();
        QCOMPARE(child<QAbstractButton>(*w, "btnContagem")->text(), QStringLiteral("STOP"));
        child<QAbstractButton>(*w, "btnContagem")->click();
        QCOMPARE(child<QLineEdit>(*w, "edtContagem")->text(), QStringLiteral("05:00"));
    }

    void lanePictureShowsTheRunLog() {
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->applyActivation();
        QTRY_VERIFY(w->publisher().isConnected());
        auto* log = child<QListWidget>(*w, "lstLog");
        QVERIFY(child(*w, "pnlLog")->isHidden());

        child<QAbstractButton>(*w, "btnNova")->click();
        QTest::mouseDClick(child(*w, "Image3"), Qt::LeftButton);
        QVERIFY(!child(*w, "pnlLog")->isHidden());
        QCOMPARE(log->count(), w->runLog.lines().size());
        QVERIFY(log->item(0)->text().endsWith(QStringLiteral("#BTN-Nova_Largada!")));
        QTRY_VERIFY(!w->recentMessages().isEmpty());
        auto* diag = child<QListWidget>(*w, "lstDiagnostico");
        QTRY_VERIFY(diag->count() > 0);
        QCOMPARE(diag->item(0)->text(), w->recentMessages().first());

        // New lines follow while it is open.
        w->runLog.append(QStringLiteral("09:00:00#RA0.512"));
        QTRY_COMPARE(log->count(), w->runLog.lines().size());

        QTest::mouseDClick(child(*w, "Image1"), Qt::LeftButton);
        QVERIFY(child(*w, "pnlLog")->isHidden());
    }
};

int main(int argc, char** argv) {
    // The application object that catches errors escaping event handlers.
    VudApplication app(argc, argv);
    TestRaceScreen test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_racescreen.moc"
