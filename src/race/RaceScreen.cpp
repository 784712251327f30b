#include "race/RaceContext.h"

#include "core/NumberText.h"

namespace {

const QString kZeroTime = QStringLiteral("0.000");
const QString kZeroSpeed = QStringLiteral("0,0");

}  // namespace

void captionAlignByVersion(ScreenModel& screen, const QString& controllerVersion) {
    const QString button = QStringLiteral("btnAlinhar");
    if (numtext::parse(controllerVersion) <= 4.3) {
        screen.setText(button, QStringLiteral("Alinhar"));
        screen.setPicture(button, QStringLiteral("align"));
    } else {
        screen.setText(button, QStringLiteral("Check"));
        screen.setPicture(button, QStringLiteral("check"));
    }
}

void resetRaceScreen(ScreenModel& s) {
    for (const QString& x : {QStringLiteral("A"), QStringLiteral("B")}) {
        for (const char* label : {"lblR", "lblP", "lbl50", "lbl100", "lblPista", "lblF"})
            s.setText(QLatin1String(label) + x, kZeroTime);
        for (const char* label : {"lblV", "lblVB", "lblVC"}) s.setText(QLatin1String(label) + x, kZeroSpeed);
        s.setText(QStringLiteral("lblStatus") + x, QString());
        s.setText(QStringLiteral("lblPos") + x, QString());
        s.setText(QStringLiteral("lblPiloto") + x, QString());
        s.setText(QStringLiteral("lbltmpDial") + x, kZeroTime);
        s.setText(QStringLiteral("lblMelhorTempo") + x, kZeroTime);
        s.setText(QStringLiteral("edtPlaca") + x, QString());
        s.setEnabled(QStringLiteral("edtPlaca") + x, false);
        s.setText(QStringLiteral("ckWO") + x, QStringLiteral("N"));
        for (const char* picture : {"imgStatus%1V", "imgStatus%1Q", "imgStatus%1D", "imgPreStage%1", "imgStage%1"})
            s.hide(QString::fromLatin1(picture).arg(x));
        // Built by concatenation: in "spA%11" arg() would fill placeholder 11.
        s.hide(QStringLiteral("spQ") + x);
        s.hide(QStringLiteral("spVE") + x);
        for (const char* amber : {"1", "2", "3"}) s.hide(QStringLiteral("spA") + x + QLatin1String(amber));
        for (const char* point : {"C", "D", "E", "F", "G", "I", "J"})
            s.setColor(QStringLiteral("spE_") + x + QLatin1String(point), QStringLiteral("green"));

        // Lane loading: no category yet, no heat, no knockout round.
        s.setText(QStringLiteral("lblCateg") + x, x == u"A" ? QStringLiteral("Selecione Categoria (F2)")
                                                            : QStringLiteral("Selecione Categoria (F3)"));
        for (const char* item : {"DBLBoxCat", "cbBateria", "cbRound", "lblRaceNum", "lblVeiculo", "lblDial"})
            s.setText(QLatin1String(item) + x, QString());
        for (const char* item : {"lblRound", "cbRound", "lblRace", "lblRaceNum", "lblAviso"})
            s.hide(QLatin1String(item) + x);
    }
    s.show(QStringLiteral("spMataMata"));
    s.setColor(QStringLiteral("spMataMata"), QStringLiteral("red"));
    s.hide(QStringLiteral("spAzul"));
    s.setText(QStringLiteral("lblContA"), QString());
    s.setText(QStringLiteral("Label12"), QStringLiteral("0,00"));
    s.setText(QStringLiteral("lblTreeMode"), QStringLiteral("----"));
    s.show(QStringLiteral("imgAutoStartOff"));
    s.hide(QStringLiteral("imgAutoStartOn"));
    s.show(QStringLiteral("imgPlacarOff"));
    s.hide(QStringLiteral("imgPlacarOn"));
    s.show(QStringLiteral("imgCatAleOff"));
    s.hide(QStringLiteral("imgCatAleOn"));
    s.setText(QStringLiteral("edtContagem"), QStringLiteral("03:00"));
    s.setText(QStringLiteral("btnContagem"), QStringLiteral("START"));
    s.setText(QStringLiteral("edtPenalAProsolo"), QStringLiteral("0"));
    // The save prints the ticket by itself only when the operator asks.
    s.setText(QStringLiteral("ckTicketAuto"), QStringLiteral("N"));

    // The idle toolbar: a pair can be started; nothing to save or cancel yet.
    s.setText(QStringLiteral("btnNova"), QStringLiteral("Nova Largada"));
    s.setEnabled(QStringLiteral("btnNova"), true);
    s.setText(QStringLiteral("btnAlinhar"), QStringLiteral("Check"));
    s.setPicture(QStringLiteral("btnAlinhar"), QStringLiteral("check"));
    s.setEnabled(QStringLiteral("btnAlinhar"), true);
    s.setText(QStringLiteral("btnLargada"), QStringLiteral("Largada"));
    s.setEnabled(QStringLiteral("btnLargada"), true);
    s.setText(QStringLiteral("btnSalvar"), QStringLiteral("Salvar (F4)"));
    s.setEnabled(QStringLiteral("btnSalvar"), false);
    s.setText(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));
    s.setEnabled(QStringLiteral("btnCancelar"), false);
    s.setText(QStringLiteral("btnLerDados"), QStringLiteral("Ler Dados"));
    s.setText(QStringLiteral("btnConetaCom"), QStringLiteral("OFF"));
    s.setEnabled(QStringLiteral("btnConetaCom"), true);
    s.setText(QStringLiteral("btnTrocaPista"), QStringLiteral("Troca Lado "));
}
