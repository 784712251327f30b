#include "PictureBinding.h"

#include "PictureBox.h"

namespace platform {

PictureBinding::PictureBinding(db::Query* query, const QString& column, PictureBox* box)
    : FieldBinding(query, column, box), m_box(box) {}

QVariant PictureBinding::value() const {
    return m_box->isEmpty() ? QVariant() : QVariant(m_box->bytes());
}

/// A blob that is not a picture (damaged, or written by another program)
/// shows an empty box rather than the previous row's picture.
void PictureBinding::show(const QVariant& value) {
    if (value.isNull() || !m_box->setPicture(value.toByteArray()))
        m_box->clear();
}

}  // namespace platform
