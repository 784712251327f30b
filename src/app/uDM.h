#pragma once

#include "db/Connection.h"
#include "db/Query.h"

#include <QObject>
#include <memory>

/// The data module: the race-database connection, the web connection and the
/// queries several windows share. The current rows of `qryCampeonato` and
/// `qryEvento` are the championship and the open event of the whole run.
class DM : public QObject {
    Q_OBJECT
public:
    explicit DM(const db::ConnectionSettings& race = db::ConnectionSettings::raceFromEnvironment(),
                const db::ConnectionSettings& web = db::ConnectionSettings::webFromEnvironment(),
                QObject* parent = nullptr);
    ~DM() override;

    /// The one data module of the program (null before start-up creates it).
    static DM* instance();

    db::Connection& connection() { return m_connection; }
    db::Connection& conPTL() { return m_web; }

    /// Opens the shared queries in the order start-up needs them.
    void openSharedQueries();

    int championshipCode() const;
    int eventCode() const;

    /// Asks "Deseja EXCLUIR esse registro ??"; true on Yes.
    static bool confirmDeletion();

    // Start-up state.
    QString serverFound = QStringLiteral("N");
    QString serverAddress;
    QString isMainStation = QStringLiteral("N");
    /// "s" while the vehicles window is open.
    QString vehicleWindowOpen = QStringLiteral("n");

    // Shared queries.
    db::Query* qryCampeonato;
    db::Query* qryEvento;
    db::Query* qryOrganizador;
    db::Query* qryConfiguracao;
    db::Query* qryVeiculo;
    db::Query* qryInscricao;
    db::Query* qryCategoria;
    db::Query* qryVerShark;
    db::Query* qryResultados;
    db::Query* qryResult_Treinos;
    db::Query* qryRESULT_JEEP;
    db::Query* qryDesclassificados;
    db::Query* qryAREA_RODADA;
    db::Query* qryContRace;
    db::Query* qryMelhorTempoPista;
    db::Query* qryVeicEdt;
    db::Query* qryDelResult;
    db::Query* qryEstacao;

    /// Next race number of a category in an event: one more than the highest stored.
    int nextRaceNumber(int eventCode, int categoryCode);
    /// Best track time (> 2 s) of a vehicle in an event; 0 when it has none.
    double bestTrackTime(int eventCode, int vehicleCode);

private:
    db::Query* makeQuery(const QString& sql, const QString& table = {}, bool guarded = false);
    void wireChaining();
    void deleteRunsOfVehicle(int vehicleCode);
    static void reopen(db::Query* q);

    db::Connection m_connection;
    db::Connection m_web;
};
