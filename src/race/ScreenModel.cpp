#include "ScreenModel.h"

const ScreenItem& ScreenModel::item(const QString& name) const {
    static const ScreenItem none;
    const auto it = m_items.constFind(name);
    return it == m_items.cend() ? none : *it;
}

template <typename T>
void ScreenModel::assign(const QString& name, T ScreenItem::*field, const T& value) {
    const bool known = m_items.contains(name);
    ScreenItem& item = m_items[name];
    if (known && item.*field == value) return;
    item.*field = value;
    emit changed(name);
}

void ScreenModel::setText(const QString& name, const QString& text) { assign(name, &ScreenItem::text, text); }
void ScreenModel::setVisible(const QString& name, bool visible) { assign(name, &ScreenItem::visible, visible); }
void ScreenModel::setEnabled(const QString& name, bool enabled) { assign(name, &ScreenItem::enabled, enabled); }
void ScreenModel::setPicture(const QString& name, const QString& picture) {
    assign(name, &ScreenItem::picture, picture);
}
void ScreenModel::setColor(const QString& name, const QString& color) { assign(name, &ScreenItem::color, color); }
void ScreenModel::setFontSize(const QString& name, int size) { assign(name, &ScreenItem::fontSize, size); }
