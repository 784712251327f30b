#include "RaceToolBar.h"

#include "race/ClickableLabel.h"
#include "race/PortComboBox.h"
#include "race/RaceButton.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {

QFrame* separator() {
    auto* line = new QFrame;
    line->setProperty("role", QStringLiteral("separator"));
    line->setFixedWidth(1);
    return line;
}

QLabel* badge(const QString& name, const QString& text, const QString& tip) {
    auto* l = new QLabel(text);
    l->setObjectName(name);
    l->setProperty("role", QStringLiteral("badge"));
    l->setAlignment(Qt::AlignCenter);
    l->setToolTip(tip);
    return l;
}

}  // namespace

RaceToolBar::RaceToolBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("tbCorrida"));
    btnNova = new RaceButton(QStringLiteral("btnNova"), QStringLiteral("Nova Largada"),
                             QStringLiteral("nova"), QStringLiteral("F1"));
    btnAlinhar = new RaceButton(QStringLiteral("btnAlinhar"), QStringLiteral("Check"),
                                QStringLiteral("check"));
    btnLargada = new RaceButton(QStringLiteral("btnLargada"), QStringLiteral("Largada"),
                                QStringLiteral("largada"));
    btnSalvar = new RaceButton(QStringLiteral("btnSalvar"), QStringLiteral("Salvar (F4)"),
                               QStringLiteral("salvar"), QStringLiteral("F4"));
    btnCancelar = new RaceButton(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"),
                                 QStringLiteral("cancelar"));
    btnLerDados = new RaceButton(QStringLiteral("btnLerDados"), QStringLiteral("Ler Dados"),
                                 QStringLiteral("lerdados"));
    ToolButton3 = new RaceButton(QStringLiteral("ToolButton3"), QStringLiteral("Check"),
                                 QStringLiteral("sensores"));
    btnFecharPista = new RaceButton(QStringLiteral("btnFecharPista"),
                                    QStringLiteral("Fechar Pista"), QStringLiteral("fecharpista"));
    btnTrocaPista = new RaceButton(QStringLiteral("btnTrocaPista"), QStringLiteral("Troca Lado "),
                                   QStringLiteral("trocapista"));
    btnTicket = new RaceButton(QStringLiteral("btnTicket"), QStringLiteral("Ticket (F5)"),
                               QStringLiteral("ticket"), QStringLiteral("F5"));
    btnMiniPlacar = new RaceButton(QStringLiteral("btnMiniPlacar"), QStringLiteral(" Mini-Placar"),
                                   QStringLiteral("miniplacar"));
    // The buttons that move the race on are the ones the operator looks for
    // under pressure: they get the stronger frame.
    for (RaceButton* b : {btnNova, btnAlinhar, btnLargada, btnSalvar})
        b->setProperty("role", QStringLiteral("primary"));
    btnCancelar->setProperty("role", QStringLiteral("danger"));
    btnTrocaPista->hide();  // jeep championships only

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 8, 6);
    row->setSpacing(4);
    for (RaceButton* b : {btnNova, btnAlinhar, btnLargada, btnSalvar, btnCancelar})
        row->addWidget(b);
    row->addWidget(separator());
    for (RaceButton* b : {btnLerDados, ToolButton3, btnFecharPista, btnTrocaPista, btnTicket})
        row->addWidget(b);
    // The two small extras share one column, so the race buttons keep their
    // whole captions at 1366 pixels.
    ckTicketAuto = new QCheckBox(QStringLiteral("Ticket Auto"), this);
    ckTicketAuto->setObjectName(QStringLiteral("ckTicketAuto"));
    btnMiniPlacar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    btnMiniPlacar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    auto* extras = new QVBoxLayout;
    extras->setSpacing(4);
    extras->addWidget(ckTicketAuto);
    extras->addWidget(btnMiniPlacar);
    row->addLayout(extras);
    row->addStretch(1);
    row->addWidget(buildLink());
}

/// The controller link and the station's identity, at the right end.
QWidget* RaceToolBar::buildLink() {
    auto* box = new QFrame;
    box->setObjectName(QStringLiteral("pnlConexao"));
    Image5 = new ClickableLabel(QStringLiteral("Image5"));
    Image5->setPicture(QStringLiteral(":/ui/controlador.svg"), QSize(40, 40));
    Image5->setToolTip(QStringLiteral("Controlador de largada — duplo clique desconecta"));

    auto* caption = new QLabel(QStringLiteral("Porta do controlador"));
    caption->setObjectName(QStringLiteral("capPorta"));
    caption->setProperty("role", QStringLiteral("caption"));
    SerialCombo = new PortComboBox(QStringLiteral("SerialCombo"));
    SerialCombo->setMinimumWidth(110);
    // Port paths can be long; the combo keeps a fixed share of the toolbar
    // and shows the whole path in its list.
    SerialCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    SerialCombo->setMinimumContentsLength(10);
    SerialCombo->setEditText(QStringLiteral("> Selecione <"));
    btnConetaCom = new QToolButton;
    btnConetaCom->setObjectName(QStringLiteral("btnConetaCom"));
    btnConetaCom->setText(QStringLiteral("OFF"));
    btnConetaCom->setIcon(RaceButton::pictureIcon(QStringLiteral("conectar")));
    btnConetaCom->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnConetaCom->setToolTip(QStringLiteral("Conectar ao controlador"));
    btnConetaCom->setCursor(Qt::PointingHandCursor);

    lblRede =
        badge(QStringLiteral("lblRede"), QStringLiteral("...."), QStringLiteral("Papel na rede"));
    lblEquip =
        badge(QStringLiteral("lblEquip"), QStringLiteral("VUD"), QStringLiteral("Equipamento"));

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(Image5, 0, 0, 2, 1);
    grid->addWidget(caption, 0, 1, 1, 2);
    grid->addWidget(SerialCombo, 1, 1);
    grid->addWidget(btnConetaCom, 1, 2);
    grid->addWidget(lblRede, 0, 3);
    grid->addWidget(lblEquip, 1, 3);
    return box;
}
