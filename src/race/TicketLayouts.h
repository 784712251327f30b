#pragma once

#include "race/RacePair.h"

#include "platform/report/ReportDefinition.h"

#include <QImage>

/// What a ticket prints, copied from the records and the main window at the
/// moment of printing (never read back from the stored run).
struct TicketValues {
    struct LaneValues {
        QString pilot;         // PILOTO of the lane's vehicle row
        QString plate;         // PLACA of the lane's vehicle row
        QString vehicle;       // VEICULO
        QString number;        // the plate edit as shown
        QString categoryCode;  // the category list box text (SIGLA)
        QString categoryName;  // the category label
        QString heat;
        QString reaction, sixtyFoot, split1, split2, track, speed, final, status;
    };
    QString organizer, championship, sponsor, event, place, trackLength;
    QString split1Caption;  // configuracao.S_50M
    QString split2Caption;  // configuracao.S_100M
    bool rollingStart = false;  // campeonato.LARG_LANCADA "S"
    LaneValues a, b;
};

/// The installation's own lines: they name the timing provider, so they are
/// configuration, read from "ticket.ini" in the station folder.
struct TicketSettings {
    QString creditLine = QStringLiteral("Cronometragem eletrônica");
    QString phoneLine = QStringLiteral("Suporte técnico da cronometragem");
    QString site;
    QImage logo;

    /// Lines "credito=", "telefone=", "site=" and "logo=" (a picture file);
    /// a missing file or key keeps the default.
    static TicketSettings load(const QString& stationFolder);
};

/// A ticket ready for the report engine: its layout and its values.
struct TicketReport {
    platform::report::ReportDefinition definition;
    platform::report::ReportData data;
};

/// The 80 mm ticket: both lanes side by side around the row captions.
TicketReport ticket80(const TicketValues& values, const TicketSettings& settings);
/// The 57 mm ticket of one lane.
TicketReport ticket57(const TicketValues& values, Lane lane, const TicketSettings& settings);
/// The 57 mm ticket with the web-site lines; kept for the "V" setting, which
/// no print command uses.
TicketReport ticket57Site(const TicketValues& values, Lane lane, const TicketSettings& settings);
