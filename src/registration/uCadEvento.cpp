#include "uCadEvento.h"

#include "QrCode.h"
#include "app/uDM.h"
#include "db/Query.h"
#include "platform/Dialogs.h"
#include "platform/registration/PictureBox.h"
#include "platform/registration/PictureFiles.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using platform::RegistrationWindow;
namespace picturefiles = platform::picturefiles;

namespace {

const QString kLogoFolder = QStringLiteral("logoseventos");
const QString kQrFolder = QStringLiteral("imgs");
const QString kLink = QStringLiteral("LINK_TEMPOS_SITE");

db::Query* events(DM* dm) {
    auto* q = new db::Query(&dm->connection(),
                            QStringLiteral("select * from evento\norder by data desc"));
    q->setObjectName(QStringLiteral("qryEvento"));
    q->setTable(QStringLiteral("evento"));
    // An event holds its entries and runs: "Delete" asks before it goes.
    q->setBeforeDelete(&DM::confirmDeletion);
    return q;
}

QGroupBox* frame(const QString& name, const QString& title, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(content);
    return box;
}

}  // namespace

TfrmCadEvento::TfrmCadEvento(DM* dm, const QString& home, QWidget* parent)
    : RegistrationWindow(events(dm),
                         {.objectName = QStringLiteral("frmCadEvento"),
                          .caption = QStringLiteral("Cadastrar Evento"),
                          .size = QSize(940, 640),
                          .gridName = QStringLiteral("dbgEventos"),
                          .gridColumns = {{.field = QStringLiteral("EVENTO"), .stretch = true},
                                          {.field = QStringLiteral("DATA"), .width = 90},
                                          {.field = QStringLiteral("LOCAL"), .width = 260},
                                          {.field = QStringLiteral("PARCIAL01"), .width = 80},
                                          {.field = QStringLiteral("PARCIAL02"), .width = 80},
                                          {.field = QStringLiteral("COMPRIMENTO_PISTA"),
                                           .title = QStringLiteral("COMP PISTA"),
                                           .width = 100}}},
                         parent),
      m_home(home),
      m_championships(
          new db::Query(&dm->connection(),
                        QStringLiteral("select * from campeonato\norder by codigo desc"), this)) {
    m_championships->setObjectName(QStringLiteral("QryCampeonato"));

    QLineEdit* event = addLineEdit(QStringLiteral("edtEvento"), QStringLiteral("EVENTO"), 120);
    QLineEdit* code = addReadOnlyEdit(QStringLiteral("edtCodigo"), QStringLiteral("CODIGO"));
    QComboBox* championship =
        addLookup(QStringLiteral("lkpCampeonato"), QStringLiteral("COD_CAMPEONATO"),
                  m_championships, QStringLiteral("CODIGO"), QStringLiteral("CAMPEONATO"));
    QLineEdit* championshipCode =
        addReadOnlyEdit(QStringLiteral("edtCodCampeonato"), QStringLiteral("COD_CAMPEONATO"));
    QLineEdit* date = addDateEdit(QStringLiteral("edtData"), QStringLiteral("DATA"));
    QLineEdit* place = addLineEdit(QStringLiteral("edtLocal"), QStringLiteral("LOCAL"), 50);
    QComboBox* split1 =
        addChoice(QStringLiteral("cbxParcial1"), QStringLiteral("PARCIAL01"),
                  {QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("201")}, true);
    QComboBox* split2 =
        addChoice(QStringLiteral("cbxParcial2"), QStringLiteral("PARCIAL02"),
                  {QStringLiteral("100"), QStringLiteral("201"), QStringLiteral("302")}, true);
    QComboBox* split3 =
        addChoice(QStringLiteral("cbxParcial3"), QStringLiteral("PARCIAL03"),
                  {QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("201")}, true);
    QLineEdit* length =
        addIntegerEdit(QStringLiteral("edtComprimento"), QStringLiteral("COMPRIMENTO_PISTA"));
    QLineEdit* approve =
        addLineEdit(QStringLiteral("edtAprovaAuto"), QStringLiteral("APROVA_AUTO"), 1);
    QLineEdit* link =
        addLineEdit(QStringLiteral("edtLinkSite"), kLink, 200, platform::TextCase::Lower);
    m_logo = addPictureBox(QStringLiteral("imgLogoEvento"), QStringLiteral("IMG_LOGO_EVENTO"));
    m_qrCode = addPictureBox(QStringLiteral("imgQrCode"), QStringLiteral("IMG_QRCODE"));

    for (QLineEdit* e : {code, championshipCode}) e->setFixedWidth(64);
    for (QWidget* w :
         std::initializer_list<QWidget*>{date, split1, split2, split3, length, approve})
        w->setFixedWidth(90);
    approve->setFixedWidth(36);
    for (platform::PictureBox* box : {m_logo, m_qrCode}) {
        box->setFixedSize(170, 170);
        box->setToolTip(QStringLiteral("Duplo clique para escolher a imagem"));
    }

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    int row = 0;
    fields->addWidget(addLabel(QStringLiteral("Evento:"), event), row, 0);
    fields->addWidget(event, row, 1, 1, 5);
    fields->addWidget(code, row++, 6);
    fields->addWidget(addLabel(QStringLiteral("Campeonato:"), championship), row, 0);
    fields->addWidget(championship, row, 1, 1, 5);
    fields->addWidget(championshipCode, row++, 6);
    fields->addWidget(addLabel(QStringLiteral("Data:"), date), row, 0);
    fields->addWidget(date, row, 1);
    fields->addWidget(addLabel(QStringLiteral("Local:"), place), row, 2);
    fields->addWidget(place, row++, 3, 1, 4);
    fields->addWidget(addLabel(QStringLiteral("Parcial 1:"), split1), row, 0);
    fields->addWidget(split1, row, 1);
    fields->addWidget(addLabel(QStringLiteral("Parcial 2:"), split2), row, 2);
    fields->addWidget(split2, row, 3);
    fields->addWidget(addLabel(QStringLiteral("Parcial 3:"), split3), row, 4);
    fields->addWidget(split3, row++, 5);
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addWidget(length);
    lengthRow->addWidget(new QLabel(QStringLiteral("M"), form()));
    fields->addWidget(addLabel(QStringLiteral("Comprimento:"), length), row, 0);
    fields->addLayout(lengthRow, row, 1);
    fields->addWidget(addLabel(QStringLiteral("Aprova Auto:"), approve), row, 2);
    fields->addWidget(approve, row++, 3);
    fields->addWidget(addLabel(QStringLiteral("Link Site:"), link), row, 0);
    fields->addWidget(link, row++, 1, 1, 6);
    fields->setColumnStretch(3, 1);
    fields->setRowStretch(row, 1);

    auto* layout = new QHBoxLayout(form());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(12);
    layout->addLayout(fields, 1);
    layout->addWidget(
        frame(QStringLiteral("grpLogoEvento"), QStringLiteral(" Logo do Evento "), m_logo, form()),
        0, Qt::AlignTop);
    layout->addWidget(
        frame(QStringLiteral("grpQrCode"), QStringLiteral(" QRCODE SITE "), m_qrCode, form()), 0,
        Qt::AlignTop);

    setEnterChain(
        {event, championship, date, place, split1, split2, split3, length, approve, link});
    setEnterTarget(code, championship);
    setEnterTarget(championshipCode, championship);
    setInsertFocus(event);
    connect(m_logo, &platform::PictureBox::doubleClicked, this, &TfrmCadEvento::chooseLogo);
    connect(m_qrCode, &platform::PictureBox::doubleClicked, this, &TfrmCadEvento::chooseQrCode);

    runGuarded([this] {
        m_championships->open();
        query()->open();
    });
}

QString TfrmCadEvento::code() const {
    return query()->text(QStringLiteral("CODIGO"));
}

void TfrmCadEvento::beforeInsert() {
    m_championships->close();
    m_championships->open();
}

void TfrmCadEvento::insertDefaults() {
    setField(QStringLiteral("COMPRIMENTO_PISTA"), 201);
    setField(QStringLiteral("APROVA_AUTO"), QStringLiteral("S"));
}

bool TfrmCadEvento::canSave() {
    const bool inserting = query()->state() == db::Query::State::Insert;
    m_storedLink = inserting ? QString() : query()->valueAt(query()->recNo(), kLink).toString();
    return true;
}

void TfrmCadEvento::afterSave() {
    writeSiteQrCode();
}

/// The QR step of "Salvar": an event with a link to its times page gets the
/// QR picture "<code>_qrcode_site.bmp" in "imgs" and in IMG_QRCODE. The box's
/// picture is used while it stands for the saved link; a box left empty, or a
/// link changed by this save, gets the QR code drawn here from the link.
void TfrmCadEvento::writeSiteQrCode() {
    const QString link = query()->text(kLink).trimmed();
    if (link.isEmpty())
        return;
    if (m_qrCode->isEmpty() || link != m_storedLink.trimmed()) {
        const QImage drawn = qrcode::draw(link);
        if (drawn.isNull())
            return;
        m_qrCode->setImage(drawn, "BMP");
    }
    const QByteArray picture = m_qrCode->bytes();
    const QString path =
        picturefiles::folder(m_home, kQrFolder) + code() + QStringLiteral("_qrcode_site.bmp");
    if (!picturefiles::write(path, picture)) {
        platform::dialogs().showMessage(QStringLiteral("Não foi possível gravar o arquivo ") + path,
                                        this);
        return;
    }
    runGuarded([&] {
        query()->edit();
        query()->setValue(QStringLiteral("IMG_QRCODE"), picture);
        query()->post();
    });
    refreshView();
}

/// The logo box follows the row; its working copy in "logoseventos" is
/// rewritten from the blob, which is what the reports load.
void TfrmCadEvento::rowChanged() {
    writeWorkingCopy(picturefiles::folder(m_home, kLogoFolder), QStringLiteral("IMG_LOGO_EVENTO"),
                     query()->isOpen() && query()->recNo() >= 0
                         ? query()->text(QStringLiteral("ARQ_LOGO_EVENTO"))
                         : QString());
}

bool TfrmCadEvento::chooseLogo() {
    return storeChosenPicture(
        m_logo, QStringLiteral("Portable Network Graphics (*.png)"),
        picturefiles::folder(m_home, kLogoFolder),
        [this](const QString& extension) { return QStringLiteral("logo_") + code() + extension; },
        QStringLiteral("IMG_LOGO_EVENTO"), QStringLiteral("ARQ_LOGO_EVENTO"));
}

bool TfrmCadEvento::chooseQrCode() {
    return storeChosenPicture(
        m_qrCode,
        QStringLiteral("All (*.jpg *.jpeg *.png);;JPEG Image File (*.jpg);;"
                       "JPEG Image File (*.jpeg);;Portable Network Graphics (*.png)"),
        picturefiles::folder(m_home, kQrFolder),
        [this](const QString&) { return code() + QStringLiteral("_qrcode.bmp"); },
        QStringLiteral("IMG_QRCODE"));
}
