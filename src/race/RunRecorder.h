#pragma once

#include "race/RaceContext.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class DM;
class SaveTransaction;
namespace db {
class Query;
}

/// "Salvar (F4)": turns the finished pair into stored runs. It decides each
/// lane's status, writes the `resultados` rows (with the shark-tank copy),
/// the training rows, the jeep totals and the automatic disqualifications,
/// decides the knockout race, and then tells the screen, the controller and
/// the companion, prints the ticket and writes the run log.
///
/// Every row of one save is written in one transaction: a refusal or an
/// error half-way leaves nothing stored and the save button enabled, so
/// pressing F4 again after the correction stores the pair exactly once.
/// Only once the rows are committed does the save say so ("salvou:", the
/// ticket, ": Salvou") and disable itself.
class RunRecorder : public QObject {
    Q_OBJECT
public:
    /// What the save reads of a lane beyond the race pair and the screen:
    /// the lane's vehicle row and category record as lane loading left them.
    struct LaneRecord {
        QString vehicle;        // VEICULO of the vehicle row, empty when none was found
        QString pilot;          // PILOTO
        double targetTime = 0;  // TMP_ALVO
        QString noShark;        // NOSHARK
        QString list;           // LISTA of the category
        QString onTarget;       // NA_MOSCA of the category
        QString knockout;       // MATA_MATA of the category
    };

    /// The record of a lane from its vehicle row (`qryPilotoA`) and category
    /// record (`qryCatA`); a closed or empty query gives empty fields.
    static LaneRecord laneRecordOf(const db::Query* vehicleRow, const db::Query* categoryRecord);

    RunRecorder(RaceContext& context, DM& dm, QObject* parent = nullptr);

    /// The save. Does nothing while `btnSalvar` is disabled. Refusals show
    /// their message and return; database errors are thrown (for the
    /// application's error handler) after everything of this save was taken
    /// back, with a text that says the pair was not stored.
    void save();

    /// The jeep sum text: whole minutes, ":", the remaining seconds with
    /// three decimals and a decimal comma (65.123 → "1:5,123").
    static QString jeepTotalText(double seconds);
    /// A number as the general format writes it: up to 15 significant digits,
    /// decimal comma, no trailing zeros (0.05 → "0,05").
    static QString generalText(double value);

    /// Hooks into lane loading, the results monitor, the ticket and the main
    /// window. Unbound ones do nothing.
    struct Hooks {
        /// The lane's vehicle row and category record (see laneRecordOf).
        std::function<LaneRecord(Lane)> laneRecord = [](Lane) { return LaneRecord{}; };
        /// Re-runs the lane's run grid after its row was stored.
        std::function<void(Lane)> refreshRuns = [](Lane) {};
        /// "Ticket Auto" is checked: the ticket of the saved pair.
        std::function<void()> printTicket = [] {};
        /// Writes the run log to its file and empties it.
        std::function<void()> writeRunLog = [] {};
        /// The results monitor's reaction ranking, asked only while it is open.
        std::function<void()> refreshReactionRanking = [] {};
        /// A lane's jeep total on the results monitor, only while it is open.
        std::function<void(Lane, const QString&)> showJeepTotal = [](Lane, const QString&) {};
    } hooks;

signals:
    /// The rules move the focus to the screen item of this name.
    void focusRequested(const QString& name);

private:
    struct StoredRun {
        bool stored = false;
        int categoryCode = 0;
        int raceNumber = 0;
    };

    void sendSpeeds();
    void showCredits();
    bool checkPair();
    bool storeRows();
    bool writeRows();
    bool storeRun(Lane lane);
    QString statusOf(Lane lane, const QString& heat);
    void storeDisqualification(Lane lane, const QString& heat);
    void storeSharkCopy(Lane lane, const QString& heat, const LaneRecord& record);
    void storeTrainingRow(Lane lane);
    void storeJeepTotals();
    void decideKnockout();
    void markOpenEvent();
    void abandon() noexcept;
    void announce();
    void showPosition(Lane lane);

    db::Query* appendRun(Lane lane, int categoryCode);
    void store(db::Query* q);
    db::Query* opened(db::Query* q);
    void track(db::Query* q);
    int wholeSeconds(const QString& item) const;
    QString heatOf(Lane lane) const;
    QString statusText(Lane lane) const;
    bool hasVehicle(Lane lane) const;
    void tell(const QString& message) const;

    RaceContext& m_ctx;
    DM& m_dm;
    db::Query* m_qryMataMata;
    SaveTransaction* m_tx = nullptr;
    bool m_saving = false;

    // What the save under way has done, for what follows and for taking it back.
    StoredRun m_runA;
    QList<QPair<Lane, QString>> m_jeepTexts;
    QStringList m_knockoutMessages;
    QList<db::Query*> m_written;
    QList<Lane> m_refreshedLanes;
};
