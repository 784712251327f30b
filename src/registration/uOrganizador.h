#pragma once

#include "platform/registration/RegistrationWindow.h"

class DM;
namespace platform {
class PictureBox;
}

/// "Dados Equipamento": the organizer row of the data module, which the
/// reports and tickets print in their headers. The row is only edited here,
/// never added or removed.
class TfrmOrganizador : public platform::RegistrationWindow {
    Q_OBJECT
public:
    /// `home`: the station folder, with its trailing '/', where the organizer
    /// keeps "logotipo.bmp".
    TfrmOrganizador(DM* dm, const QString& home, QWidget* parent = nullptr);

    platform::PictureBox* logo() const { return m_logo; }

protected:
    void activated() override;

private:
    QString m_home;
    platform::PictureBox* m_logo;
};
