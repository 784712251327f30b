#pragma once

#include <QHash>
#include <QObject>
#include <QString>

/// What one screen item shows. Buttons use `text` as their caption and
/// `picture` for their icon; sensor dots use `color`.
struct ScreenItem {
    QString text;
    bool visible = true;
    bool enabled = true;
    QString picture;  // a name such as "align", "check", "abort"
    QString color;    // "red" / "green" for the sensor dots
    int fontSize = 0; // 0: the widget's own
};

/// The texts, captions, pictures and flags of the race screen, by object
/// name. The race rules read and write it (they often read a label back as
/// data, e.g. a lane's status text is the stored status); the main window
/// renders it. Keeping it apart from widgets lets the rules be tested alone.
class ScreenModel : public QObject {
    Q_OBJECT
public:
    explicit ScreenModel(QObject* parent = nullptr) : QObject(parent) {}

    bool has(const QString& name) const { return m_items.contains(name); }
    const ScreenItem& item(const QString& name) const;
    QStringList names() const { return m_items.keys(); }

    QString text(const QString& name) const { return item(name).text; }
    bool isVisible(const QString& name) const { return item(name).visible; }
    bool isEnabled(const QString& name) const { return item(name).enabled; }
    QString picture(const QString& name) const { return item(name).picture; }
    QString color(const QString& name) const { return item(name).color; }
    int fontSize(const QString& name) const { return item(name).fontSize; }

    void setText(const QString& name, const QString& text);
    void setVisible(const QString& name, bool visible);
    void show(const QString& name) { setVisible(name, true); }
    void hide(const QString& name) { setVisible(name, false); }
    void setEnabled(const QString& name, bool enabled);
    void setPicture(const QString& name, const QString& picture);
    void setColor(const QString& name, const QString& color);
    void setFontSize(const QString& name, int size);

signals:
    void changed(const QString& name);

private:
    template <typename T>
    void assign(const QString& name, T ScreenItem::*field, const T& value);

    QHash<QString, ScreenItem> m_items;
};
