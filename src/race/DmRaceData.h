#pragma once

#include "race/RaceOutputs.h"

class DM;

/// The race rules' view of the race database, read through the data module:
/// the open championship and event, the settings row and the lane position.
class DmRaceData : public RaceData {
public:
    explicit DmRaceData(DM* dm) : m_dm(dm) {}

    Championship championship() const override;
    QString trackSide() const override;
    QString ticketPrinter() const override;
    int position(int vehicleCode, int categoryCode) override;

private:
    DM* m_dm;
};
