#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class QWidget;
class ScreenModel;
struct ScreenItem;

/// Renders the screen model onto the widgets of the same object name under
/// `root`, and writes what the operator types or ticks back into it.
///
/// By kind of widget: a lamp is lit while its item is visible and takes the
/// item's colour; a picture shows or hides; a label, entry or button takes
/// the text as text or caption and a button the item's picture as icon; a
/// check box is ticked by the text "S". Every widget takes the enabled flag
/// and a label the font size when one is set. A label marked with the
/// property "styleByText" also gets its text as the property "screenText",
/// for style rules by content (a status in red or green). Items without a
/// widget are kept in the model only.
class ScreenBinder : public QObject {
    Q_OBJECT
public:
    ScreenBinder(ScreenModel& model, QWidget* root, QObject* parent = nullptr);

    /// Takes the state the layout gives each named widget under `under` into
    /// the model, for items the model does not hold yet, so that a rule that
    /// first touches one flag of an item keeps the layout's text and the
    /// rest. `skip` names widgets that are not race items.
    void seedFrom(QWidget* under, const QSet<QString>& skip = {});
    /// Renders every item the model holds, for a model filled before binding.
    void renderAll();
    /// Renders one item; does nothing when no widget has that name.
    void render(const QString& name);

    QWidget* widget(const QString& name);

    /// Writes the operator's edits of every named entry and check box under
    /// the root back into the model; widgets added later are taken up by
    /// calling it again.
    void watchInputs();

private:
    void apply(QWidget* w, const ScreenItem& item);

    ScreenModel& m_model;
    QWidget* m_root;
    QHash<QString, QPointer<QWidget>> m_widgets;
    QSet<QString> m_missing;  // items without a widget, until widgets are added
    QSet<QObject*> m_watched;
    bool m_seeding = false;
};
