#include "ScreenBinder.h"

#include "race/ClickableLabel.h"
#include "race/Lamp.h"
#include "race/RaceButton.h"
#include "race/ScreenModel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace {

const QString kYes = QStringLiteral("S");

}  // namespace

ScreenBinder::ScreenBinder(ScreenModel& model, QWidget* root, QObject* parent)
    : QObject(parent), m_model(model), m_root(root) {
    connect(&m_model, &ScreenModel::changed, this, &ScreenBinder::render);
    watchInputs();
}

QWidget* ScreenBinder::widget(const QString& name) {
    auto it = m_widgets.find(name);
    if (it != m_widgets.end() && *it)
        return *it;
    if (m_missing.contains(name))
        return nullptr;
    // Looked up once and kept: the rules change some items hundreds of times a run.
    QWidget* w = m_root->findChild<QWidget*>(name);
    if (w)
        m_widgets.insert(name, w);
    else
        m_missing.insert(name);
    return w;
}

void ScreenBinder::renderAll() {
    for (const QString& name : m_model.names()) render(name);
}

void ScreenBinder::seedFrom(QWidget* under, const QSet<QString>& skip) {
    m_seeding = true;
    for (QWidget* w : under->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || skip.contains(name) || m_model.has(name))
            continue;
        if (auto* lamp = qobject_cast<Lamp*>(w)) {
            m_model.setVisible(name, lamp->isLit());
            m_model.setColor(name, lamp->colorName());
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            m_model.setText(name, check->isChecked() ? kYes : QStringLiteral("N"));
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            m_model.setText(name, button->text());
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (qobject_cast<QComboBox*>(edit->parentWidget()))
                continue;
            m_model.setText(name, edit->text());
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            m_model.setText(name, label->text());
        } else {
            continue;  // panels and lists are layout, not screen items
        }
        m_model.setVisible(name, qobject_cast<Lamp*>(w) ? m_model.isVisible(name) : !w->isHidden());
        m_model.setEnabled(name, !w->testAttribute(Qt::WA_ForceDisabled));
    }
    m_seeding = false;
}

void ScreenBinder::render(const QString& name) {
    if (m_seeding)
        return;
    if (QWidget* w = widget(name))
        apply(w, m_model.item(name));
}

void ScreenBinder::apply(QWidget* w, const ScreenItem& item) {
    w->setEnabled(item.enabled);

    if (auto* lamp = qobject_cast<Lamp*>(w)) {
        lamp->setLit(item.visible);
        if (!item.color.isEmpty())
            lamp->setColorName(item.color);
        return;
    }
    w->setVisible(item.visible);

    if (auto* check = qobject_cast<QCheckBox*>(w)) {
        check->setChecked(item.text == kYes);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(item.text);
        if (!item.picture.isEmpty())
            button->setIcon(RaceButton::pictureIcon(item.picture));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        // Only a real change: setting the same text would move the cursor
        // under the operator's fingers.
        if (edit->text() != item.text)
            edit->setText(item.text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        const auto* picture = qobject_cast<ClickableLabel*>(w);
        if (!(picture && picture->isPicture()))
            label->setText(item.text);
        if (label->property("styleByText").toBool() &&
            label->property("screenText").toString() != item.text) {
            // A label styled by what it says (a status in red or green):
            // the style sheet matches the text through this property.
            label->setProperty("screenText", item.text);
            label->style()->unpolish(label);
            label->style()->polish(label);
        }
        if (item.fontSize > 0) {
            QFont f = label->font();
            f.setPointSize(item.fontSize);
            label->setFont(f);
        }
    }
}

/// The operator's side: typing in an entry or ticking a box is the same as a
/// rule writing the item, so the rules read back what is on the screen.
void ScreenBinder::watchInputs() {
    m_missing.clear();
    for (QLineEdit* edit : m_root->findChildren<QLineEdit*>()) {
        if (edit->objectName().isEmpty() || qobject_cast<QComboBox*>(edit->parentWidget()))
            continue;  // the inner entry of a combo box is no screen item
        if (m_watched.contains(edit))
            continue;
        m_watched.insert(edit);
        connect(edit, &QLineEdit::textEdited, this,
                [this, edit](const QString& text) { m_model.setText(edit->objectName(), text); });
    }
    for (QCheckBox* check : m_root->findChildren<QCheckBox*>()) {
        if (check->objectName().isEmpty() || m_watched.contains(check))
            continue;
        m_watched.insert(check);
        connect(check, &QCheckBox::clicked, this, [this, check](bool on) {
            m_model.setText(check->objectName(), on ? kYes : QStringLiteral("N"));
        });
    }
}
