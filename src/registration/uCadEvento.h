#pragma once

#include "platform/registration/RegistrationWindow.h"

class DM;
namespace platform {
class PictureBox;
}

/// "Cadastrar Evento": every event of every championship, the most recent
/// date first, with the event's logo and the QR code of its times page.
/// Copies of the pictures are kept in "logoseventos" and "imgs" below the
/// station folder; the blobs are the master copies.
class TfrmCadEvento : public platform::RegistrationWindow {
    Q_OBJECT
public:
    /// `home`: the station folder, with its trailing '/'.
    TfrmCadEvento(DM* dm, const QString& home, QWidget* parent = nullptr);

    db::Query* championships() const { return m_championships; }
    /// Double click on the logo box.
    bool chooseLogo();
    /// Double click on the QR box.
    bool chooseQrCode();

protected:
    void beforeInsert() override;
    void insertDefaults() override;
    bool canSave() override;
    void afterSave() override;
    void rowChanged() override;

private:
    void writeSiteQrCode();
    QString code() const;

    QString m_home;
    db::Query* m_championships;
    platform::PictureBox* m_logo = nullptr;
    platform::PictureBox* m_qrCode = nullptr;
    QString m_storedLink;  // the link as stored before the save under way
};
