#pragma once

#include "platform/registration/RegistrationWindow.h"

class DM;

/// "Cadastro de Campeonatos": every championship, the newest first, on the
/// window's own query.
class TfrmCadCampeonato : public platform::RegistrationWindow {
    Q_OBJECT
public:
    explicit TfrmCadCampeonato(DM* dm, QWidget* parent = nullptr);

protected:
    void activated() override;
    void insertDefaults() override;
};
