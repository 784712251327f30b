#pragma once

#include "FieldBinding.h"

class QPlainTextEdit;

namespace platform {

/// A multi-line editor on a text column. Enter starts a new line, so it is
/// never part of a window's Enter chain.
class MemoBinding : public FieldBinding {
    Q_OBJECT
public:
    MemoBinding(db::Query* query, const QString& column, QPlainTextEdit* editor, int maxLength,
                TextCase textCase = TextCase::Kept);

    QVariant value() const override;

protected:
    void show(const QVariant& value) override;
    void applyEditable(bool editable) override;

private:
    void enforceRules();

    QPlainTextEdit* m_edit;
    int m_maxLength;
    TextCase m_case;
};

}  // namespace platform
