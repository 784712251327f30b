#pragma once

#include "platform/registration/RegistrationWindow.h"

class DM;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;
namespace platform {
class PictureBox;
class QueryTableModel;
}  // namespace platform

/// "Cadastro de Veiculos": the competitors (a vehicle with its pilot) of the
/// current championship, their photos and their entries into the categories
/// of the open event. The photo blobs are the master copies; "fotopilotos"
/// below the station folder holds working copies written from them.
class TfrmCadVeiculo : public platform::RegistrationWindow {
    Q_OBJECT
public:
    /// `home`: the station folder, with its trailing '/'.
    TfrmCadVeiculo(DM* dm, const QString& home, QWidget* parent = nullptr);

    /// The menu's way in: the window shown modally while the data module
    /// knows it is open, and race control's vehicle list read again after it,
    /// so the desk sees what was registered.
    static void showModal(DM* dm, const QString& home, QWidget* parent);

    QTableView* entryGrid() const { return m_entryGrid; }

    /// "Nova Categoria": enters the current vehicle into categories of the
    /// open event, one pick of the category picker after the other.
    void newCategory();
    /// "Remover": the current entry, after the data module's question.
    bool removeEntry();
    /// Double click on the " Foto Piloto" box.
    bool choosePilotPhoto();
    /// Double click on the " Foto Carro " box.
    bool chooseCarPhoto();
    /// Enter in "Celular:".
    void lookUpByPhone();
    /// Enter in "CPF:".
    void lookUpByCpf();
    /// Typing in " Localizar ".
    void search(const QString& text);

protected:
    void activated() override;
    void beforeInsert() override;
    void insertDefaults() override;
    bool canSave() override;
    void beforePost() override;
    void afterSave() override;
    void reopenRecords() override;
    void rowChanged() override;
    void updateActions() override;

private:
    bool checkRequired();
    void warnDuplicateNumber();
    void reopenList(const QString& order, int keepCode = 0);
    void reopenEntries();
    void showPictures();
    /// The most recent vehicle of any championship with this phone or this
    /// CPF (one of the two given); false when there is none.
    bool findEarlierRecord(const QString& phone, const QString& cpf);
    bool pilotIsEmpty() const;
    QString photoName(const QString& suffix, const QString& extension) const;
    bool enterCategory(int categoryCode);

    DM* m_dm;
    QString m_home;
    db::Query* m_found;  // the lookups' row
    QLineEdit* m_number = nullptr;
    QLineEdit* m_vehicle = nullptr;
    QLineEdit* m_pilot = nullptr;
    QLineEdit* m_nickname = nullptr;
    QLineEdit* m_phone = nullptr;
    QLineEdit* m_cpf = nullptr;
    QLineEdit* m_cnh = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_search = nullptr;
    QCheckBox* m_sequential = nullptr;
    QCheckBox* m_printAll = nullptr;
    platform::PictureBox* m_pilotPhoto = nullptr;
    platform::PictureBox* m_carPhoto = nullptr;
    QTableView* m_entryGrid = nullptr;
    platform::QueryTableModel* m_entryModel = nullptr;
    QPushButton* m_newCategory = nullptr;
    QPushButton* m_removeEntry = nullptr;
};
