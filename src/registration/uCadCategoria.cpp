#include "uCadCategoria.h"

#include "app/uDM.h"
#include "db/Query.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using platform::RegistrationWindow;

namespace {

const QString kChampionshipParam = QStringLiteral("cod_campeonato");

const QList<platform::RadioGroupBinding::Choice> kYesNo{
    {QStringLiteral("SIM"), QStringLiteral("S")}, {QStringLiteral("NAO"), QStringLiteral("N")}};

/// A framed group whose editors the window lays out in `layout`.
QGroupBox* group(const QString& name, const QString& title, QLayout* layout, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    layout->setContentsMargins(8, 4, 8, 6);
    box->setLayout(layout);
    return box;
}

}  // namespace

TfrmCadCategoria::TfrmCadCategoria(DM* dm, QWidget* parent)
    : RegistrationWindow(dm->qryCategoria,
                         {.objectName = QStringLiteral("frmCadCategoria"),
                          .caption = QStringLiteral("Cadastro de Categorias"),
                          .size = QSize(900, 640),
                          .fixedSize = true,
                          .gridName = QStringLiteral("dbgCategorias"),
                          .gridColumns = {{.field = QStringLiteral("CODIGO"), .width = 70},
                                          {.field = QStringLiteral("SIGLA"), .width = 80},
                                          {.field = QStringLiteral("CATEGORIA"), .stretch = true},
                                          {.field = QStringLiteral("TXT_PAINEL"), .width = 100},
                                          {.field = QStringLiteral("TEMPO_MINIMO"),
                                           .width = 110,
                                           .decimals = 3},
                                          {.field = QStringLiteral("MIN_PISTA_TOTAL"),
                                           .title = QStringLiteral("PISTA/TOTAL"),
                                           .width = 100}}},
                         parent),
      m_dm(dm),
      // A knockout category is fed by another one and never feeds one itself.
      // A row whose flag was never written is no knockout category either,
      // which a plain "<> 'S'" would leave out as well.
      m_parents(new db::Query(&dm->connection(),
                              QStringLiteral("select * from categoria\n"
                                             "where COD_CAMPEONATO=:cod_campeonato\n"
                                             "and coalesce(MATA_MATA, 'N')<>'S'\n"
                                             "order by sigla"),
                              this)) {
    m_parents->setObjectName(QStringLiteral("qryCatPai"));

    QLineEdit* code = addReadOnlyEdit(QStringLiteral("edtCodigo"), QStringLiteral("CODIGO"));
    m_sigla = addLineEdit(QStringLiteral("edtSigla"), QStringLiteral("SIGLA"), 5);
    QLineEdit* name = addLineEdit(QStringLiteral("edtCategoria"), QStringLiteral("CATEGORIA"), 50);
    m_scoreboardText = addLineEdit(QStringLiteral("edtTxtPainel"), QStringLiteral("TXT_PAINEL"), 5);
    QLineEdit* minimum =
        addDecimalEdit(QStringLiteral("edtTempoMinimo"), QStringLiteral("TEMPO_MINIMO"), 3);
    QLineEdit* maximum =
        addDecimalEdit(QStringLiteral("edtTempoMax"), QStringLiteral("TEMPO_MAX"), 3);
    QGroupBox* disqualifies =
        addRadioGroup(QStringLiteral("rgDesclassifica"), QStringLiteral(" Desclassifica: "),
                      QStringLiteral("MIN_PISTA_TOTAL"),
                      {{QStringLiteral("Pista"), QStringLiteral("P")},
                       {QStringLiteral("Total (R+P)"), QStringLiteral("T")}});
    QGroupBox* treeMode =
        addRadioGroup(QStringLiteral("rgModoPinheirinho"), QStringLiteral(" Modo Pinherinho "),
                      QStringLiteral("TREE_MODE"),
                      {{QStringLiteral("Pro"), 0},
                       {QStringLiteral("Drag"), 1},
                       {QStringLiteral("Handicap"), 2},
                       {QStringLiteral("Outlaw"), 3}});
    QGroupBox* dialAuto = addRadioGroup(QStringLiteral("rgDialAuto"), QStringLiteral(" DIAL AUTO "),
                                        QStringLiteral("DIAL_AUTO"), kYesNo);

    QComboBox* quantity =
        addChoice(QStringLiteral("cbxQuant"), QStringLiteral("MATA_MATA_QUANT"),
                  {QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("16"),
                   QStringLiteral("32")},
                  true);
    // Two boxes on one column: checking either one unchecks the other.
    QCheckBox* byPosition =
        addCheckBox(QStringLiteral("chkPosicao"), QStringLiteral("Posição"),
                    QStringLiteral("MATA_MATA_ORDENA"), QStringLiteral("P"), QStringLiteral("S"));
    QCheckBox* byDraw =
        addCheckBox(QStringLiteral("chkSorteio"), QStringLiteral("Sorteio"),
                    QStringLiteral("MATA_MATA_ORDENA"), QStringLiteral("S"), QStringLiteral("P"));
    QComboBox* parentCategory =
        addLookup(QStringLiteral("lkpCatPai"), QStringLiteral("CATEG_PAI"), m_parents,
                  QStringLiteral("CODIGO"), QStringLiteral("CATEGORIA"));

    QLineEdit* recordPilot =
        addLineEdit(QStringLiteral("edtRecordPiloto"), QStringLiteral("RECORD_PILOTO"), 100);
    QLineEdit* recordTime =
        addDecimalEdit(QStringLiteral("edtRecordTempo"), QStringLiteral("RECORD_TEMPO"), 3);
    QLineEdit* recordDate = addDateEdit(QStringLiteral("edtDataRecord"), QStringLiteral("DATA_RECORD"));

    QCheckBox* sharkTank = addCheckBox(QStringLiteral("chkSharkTank"), QStringLiteral("Shark Tank"),
                                       QStringLiteral("SHARKTANK"));
    QCheckBox* list =
        addCheckBox(QStringLiteral("chkLista"), QStringLiteral("Lista"), QStringLiteral("LISTA"));
    QCheckBox* practice =
        addCheckBox(QStringLiteral("chkTreino"), QStringLiteral("Treino"), QStringLiteral("TREINO"));
    QCheckBox* onTarget = addCheckBox(QStringLiteral("chkOnTarget"), QStringLiteral("OnTarget"),
                                      QStringLiteral("NA_MOSCA"));
    QCheckBox* knockout = addCheckBox(QStringLiteral("chkMataMata"), QStringLiteral("Mata-Mata"),
                                      QStringLiteral("MATA_MATA"));

    code->setFixedWidth(70);
    for (QLineEdit* e : {m_sigla, m_scoreboardText}) e->setFixedWidth(80);
    for (QLineEdit* e : {minimum, maximum, recordTime}) e->setFixedWidth(90);
    recordDate->setFixedWidth(100);
    quantity->setFixedWidth(70);

    // Left: what identifies the category and how it is timed.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    fields->addWidget(addLabel(QStringLiteral("CODIGO:"), code), 0, 0);
    fields->addWidget(code, 0, 1, Qt::AlignLeft);
    fields->addWidget(addLabel(QStringLiteral("Sigla:"), m_sigla), 1, 0);
    fields->addWidget(m_sigla, 1, 1, Qt::AlignLeft);
    fields->addWidget(addLabel(QStringLiteral("Texto Placar:"), m_scoreboardText), 1, 2);
    fields->addWidget(m_scoreboardText, 1, 3, Qt::AlignLeft);
    fields->addWidget(addLabel(QStringLiteral("Categoria:"), name), 2, 0);
    fields->addWidget(name, 2, 1, 1, 4);
    fields->addWidget(addLabel(QStringLiteral("Tempo Minimo:"), minimum), 3, 0);
    fields->addWidget(minimum, 3, 1, Qt::AlignLeft);
    fields->addWidget(addLabel(QStringLiteral("Tempo Max:"), maximum), 3, 2);
    fields->addWidget(maximum, 3, 3, Qt::AlignLeft);
    fields->setColumnStretch(4, 1);

    auto* options = new QHBoxLayout;
    options->setSpacing(8);
    options->addWidget(disqualifies);
    options->addWidget(dialAuto);
    options->addStretch(1);

    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    left->addLayout(fields);
    left->addLayout(options);
    left->addWidget(treeMode, 0, Qt::AlignLeft);
    left->addStretch(1);

    // Right: the knockout bracket, the record and the kind of category.
    auto* orderRow = new QHBoxLayout;
    orderRow->addWidget(byPosition);
    orderRow->addWidget(byDraw);
    orderRow->addStretch(1);
    auto* knockoutLayout = new QGridLayout;
    knockoutLayout->setHorizontalSpacing(8);
    knockoutLayout->addWidget(addLabel(QStringLiteral("Quant:"), quantity), 0, 0);
    knockoutLayout->addWidget(quantity, 0, 1, Qt::AlignLeft);
    knockoutLayout->addWidget(addLabel(QStringLiteral("Ordenado por:"), byPosition), 1, 0);
    knockoutLayout->addLayout(orderRow, 1, 1);
    knockoutLayout->addWidget(addLabel(QStringLiteral("Cat. Pai:"), parentCategory), 2, 0);
    knockoutLayout->addWidget(parentCategory, 2, 1);
    knockoutLayout->setColumnStretch(1, 1);

    auto* recordLayout = new QGridLayout;
    recordLayout->setHorizontalSpacing(8);
    recordLayout->addWidget(addLabel(QStringLiteral("Record Piloto:"), recordPilot), 0, 0);
    recordLayout->addWidget(recordPilot, 0, 1);
    recordLayout->addWidget(addLabel(QStringLiteral("Record Tempo:"), recordTime), 1, 0);
    recordLayout->addWidget(recordTime, 1, 1, Qt::AlignLeft);
    recordLayout->addWidget(addLabel(QStringLiteral("Record Data:"), recordDate), 2, 0);
    recordLayout->addWidget(recordDate, 2, 1, Qt::AlignLeft);
    recordLayout->setColumnStretch(1, 1);

    auto* kindLayout = new QGridLayout;
    kindLayout->setHorizontalSpacing(16);
    kindLayout->addWidget(sharkTank, 0, 0);
    kindLayout->addWidget(list, 0, 1);
    kindLayout->addWidget(practice, 0, 2);
    kindLayout->addWidget(onTarget, 1, 0);
    kindLayout->addWidget(knockout, 1, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(group(QStringLiteral("grpMataMata"), QStringLiteral(" Mata-Mata "),
                           knockoutLayout, form()));
    right->addWidget(
        group(QStringLiteral("grpRecord"), QStringLiteral(" Record "), recordLayout, form()));
    right->addWidget(group(QStringLiteral("grpTipoCategoria"), QStringLiteral(" Tipo de Categoria "),
                           kindLayout, form()));
    right->addStretch(1);

    auto* layout = new QHBoxLayout(form());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(16);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    setEnterChain({m_sigla, name, m_scoreboardText, minimum, maximum});
    for (QLineEdit* e : {recordPilot, recordTime, recordDate}) setEnterTarget(e, maximum);
    setEnterTarget(code, name);
    setInsertFocus(m_sigla);

    // Kept on the toolbar where operators know it; it has never done anything.
    addToolButton(QStringLiteral("btnCriarTreinos"), QStringLiteral("Criar Trenios"))
        ->setEnabled(false);
    // The window is left through its close box; the main window then reads
    // the categories again, which also drops a row left pending.
    setLocked(Action::Sair, true);
}

/// The parent list is read afresh each time the window opens; the category
/// query is the data module's and is open already, unless nothing opened it.
void TfrmCadCategoria::activated() {
    reopenParents();
    if (!query()->isOpen())
        query()->open();
}

/// Categories added elsewhere (the category picker, another station) show up
/// before the new one is typed.
void TfrmCadCategoria::beforeInsert() {
    query()->close();
    query()->open();
}

void TfrmCadCategoria::insertDefaults() {
    setField(QStringLiteral("COD_CAMPEONATO"), m_dm->championshipCode());
    for (const QString& flag : {QStringLiteral("TREINO"), QStringLiteral("MATA_MATA"),
                                QStringLiteral("SHARKTANK"), QStringLiteral("LISTA"),
                                QStringLiteral("NA_MOSCA")})
        setField(flag, QStringLiteral("N"));
}

/// A category just saved may have become, or stopped being, a knockout one.
void TfrmCadCategoria::afterSave() {
    runGuarded([this] { reopenParents(); });
}

/// The scoreboard text is usually the sigla: it is offered when still empty.
void TfrmCadCategoria::editorEntered(QWidget* editor) {
    if (editor != m_scoreboardText || !m_scoreboardText->text().isEmpty() ||
        m_sigla->text().isEmpty() || m_scoreboardText->isReadOnly())
        return;
    setField(QStringLiteral("TXT_PAINEL"), m_sigla->text());
}

void TfrmCadCategoria::reopenParents() {
    m_parents->close();
    m_parents->setParam(kChampionshipParam, m_dm->championshipCode());
    m_parents->open();
}
