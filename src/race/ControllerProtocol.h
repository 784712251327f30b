#pragma once

#include "race/RaceContext.h"

#include <QObject>
#include <QString>
#include <functional>

class QTimer;

/// The station's side of the controller's serial line: assembles received
/// characters into lines and applies each line and each immediate token to
/// the race pair, the screen, the companion link and the results monitor.
class ControllerProtocol : public QObject {
    Q_OBJECT
public:
    explicit ControllerProtocol(RaceContext& context, QObject* parent = nullptr);

    /// Processes the characters of one read, in arrival order. A payload that
    /// is not a number throws ConversionError; the rest of that read is
    /// dropped (the line buffer is already empty then).
    void receive(const QByteArray& chars);

    const QString& lineBuffer() const { return m_lineBuffer; }

    /// Called when the controller reports the start ("Largada").
    std::function<void()> onStartReceived = [] {};

private:
    // Implementation details are the protocol's own; see the .cpp.
    void character(QChar c);
    void lineChecks(const QString& line);
    void immediateChecks();

    RaceContext& m_ctx;
    QString m_lineBuffer;
    QTimer* m_tmrFonte;
};
