#pragma once

#include "platform/registration/RegistrationWindow.h"

class DM;
class QLineEdit;

/// "Cadastro de Categorias": the categories of the current championship,
/// edited on the data module's own category query, so race control reads
/// the same rows. Whoever opens the window reopens that query (and the
/// shark-tank list) after it closes; a row left pending is dropped there.
class TfrmCadCategoria : public platform::RegistrationWindow {
    Q_OBJECT
public:
    explicit TfrmCadCategoria(DM* dm, QWidget* parent = nullptr);

    /// The categories offered as "Cat. Pai:": those of the championship that
    /// are not knockout categories themselves.
    db::Query* parentCategories() const { return m_parents; }

protected:
    void activated() override;
    void beforeInsert() override;
    void insertDefaults() override;
    void afterSave() override;
    void editorEntered(QWidget* editor) override;

private:
    void reopenParents();

    DM* m_dm;
    db::Query* m_parents;
    QLineEdit* m_sigla = nullptr;
    QLineEdit* m_scoreboardText = nullptr;
};
