#pragma once

#include "race/RaceContext.h"

#include <QBitArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

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
    /// A check run against the whole line buffer after each character.
    struct ImmediateToken {
        QString token;
        bool prefix;  // else the buffer must equal the token
        std::function<void()> effect;
    };
    /// A check run on a complete line; `effect` gets the text after the token.
    struct LineToken {
        QString token;
        bool exact;  // else a prefix
        std::function<void(const QString& payload)> effect;
    };

    void character(QChar c);
    void lineChecks(const QString& line);
    void immediateChecks();
    void buildLineTokens();
    void buildImmediateTokens();

    // Line effects, per lane where the controller sends a lane's twin.
    void foul(Lane lane);
    void reaction(Lane lane, const QString& payload);
    void sixtyFoot(Lane lane, const QString& payload);
    void sixtyFootRule(Lane lane);
    void split1(Lane lane, const QString& payload);
    void split2(Lane lane, const QString& payload);
    void finishSpeed(Lane lane, const QString& payload);
    void trackTime(Lane lane, const QString& payload);
    void trapSpeed(Lane lane, const QString& payload, bool upperBound);
    void trapSpeed10m(const QString& payload);
    void speedPointB(Lane lane, const QString& payload);
    void speedPointC(Lane lane, const QString& payload);
    void finalTimeA(const QString& payload);
    void finalTimeB(const QString& payload);

    // Immediate effects.
    void finished();
    void sensor(Lane lane, QChar point, bool high);
    void aligned();
    void hideLamps(bool blueToo);
    void shrinkCountdownFont();

    void monitorTime(Lane lane, const QString& text);
    void monitorSpeed(Lane lane, const QString& text);
    void alignButton(const QString& caption, const QString& picture);

    RaceContext& m_ctx;
    QString m_lineBuffer;
    QTimer* m_tmrFonte;
    std::vector<LineToken> m_lineTokens;
    std::vector<ImmediateToken> m_immediateTokens;  // in the order the checks are told
    std::vector<qsizetype> m_prefixTokens;          // indexes into m_immediateTokens
    QHash<QString, qsizetype> m_exactTokens;        // token → index into m_immediateTokens
    qsizetype m_longestExactToken = 0;
    QBitArray m_tokenStarts;                        // first characters of all immediate tokens
};
