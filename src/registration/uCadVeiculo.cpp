#include "uCadVeiculo.h"

#include "app/uBuscaCateg.h"
#include "app/uDM.h"
#include "db/Query.h"
#include "platform/Dialogs.h"
#include "platform/registration/PictureBox.h"
#include "platform/registration/PictureFiles.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

using platform::Dialogs;
using platform::RegistrationWindow;
namespace picturefiles = platform::picturefiles;

namespace {

const QString kPhotoFolder = QStringLiteral("fotopilotos");
const QString kSelectVehicles =
    QStringLiteral("select * from veiculo\nwhere cod_campeonato=:cod_camp");
const QString kNewestFirst = QStringLiteral("order by codigo desc");

// Phone and CPF are stored as typed over the years, with and without their
// punctuation, so both sides are compared as bare digits. A criterion left
// empty matches nothing: an empty parameter would otherwise find every
// vehicle stored without a phone (or without a CPF).
const QString kEarlierRecord = QStringLiteral(
    "SELECT * FROM veiculo\n"
    "WHERE (\n"
    "  (:CELULAR <> '' AND REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(CELULAR, '(', ''), ')', ''), "
    "'-', ''), ' ', ''), '.', '') = :CELULAR)\n"
    "  OR\n"
    "  (:cpf <> '' AND REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(cpf, '(', ''), ')', ''), '-', ''), "
    "' ', ''), '.', '') = :cpf)\n"
    ")\n"
    "ORDER BY codigo DESC\n"
    "LIMIT 1");

db::Query* vehicles(DM* dm) {
    auto* q = new db::Query(&dm->connection());
    q->setObjectName(QStringLiteral("qryVeiculo"));
    q->setTable(QStringLiteral("veiculo"));
    // Only the vehicle goes: its entries and runs stay where they are, they
    // are the event's history.
    q->setBeforeDelete(&DM::confirmDeletion);
    return q;
}

QString bareDigits(const QString& text) {
    QString digits = text;
    for (const QChar c : {u'(', u')', u'-', u' ', u'.'}) digits.remove(c);
    return digits;
}

QGroupBox* photoFrame(const QString& name, const QString& title, platform::PictureBox* box,
                      QWidget* parent) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(box);
    return frame;
}

}  // namespace

TfrmCadVeiculo::TfrmCadVeiculo(DM* dm, const QString& home, QWidget* parent)
    : RegistrationWindow(vehicles(dm),
                         {.objectName = QStringLiteral("frmCadVeiculo"),
                          .caption = QStringLiteral("Cadastro de Veiculos"),
                          .size = QSize(1040, 820),
                          .gridName = QStringLiteral("dbgVeiculos"),
                          .gridColumns = {{.field = QStringLiteral("PLACA"),
                                           .title = QStringLiteral("PLACA/Nº"),
                                           .width = 90},
                                          {.field = QStringLiteral("PILOTO"), .width = 280},
                                          {.field = QStringLiteral("VEICULO"), .width = 240},
                                          {.field = QStringLiteral("CELULAR"), .width = 120},
                                          {.field = QStringLiteral("CIDADE"), .stretch = true}}},
                         parent),
      m_dm(dm),
      m_home(home),
      m_found(new db::Query(&dm->connection(), kEarlierRecord, this)) {
    m_number = addDigitsEdit(QStringLiteral("edtPlaca"), QStringLiteral("PLACA"), 8);
    m_vehicle = addLineEdit(QStringLiteral("edtVeiculo"), QStringLiteral("VEICULO"), 60);
    m_pilot = addLineEdit(QStringLiteral("edtPiloto"), QStringLiteral("PILOTO"), 60);
    m_nickname = addLineEdit(QStringLiteral("edtApelido"), QStringLiteral("APELIDO"), 15);
    QLineEdit* city = addLineEdit(QStringLiteral("edtCidade"), QStringLiteral("CIDADE"), 70);
    QLineEdit* team = addLineEdit(QStringLiteral("edtEquipe"), QStringLiteral("EQUIPE"), 100);
    m_phone = addPhoneEdit(QStringLiteral("edtCelular"), QStringLiteral("CELULAR"));
    m_email = addLineEdit(QStringLiteral("edtEmail"), QStringLiteral("EMAIL"), 75,
                          platform::TextCase::Kept);
    m_cpf = addDigitsEdit(QStringLiteral("edtCPF"), QStringLiteral("CPF"), 14);
    m_cnh = addDigitsEdit(QStringLiteral("edtCNH"), QStringLiteral("CNH"), 14);
    QPlainTextEdit* details = addMemo(QStringLiteral("memDetalhes"),
                                      QStringLiteral("DETALHES_VEICULO"), 250);
    QCheckBox* noShark = addCheckBox(QStringLiteral("chkNoShark"), QStringLiteral("Não Shark"),
                                     QStringLiteral("NOSHARK"));
    QLineEdit* dial = addDecimalEdit(QStringLiteral("edtDial"), QStringLiteral("TMP_DIAL"), 3);
    // Lane loading writes it: the vehicle's best track time in the event.
    QLineEdit* dialAuto =
        addDecimalEdit(QStringLiteral("edtDialAuto"), QStringLiteral("TMP_DIAL_AUTO"), 3);
    binding(dialAuto)->setReadOnly(true);
    QLineEdit* target = addDecimalEdit(QStringLiteral("edtAlvo"), QStringLiteral("TMP_ALVO"), 3);
    m_pilotPhoto = addPictureBox(QStringLiteral("imgFotoPiloto"), QStringLiteral("FOTO_PILOTO"));
    m_carPhoto = addPictureBox(QStringLiteral("imgFotoCarro"), QStringLiteral("FOTO_CARRO"));
    m_sequential = new QCheckBox(QStringLiteral("Sequencial"), form());
    m_sequential->setObjectName(QStringLiteral("chkSequencial"));

    m_number->setFixedWidth(90);
    for (QLineEdit* e : {m_cpf, m_cnh, m_phone}) e->setFixedWidth(140);
    for (QLineEdit* e : {dial, dialAuto, target}) e->setFixedWidth(80);
    details->setFixedHeight(52);
    for (platform::PictureBox* box : {m_pilotPhoto, m_carPhoto}) {
        box->setFixedSize(150, 150);
        box->setToolTip(QStringLiteral("Duplo clique para escolher a imagem"));
    }

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    int row = 0;
    fields->addWidget(addLabel(QStringLiteral("Num.:"), m_number), row, 0);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(m_number);
    numberRow->addSpacing(8);
    numberRow->addWidget(m_sequential);
    numberRow->addStretch(1);
    fields->addLayout(numberRow, row, 1);
    fields->addWidget(addLabel(QStringLiteral("Apelido:"), m_nickname), row, 2);
    fields->addWidget(m_nickname, row++, 3);
    fields->addWidget(addLabel(QStringLiteral("Piloto:"), m_pilot), row, 0);
    fields->addWidget(m_pilot, row++, 1, 1, 3);
    fields->addWidget(addLabel(QStringLiteral("Veiculo:"), m_vehicle), row, 0);
    fields->addWidget(m_vehicle, row++, 1, 1, 3);
    fields->addWidget(addLabel(QStringLiteral("CPF:"), m_cpf), row, 0);
    fields->addWidget(m_cpf, row, 1, Qt::AlignLeft);
    fields->addWidget(addLabel(QStringLiteral("CNH:"), m_cnh), row, 2);
    fields->addWidget(m_cnh, row++, 3, Qt::AlignLeft);
    fields->addWidget(addLabel(QStringLiteral("Cidade:"), city), row, 0);
    fields->addWidget(city, row++, 1, 1, 3);
    fields->addWidget(addLabel(QStringLiteral("Equipe:"), team), row, 0);
    fields->addWidget(team, row++, 1, 1, 3);
    fields->addWidget(addLabel(QStringLiteral("Celular:"), m_phone), row, 0);
    fields->addWidget(m_phone, row, 1, Qt::AlignLeft);
    fields->addWidget(addLabel(QStringLiteral("E-mail:"), m_email), row, 2);
    fields->addWidget(m_email, row++, 3);
    auto* times = new QHBoxLayout;
    times->setSpacing(8);
    times->addWidget(dial);
    times->addSpacing(8);
    times->addWidget(addLabel(QStringLiteral("DIAL AUTO:"), dialAuto));
    times->addWidget(dialAuto);
    times->addSpacing(8);
    times->addWidget(addLabel(QStringLiteral("ALVO ONTARGET:"), target));
    times->addWidget(target);
    times->addSpacing(12);
    times->addWidget(noShark);
    times->addStretch(1);
    fields->addWidget(addLabel(QStringLiteral("DIAL:"), dial), row, 0);
    fields->addLayout(times, row++, 1, 1, 3);
    QLabel* detailsLabel = addLabel(QStringLiteral("Detalhes do Veiculo:"), details);
    detailsLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    fields->addWidget(detailsLabel, row, 0);
    fields->addWidget(details, row++, 1, 1, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto* photos = new QVBoxLayout;
    photos->setSpacing(8);
    photos->addWidget(photoFrame(QStringLiteral("grpFotoPiloto"), QStringLiteral(" Foto Piloto"),
                                 m_pilotPhoto, form()));
    photos->addWidget(photoFrame(QStringLiteral("grpFotoCarro"), QStringLiteral(" Foto Carro "),
                                 m_carPhoto, form()));
    photos->addStretch(1);

    // " Localizar ": the search and the printing choice.
    auto* find = new QGroupBox(QStringLiteral(" Localizar "), form());
    find->setObjectName(QStringLiteral("grpLocalizar"));
    m_search = new QLineEdit(find);
    m_search->setObjectName(QStringLiteral("edtLocalizar"));
    m_printAll = new QCheckBox(QStringLiteral("Imprime Todos"), find);
    m_printAll->setObjectName(QStringLiteral("chkImprimeTodos"));
    auto* findLayout = new QVBoxLayout(find);
    findLayout->setContentsMargins(8, 4, 8, 8);
    auto* searchLabel = new QLabel(QStringLiteral("Num. ou Piloto:"), find);
    searchLabel->setBuddy(m_search);
    findLayout->addWidget(searchLabel);
    findLayout->addWidget(m_search);
    findLayout->addWidget(m_printAll);
    findLayout->addStretch(1);
    find->setFixedWidth(230);

    // "Categorias Inscritas:": the data module's entries of the current
    // vehicle in the open event.
    auto* entries = new QGroupBox(QStringLiteral("Categorias Inscritas:"), form());
    entries->setObjectName(QStringLiteral("grpInscricoes"));
    m_entryModel = new platform::QueryTableModel(
        dm->qryInscricao,
        {{.field = QStringLiteral("Sigla_categ"), .title = QStringLiteral("Sigla"), .width = 90},
         {.field = QStringLiteral("Categ"), .title = QStringLiteral("Categoria"), .stretch = true},
         {.field = QStringLiteral("VALIDO"), .width = 70}},
        this);
    m_entryGrid = new QTableView(entries);
    m_entryGrid->setObjectName(QStringLiteral("dbgInscricoes"));
    m_entryGrid->setModel(m_entryModel);
    m_entryGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_entryGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entryGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_entryGrid->verticalHeader()->hide();
    m_entryGrid->verticalHeader()->setDefaultSectionSize(m_entryGrid->fontMetrics().height() + 6);
    m_entryGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_entryGrid->horizontalHeader()->setHighlightSections(false);
    m_entryGrid->setColumnWidth(0, 90);
    m_entryGrid->setColumnWidth(2, 70);
    m_entryGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_entryGrid->setFixedHeight(112);
    m_newCategory = new QPushButton(QStringLiteral("Nova Categoria"), entries);
    m_newCategory->setObjectName(QStringLiteral("btnNovaCategoria"));
    m_removeEntry = new QPushButton(QStringLiteral("Remover"), entries);
    m_removeEntry->setObjectName(QStringLiteral("btnRemover"));
    for (QPushButton* b : {m_newCategory, m_removeEntry}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
    }
    auto* entryButtons = new QVBoxLayout;
    entryButtons->addWidget(m_newCategory);
    entryButtons->addWidget(m_removeEntry);
    entryButtons->addStretch(1);
    auto* entriesLayout = new QHBoxLayout(entries);
    entriesLayout->setContentsMargins(8, 4, 8, 8);
    entriesLayout->addWidget(m_entryGrid, 1);
    entriesLayout->addLayout(entryButtons);

    auto* lower = new QHBoxLayout;
    lower->setSpacing(12);
    lower->addWidget(find);
    lower->addWidget(entries, 1);

    auto* upper = new QHBoxLayout;
    upper->setSpacing(12);
    upper->addLayout(fields, 1);
    upper->addLayout(photos);

    auto* layout = new QVBoxLayout(form());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(10);
    layout->addLayout(upper);
    layout->addLayout(lower);

    // Printing comes with the reports, the online import with the site's
    // connection: both are on the toolbar and stay off until then.
    QPushButton* print = addToolButton(QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    print->setToolTip(QStringLiteral("CTRL + P"));
    print->setEnabled(false);
    QPushButton* import =
        addToolButton(QStringLiteral("btnImportarPTL"), QStringLiteral("Importar PTL"));
    import->setEnabled(false);
    button(Action::Novo)->setToolTip(QStringLiteral("CTRL + N"));
    button(Action::Salvar)->setToolTip(QStringLiteral("CTRL + S"));

    // The window takes these before its editors do.
    const auto shortcut = [this](QKeyCombination keys, Action action) {
        auto* s = new QShortcut(QKeySequence(keys), this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, [this, action] {
            if (QPushButton* b = button(action); b && b->isEnabled())
                b->click();
        });
    };
    shortcut(Qt::CTRL | Qt::Key_N, Action::Novo);
    shortcut(Qt::CTRL | Qt::Key_S, Action::Salvar);

    setEnterChain({m_number, m_pilot, m_nickname, m_vehicle, m_cpf, m_cnh, city, team, m_phone,
                   m_email, dial, target},
                  ChainEnd::Save);
    setEnterAction(m_cpf, [this] { lookUpByCpf(); });
    setEnterAction(m_phone, [this] { lookUpByPhone(); });
    setEnterTarget(dialAuto, target);
    setInsertFocus(m_number);

    connect(m_pilotPhoto, &platform::PictureBox::doubleClicked, this,
            &TfrmCadVeiculo::choosePilotPhoto);
    connect(m_carPhoto, &platform::PictureBox::doubleClicked, this,
            &TfrmCadVeiculo::chooseCarPhoto);
    connect(m_newCategory, &QPushButton::clicked, this, &TfrmCadVeiculo::newCategory);
    connect(m_removeEntry, &QPushButton::clicked, this, &TfrmCadVeiculo::removeEntry);
    connect(m_search, &QLineEdit::textEdited, this, &TfrmCadVeiculo::search);
    connect(grid(), &QTableView::clicked, this, &TfrmCadVeiculo::showPictures);
    connect(m_entryGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && m_dm->qryInscricao->isOpen())
                    m_dm->qryInscricao->moveTo(current.row());
            });
}

void TfrmCadVeiculo::showModal(DM* dm, const QString& home, QWidget* parent) {
    dm->vehicleWindowOpen = QStringLiteral("s");
    TfrmCadVeiculo(dm, home, parent).exec();
    dm->vehicleWindowOpen = QStringLiteral("n");
    dm->qryVeiculo->close();
    dm->qryVeiculo->setParam(QStringLiteral("cod_camp"), dm->championshipCode());
    dm->qryVeiculo->open();
}

// ---- the list ------------------------------------------------------------------

/// The current championship's vehicles in `order`; the row of `keepCode`
/// stays the current one when it is still listed.
void TfrmCadVeiculo::reopenList(const QString& order, int keepCode) {
    query()->close();
    query()->setSql(kSelectVehicles);
    query()->addLine(order);
    query()->setParam(QStringLiteral("cod_camp"), m_dm->championshipCode());
    query()->open();
    if (keepCode > 0)
        query()->locate(QStringLiteral("CODIGO"), keepCode);
}

void TfrmCadVeiculo::activated() {
    reopenList(kNewestFirst);
}

void TfrmCadVeiculo::reopenRecords() {
    reopenList(QStringLiteral("order by placa"), query()->integer(QStringLiteral("CODIGO")));
}

/// The search text goes to the server as a parameter and is matched as a
/// plain substring of the number or the pilot's name.
void TfrmCadVeiculo::search(const QString& text) {
    if (isEditing())
        return;  // a pending row is not thrown away by a search
    runGuarded([&] {
        query()->close();
        query()->setSql(kSelectVehicles);
        query()->setParam(QStringLiteral("cod_camp"), m_dm->championshipCode());
        if (!text.isEmpty()) {
            query()->addLine(
                QStringLiteral("and (instr(upper(PLACA), upper(:busca)) > 0 "
                               "or instr(upper(PILOTO), upper(:busca)) > 0)"));
            query()->setParam(QStringLiteral("busca"), text);
        }
        query()->addLine(QStringLiteral("order by Piloto"));
        query()->open();
    });
    refreshView();
}

// ---- a new vehicle and its save ---------------------------------------------------

void TfrmCadVeiculo::beforeInsert() {
    reopenList(kNewestFirst);
}

void TfrmCadVeiculo::insertDefaults() {
    setField(QStringLiteral("NOSHARK"), QStringLiteral("N"));
    // Set here as well as before the post: the photo step may post the new
    // row before "Salvar" does.
    setField(QStringLiteral("COD_CAMPEONATO"), m_dm->championshipCode());
    if (!m_sequential->isChecked())
        return;
    db::Query count(&m_dm->connection(),
                    QStringLiteral("select count(*) as n from veiculo where cod_campeonato=:cod_camp"));
    count.setParam(QStringLiteral("cod_camp"), m_dm->championshipCode());
    count.open();
    const int next = count.integer(QStringLiteral("n")) + 1;
    setField(QStringLiteral("PLACA"), next >= 10 ? QString::number(next)
                                                 : QStringLiteral("0") + QString::number(next));
}

bool TfrmCadVeiculo::checkRequired() {
    const struct {
        QLineEdit* editor;
        const char* column;
        QString message;
    } required[] = {
        {m_number, "PLACA", QStringLiteral("Preencha Placa ou Numeração!! ")},
        {m_vehicle, "VEICULO", QStringLiteral("Preencha Veiculo!! ")},
        {m_pilot, "PILOTO", QStringLiteral("Preencha o nome do Piloto!! ")},
    };
    for (const auto& r : required) {
        if (query()->text(QString::fromLatin1(r.column)).trimmed().isEmpty()) {
            platform::dialogs().showMessage(r.message, this);
            focusEditor(r.editor);
            return false;
        }
    }
    return true;
}

/// Two vehicles of a championship may share a number (the operator decides);
/// the warning names the other pilot. The vehicle being saved is left out of
/// the look-up, so renaming its own pilot warns about nobody.
void TfrmCadVeiculo::warnDuplicateNumber() {
    db::Query same(&m_dm->connection(),
                   QStringLiteral("select piloto from veiculo\nwhere placa=:placa\n"
                                  "and cod_campeonato=:cod_camp\nand codigo<>:codigo\n"
                                  "order by codigo"));
    same.setParam(QStringLiteral("placa"), query()->text(QStringLiteral("PLACA")));
    same.setParam(QStringLiteral("cod_camp"), m_dm->championshipCode());
    same.setParam(QStringLiteral("codigo"), query()->state() == db::Query::State::Insert
                                                ? 0
                                                : query()->integer(QStringLiteral("CODIGO")));
    same.open();
    const QString pilot = query()->text(QStringLiteral("PILOTO")).trimmed();
    for (int row = 0; row < same.rowCount(); ++row) {
        const QString other = same.valueAt(row, QStringLiteral("piloto")).toString();
        // Names typed here are in capitals; older rows may not be.
        if (other.trimmed().compare(pilot, Qt::CaseInsensitive) != 0) {
            platform::dialogs().showMessage(
                QStringLiteral("Essa Placa ou Numeração está sendo utilizado pelo Piloto: ") +
                    other,
                this);
            return;
        }
    }
}

bool TfrmCadVeiculo::canSave() {
    if (!checkRequired())
        return false;
    return runGuarded([this] { warnDuplicateNumber(); });
}

void TfrmCadVeiculo::beforePost() {
    query()->setValue(QStringLiteral("COD_CAMPEONATO"), m_dm->championshipCode());
}

void TfrmCadVeiculo::afterSave() {
    const int code = query()->integer(QStringLiteral("CODIGO"));
    runGuarded([&] { reopenList(kNewestFirst, code); });
    refreshView();
    if (platform::dialogs().ask(QStringLiteral("Confirmação"),
                                QStringLiteral("Deseja Adicionar Categoria ??"),
                                Dialogs::Icon::Question, Dialogs::Yes | Dialogs::No, Dialogs::Yes,
                                this) == Dialogs::Yes)
        newCategory();
}

// ---- modes -----------------------------------------------------------------------

/// Number, names, phone and CPF are typed only after "Novo" or "Editar"; the
/// other editors start editing by themselves.
void TfrmCadVeiculo::updateActions() {
    RegistrationWindow::updateActions();
    const bool editing = isEditing();
    for (QLineEdit* e : {m_number, m_vehicle, m_pilot, m_nickname, m_phone, m_cpf})
        e->setEnabled(editing);
    m_search->setEnabled(!editing);
    const bool stored = query()->isOpen() && query()->recNo() >= 0 &&
                        query()->state() != db::Query::State::Insert;
    m_newCategory->setEnabled(stored);
    m_removeEntry->setEnabled(stored && m_dm->qryInscricao->isOpen() &&
                              !m_dm->qryInscricao->isEmpty());
}

void TfrmCadVeiculo::rowChanged() {
    runGuarded([this] { reopenEntries(); });
    showPictures();
}

void TfrmCadVeiculo::reopenEntries() {
    const bool stored = query()->isOpen() && query()->recNo() >= 0 &&
                        query()->state() != db::Query::State::Insert;
    db::Query* entries = m_dm->qryInscricao;
    entries->close();
    entries->setParam(QStringLiteral("cod_veiculo"),
                      stored ? query()->integer(QStringLiteral("CODIGO")) : 0);
    entries->setParam(QStringLiteral("cod_evento"), m_dm->eventCode());
    entries->open();
    if (m_removeEntry)
        m_removeEntry->setEnabled(stored && !entries->isEmpty());
}

/// The boxes show the blobs; the working copies in "fotopilotos" are
/// rewritten from them, which is what the reports load.
void TfrmCadVeiculo::showPictures() {
    const QString folder = picturefiles::folder(m_home, kPhotoFolder);
    const bool hasRow = query()->isOpen() && query()->recNo() >= 0;
    writeWorkingCopy(folder, QStringLiteral("FOTO_PILOTO"),
                     hasRow ? query()->text(QStringLiteral("NOME_ARQ_FOTO")) : QString());
    writeWorkingCopy(folder, QStringLiteral("FOTO_CARRO"),
                     hasRow ? query()->text(QStringLiteral("NOME_ARQ_FOTO_carro")) : QString());
}

// ---- the pilot's earlier data --------------------------------------------------------

bool TfrmCadVeiculo::pilotIsEmpty() const {
    return query()->text(QStringLiteral("PILOTO")).trimmed().isEmpty();
}

bool TfrmCadVeiculo::findEarlierRecord(const QString& phone, const QString& cpf) {
    bool found = false;
    runGuarded([&] {
        m_found->close();
        m_found->setParam(QStringLiteral("CELULAR"), bareDigits(phone));
        m_found->setParam(QStringLiteral("cpf"), bareDigits(cpf));
        m_found->open();
        found = !m_found->isEmpty();
    });
    return found;
}

void TfrmCadVeiculo::lookUpByPhone() {
    const QString phone = binding(m_phone)->value().toString();
    if (phone.size() > 5 && findEarlierRecord(phone, QString()) && pilotIsEmpty()) {
        if (platform::dialogs().ask(QStringLiteral("Confirmação"),
                                    QStringLiteral("Deseja IMPORTAR OS DADOS desse registro ??"),
                                    Dialogs::Icon::Question, Dialogs::Yes | Dialogs::No,
                                    Dialogs::Yes, this) != Dialogs::Yes)
            return;  // the operator stays on the phone
        runGuarded([this] {
            for (const char* column :
                 {"PILOTO", "APELIDO", "VEICULO", "CPF", "CNH", "EQUIPE", "CIDADE", "FOTO_PILOTO",
                  "NOME_ARQ_FOTO", "FOTO_CARRO", "NOME_ARQ_FOTO_carro"})
                setField(QString::fromLatin1(column), m_found->value(QString::fromLatin1(column)));
        });
        showPictures();
    }
    focusEditor(m_email);
}

void TfrmCadVeiculo::lookUpByCpf() {
    const QString cpf = m_cpf->text().trimmed();
    if (!cpf.isEmpty() && findEarlierRecord(QString(), cpf) && pilotIsEmpty() &&
        platform::dialogs().ask(QStringLiteral("Confirmação"),
                                QStringLiteral("Deseja IMPORTAR OS DADOS desse registro ??"),
                                Dialogs::Icon::Question, Dialogs::Yes | Dialogs::No, Dialogs::No,
                                this) == Dialogs::Yes) {
        // The car may be another one: its photo stays out.
        runGuarded([this] {
            for (const char* column : {"PILOTO", "APELIDO", "VEICULO", "CELULAR", "CPF", "CNH",
                                       "EQUIPE", "CIDADE", "FOTO_PILOTO", "NOME_ARQ_FOTO"})
                setField(QString::fromLatin1(column), m_found->value(QString::fromLatin1(column)));
        });
        showPictures();
    }
    focusEditor(m_cnh);
}

// ---- photos ---------------------------------------------------------------------------

/// The open event's code, the pilot's name, the suffix and the chosen file's extension.
QString TfrmCadVeiculo::photoName(const QString& suffix, const QString& extension) const {
    return picturefiles::plainName(QString::number(m_dm->eventCode()) +
                                   query()->text(QStringLiteral("PILOTO")) + suffix + extension);
}

bool TfrmCadVeiculo::choosePilotPhoto() {
    // The step posts a new row: it must be a vehicle worth keeping first.
    if (query()->state() == db::Query::State::Insert && !canSave())
        return false;
    return storeChosenPicture(
        m_pilotPhoto, QStringLiteral("Portable Network Graphics (*.png)"),
        picturefiles::folder(m_home, kPhotoFolder),
        [this](const QString& extension) { return photoName(QString(), extension); },
        QStringLiteral("FOTO_PILOTO"), QStringLiteral("NOME_ARQ_FOTO"));
}

bool TfrmCadVeiculo::chooseCarPhoto() {
    if (query()->state() == db::Query::State::Insert && !canSave())
        return false;
    return storeChosenPicture(
        m_carPhoto,
        QStringLiteral("All (*.jpg *.jpeg *.png);;JPEG Image File (*.jpg);;"
                       "JPEG Image File (*.jpeg);;Portable Network Graphics (*.png)"),
        picturefiles::folder(m_home, kPhotoFolder),
        [this](const QString& extension) { return photoName(QStringLiteral("_car"), extension); },
        QStringLiteral("FOTO_CARRO"), QStringLiteral("NOME_ARQ_FOTO_carro"));
}

// ---- entries ---------------------------------------------------------------------------

void TfrmCadVeiculo::newCategory() {
    if (!m_newCategory->isEnabled())
        return;
    for (;;) {
        int chosen = 0;
        {
            TfrmBuscaCateg picker(m_dm, this);
            picker.exec();
            chosen = picker.chosenCode();
        }
        if (chosen > 0 && !enterCategory(chosen))
            return;
        runGuarded([this] { reopenEntries(); });
        updateActions();
        if (platform::dialogs().ask(QStringLiteral("Cadastrar "),
                                    QStringLiteral("Deseja CADASTRAR um nova Categoria??"),
                                    Dialogs::Icon::Warning, Dialogs::Yes | Dialogs::No,
                                    Dialogs::No, this) != Dialogs::Yes)
            return;
    }
}

/// One entry of the current vehicle into `categoryCode` of the open event;
/// false stops the whole operation.
bool TfrmCadVeiculo::enterCategory(int categoryCode) {
    db::Query* entries = m_dm->qryInscricao;
    const int eventCode = m_dm->eventCode();
    const int vehicleCode = query()->integer(QStringLiteral("CODIGO"));
    bool duplicate = false;
    if (!runGuarded([&] {
            db::Query existing(&m_dm->connection(),
                               QStringLiteral("select codigo from inscricao\n"
                                              "where cod_evento=:cod_evento\n"
                                              "and cod_categoria=:cod_categoria\n"
                                              "and cod_veiculo=:cod_veiculo"));
            existing.setParam(QStringLiteral("cod_evento"), eventCode);
            existing.setParam(QStringLiteral("cod_categoria"), categoryCode);
            existing.setParam(QStringLiteral("cod_veiculo"), vehicleCode);
            existing.open();
            duplicate = !existing.isEmpty();
        }))
        return false;
    if (duplicate) {
        platform::dialogs().showMessage(QStringLiteral("Veiculo ja inscrito nessa Categoria !"),
                                        this);
        if (entries->state() == db::Query::State::Insert)
            entries->cancel();
        return false;
    }
    // An entry that names no event, category or vehicle belongs to nobody:
    // it is reported and not stored.
    const struct {
        int code;
        QString message;
    } codes[] = {{eventCode, QStringLiteral("Erro: Codigo evento nulo !")},
                 {categoryCode, QStringLiteral("Erro: Codigo Categoria nulo !")},
                 {vehicleCode, QStringLiteral("Erro: Codigo Veiculo nulo !")}};
    bool complete = true;
    for (const auto& c : codes) {
        if (c.code <= 0) {
            platform::dialogs().showMessage(c.message, this);
            complete = false;
        }
    }
    if (!complete)
        return false;
    const bool approved =
        m_dm->qryEvento->isOpen() &&
        m_dm->qryEvento->text(QStringLiteral("APROVA_AUTO")) == QStringLiteral("S");
    const bool posted = runGuarded([&] {
        if (!entries->isOpen())
            entries->open();
        entries->append();
        entries->setValue(QStringLiteral("COD_EVENTO"), eventCode);
        entries->setValue(QStringLiteral("COD_VEICULO"), vehicleCode);
        entries->setValue(QStringLiteral("COD_CATEGORIA"), categoryCode);
        entries->setValue(QStringLiteral("VALIDO"),
                          approved ? QStringLiteral("S") : QStringLiteral("N"));
        entries->post();
    });
    // The shared entry query is not left holding a row that did not go in.
    if (!posted && entries->state() == db::Query::State::Insert)
        entries->cancel();
    return posted;
}

bool TfrmCadVeiculo::removeEntry() {
    db::Query* entries = m_dm->qryInscricao;
    if (!entries->isOpen() || entries->isEmpty())
        return false;
    bool removed = false;
    runGuarded([&] { removed = entries->remove(); });
    m_entryModel->reload();
    updateActions();
    return removed;
}
