#include "uOrganizador.h"

#include "app/uDM.h"
#include "db/Query.h"
#include "platform/registration/PictureBox.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

using platform::RegistrationWindow;
using platform::TextCase;

TfrmOrganizador::TfrmOrganizador(DM* dm, const QString& home, QWidget* parent)
    : RegistrationWindow(dm->qryOrganizador,
                         {.objectName = QStringLiteral("frmOrganizador"),
                          .caption = QStringLiteral("Dados Equipamento"),
                          .size = QSize(640, 420),
                          .fixedSize = true,
                          .actions = {Action::Editar, Action::Salvar},
                          .autoEdit = false},
                         parent),
      m_home(home),
      m_logo(new platform::PictureBox) {
    const auto text = [this](const char* name, const char* column, int width) {
        QLineEdit* e = addLineEdit(QString::fromLatin1(name), QString::fromLatin1(column), width,
                                   TextCase::Kept);
        return e;
    };
    QLineEdit* organizer = text("edtOrganizador", "ORGANIZADOR", 80);
    QLineEdit* phone = text("edtFone", "FONE", 15);
    QLineEdit* site = text("edtSite", "SITE", 100);
    QLineEdit* email = text("edtEmail", "EMAIL", 100);
    QLineEdit* city = text("edtCidade", "CIDADE", 80);
    QLineEdit* webKey = text("edtChaveWeb", "CONTROLEWEB", 45);
    phone->setFixedWidth(160);

    m_logo->setObjectName(QStringLiteral("imgLogotipo"));
    m_logo->setFixedSize(128, 128);  // the logo is 120x120
    auto* note =
        new QLabel(QStringLiteral("** O arquivo do logotipo é BMP  com tamanho de 120x120px"));
    note->setObjectName(QStringLiteral("lblNotaLogotipo"));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #5a626c;"));

    auto* tabs = new QTabWidget(form());
    tabs->setObjectName(QStringLiteral("pgcOrganizador"));
    auto* team = new QWidget;
    team->setObjectName(QStringLiteral("tabEquipe"));
    auto* grid = new QGridLayout(team);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (auto [caption, editor] : {std::pair{"Equipe: ", organizer}, std::pair{"Telefone: ", phone},
                                   std::pair{"Site: ", site}, std::pair{"E-mail: ", email},
                                   std::pair{"Cidade: ", city}, std::pair{"Chave Web: ", webKey}}) {
        grid->addWidget(addLabel(QString::fromUtf8(caption), editor), row, 0);
        grid->addWidget(editor, row++, 1, 1, 2, editor == phone ? Qt::AlignLeft : Qt::Alignment());
    }
    QLabel* logoLabel = addLabel(QStringLiteral("Logotipo: "), m_logo);
    logoLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(logoLabel, row, 0);
    grid->addWidget(m_logo, row, 1);
    grid->addWidget(note, row++, 2, Qt::AlignTop);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    tabs->addTab(team, QStringLiteral("Equipe"));

    auto* layout = new QVBoxLayout(form());
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(tabs);

    setEnterChain({organizer, phone, site, email, city, webKey});
}

/// The logo is a file the organizer puts beside the program; without it the
/// box stays empty and nothing is said.
void TfrmOrganizador::activated() {
    if (!query()->isOpen())
        query()->open();
    const QString path = m_home + QStringLiteral("logotipo.bmp");
    if (!QFileInfo::exists(path) || !m_logo->loadFile(path))
        m_logo->clear();
}
