#pragma once

#include "FieldBinding.h"

namespace platform {

class PictureBox;

/// A picture box showing a blob column of the current row. The operator
/// never types into it; pictures reach the row through the window's picture
/// step (RegistrationWindow::storeChosenPicture).
class PictureBinding : public FieldBinding {
    Q_OBJECT
public:
    PictureBinding(db::Query* query, const QString& column, PictureBox* box);

    PictureBox* box() const { return m_box; }
    QVariant value() const override;

protected:
    void show(const QVariant& value) override;
    void applyEditable(bool) override {}

private:
    PictureBox* m_box;
};

}  // namespace platform
