#include "uCadCampeonatos.h"

#include "app/uDM.h"
#include "db/Query.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using platform::RegistrationWindow;

namespace {

db::Query* championships(DM* dm) {
    auto* q = new db::Query(&dm->connection(),
                            QStringLiteral("select * from campeonato\norder by codigo desc"));
    q->setObjectName(QStringLiteral("QryCampeonato"));
    q->setTable(QStringLiteral("campeonato"));
    // A championship holds its events, categories and vehicles: one click on
    // "Delete" must not take it away unasked.
    q->setBeforeDelete(&DM::confirmDeletion);
    return q;
}

const QList<platform::RadioGroupBinding::Choice> kYesNo{
    {QStringLiteral("SIM"), QStringLiteral("S")}, {QStringLiteral("NAO"), QStringLiteral("N")}};

}  // namespace

TfrmCadCampeonato::TfrmCadCampeonato(DM* dm, QWidget* parent)
    : RegistrationWindow(championships(dm),
                         {.objectName = QStringLiteral("frmCadCampeonato"),
                          .caption = QStringLiteral("Cadastro de Campeonatos"),
                          .size = QSize(760, 580),
                          .fixedSize = true,
                          .gridName = QStringLiteral("dbgCampeonatos"),
                          .gridColumns = {{.field = QStringLiteral("CAMPEONATO"), .stretch = true},
                                          {.field = QStringLiteral("JEEP"), .width = 70},
                                          {.field = QStringLiteral("LARG_LANCADA"),
                                           .title = QStringLiteral("ROLL START"),
                                           .width = 100},
                                          {.field = QStringLiteral("PROSOLO"), .width = 90}}},
                         parent) {
    QLineEdit* name =
        addLineEdit(QStringLiteral("edtCampeonato"), QStringLiteral("CAMPEONATO"), 75);
    QLineEdit* sponsor =
        addLineEdit(QStringLiteral("edtPatrocinador"), QStringLiteral("PATROCINADOR"), 30);
    QGroupBox* rollingStart =
        addRadioGroup(QStringLiteral("rgRollingStart"), QStringLiteral(" Rolling Start "),
                      QStringLiteral("LARG_LANCADA"), kYesNo);
    QLineEdit* limit =
        addIntegerEdit(QStringLiteral("edtLimite"), QStringLiteral("VEL_MAX_LANCADO"));
    limit->setMaximumWidth(70);
    QGroupBox* prosolo = addRadioGroup(QStringLiteral("rgProsolo"), QStringLiteral(" Prosolo "),
                                       QStringLiteral("PROSOLO"), kYesNo);
    QPlainTextEdit* details =
        addMemo(QStringLiteral("memDetalhes"), QStringLiteral("DETALHES"), 250);
    details->setFixedHeight(72);

    auto* options = new QHBoxLayout;
    options->setSpacing(12);
    options->addWidget(rollingStart);
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(addLabel(QStringLiteral("Limite: "), limit));
    limitRow->addWidget(limit);
    limitRow->addWidget(new QLabel(QStringLiteral("Km/h"), form()));
    options->addLayout(limitRow);
    options->addSpacing(12);
    options->addWidget(prosolo);
    options->addStretch(1);

    auto* layout = new QGridLayout(form());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setHorizontalSpacing(8);
    layout->addWidget(addLabel(QStringLiteral("Campeonato:"), name), 0, 0);
    layout->addWidget(name, 0, 1);
    layout->addWidget(addLabel(QStringLiteral("Patrocionio:"), sponsor), 1, 0);
    layout->addWidget(sponsor, 1, 1, Qt::AlignLeft);
    sponsor->setMinimumWidth(280);
    layout->addLayout(options, 2, 1);
    QLabel* detailsLabel = addLabel(QStringLiteral("Detalhes:"), details);
    detailsLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(detailsLabel, 3, 0);
    layout->addWidget(details, 3, 1);
    layout->setColumnStretch(1, 1);

    setEnterChain({name, sponsor, rollingStart, limit, prosolo});
    setInsertFocus(name);
}

/// The list is read afresh each time the window opens.
void TfrmCadCampeonato::activated() {
    query()->close();
    query()->open();
}

void TfrmCadCampeonato::insertDefaults() {
    setField(QStringLiteral("VEL_MAX_LANCADO"), 0);
    setField(QStringLiteral("JEEP"), QStringLiteral("N"));
    setField(QStringLiteral("LARG_LANCADA"), QStringLiteral("N"));
    setField(QStringLiteral("PROSOLO"), QStringLiteral("N"));
}
