#pragma once

#include "race/TicketLayouts.h"

#include <functional>

class DM;
class ScreenModel;
struct RacePair;
class QWidget;
namespace db {
class Query;
}

/// Builds a ticket from what the main window shows and hands it to the
/// report outputs: the preview, or the default printer without a dialog.
/// Printing errors travel to the caller (and so to the error handler).
class TicketPrinter {
public:
    using VehicleRow = std::function<const db::Query*(Lane)>;

    TicketPrinter(DM& dm, const RacePair& pair, const ScreenModel& screen, VehicleRow vehicleRow,
                  QString stationFolder);

    /// The values the ticket prints, as of now.
    TicketValues collect() const;

    void preview80(QWidget* parent);
    void print80();
    void print57(Lane lane);

private:
    DM& m_dm;
    const RacePair& m_pair;
    const ScreenModel& m_screen;
    VehicleRow m_vehicleRow;
    QString m_stationFolder;
};
