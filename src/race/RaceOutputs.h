#pragma once

#include "race/RacePair.h"

#include <QString>

/// The controller's serial line as the race rules see it: text written as it
/// stands. Writing while the port is closed does nothing.
class ControllerPort {
public:
    virtual ~ControllerPort() = default;
    virtual void write(const QString& command) = 0;
};

/// The station's client of the message hub. `message` is complete, key,
/// ":", value and "@" (e.g. "RA:0.512@"); a message sent while not
/// connected is dropped.
class Publisher {
public:
    virtual ~Publisher() = default;
    virtual void publish(const QString& message) = 0;
};

/// The results monitor window, updated only while it is open.
class ResultsMonitor {
public:
    virtual ~ResultsMonitor() = default;
    virtual bool isOpen() const = 0;
    virtual void setLaneTime(Lane lane, const QString& text) = 0;
    virtual void setLaneSpeed(Lane lane, const QString& text) = 0;
    virtual void setBlackBackground() = 0;
};

/// What the race rules read from the race database: the open championship's
/// flags, the settings row and the lane-A position query.
class RaceData {
public:
    struct Championship {
        QString bonus = QStringLiteral("N");
        QString jeep = QStringLiteral("N");
        QString flyingStart = QStringLiteral("N");  // LARG_LANCADA
        int maxFlyingSpeed = 0;                     // VEL_MAX_LANCADO
        QString prosolo = QStringLiteral("N");
    };

    virtual ~RaceData() = default;
    virtual Championship championship() const = 0;
    /// CONFIGURACAO.LADO_PISTA, sent with each new race.
    virtual QString trackSide() const = 0;
    /// CONFIGURACAO.IMPRESSORA_TICKET.
    virtual QString ticketPrinter() const = 0;
    /// 1-based position of the vehicle among the best valid final times of
    /// the open event in the category; 99 when it has none.
    virtual int position(int vehicleCode, int categoryCode) = 0;
};

/// A results monitor that is never open: the station's until the window exists.
class NullMonitor : public ResultsMonitor {
public:
    bool isOpen() const override { return false; }
    void setLaneTime(Lane, const QString&) override {}
    void setLaneSpeed(Lane, const QString&) override {}
    void setBlackBackground() override {}
};
