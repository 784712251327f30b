#include "race/TicketPrinter.h"

#include "app/uDM.h"
#include "db/Query.h"
#include "platform/Clock.h"
#include "platform/report/ReportOutput.h"
#include "race/RacePair.h"
#include "race/ScreenModel.h"

namespace report = platform::report;

namespace {

QString field(const db::Query* q, const char* name) {
    return q && q->isOpen() && !q->isEmpty() ? q->text(QLatin1String(name)) : QString();
}

report::LaidOutDocument laidOut(const TicketReport& t) {
    return report::layOut(t.definition, t.data, platform::Clock::now());
}

}  // namespace

TicketPrinter::TicketPrinter(DM& dm, const RacePair& pair, const ScreenModel& screen, VehicleRow vehicleRow,
                             QString stationFolder)
    : m_dm(dm), m_pair(pair), m_screen(screen), m_vehicleRow(std::move(vehicleRow)), m_stationFolder(std::move(stationFolder)) {}

TicketValues TicketPrinter::collect() const {
    TicketValues t;
    t.organizer = field(m_dm.qryOrganizador, "ORGANIZADOR");
    t.championship = field(m_dm.qryCampeonato, "CAMPEONATO");
    t.sponsor = field(m_dm.qryCampeonato, "PATROCINADOR");
    t.rollingStart = field(m_dm.qryCampeonato, "LARG_LANCADA") == QLatin1String("S");
    t.event = field(m_dm.qryEvento, "EVENTO");
    t.place = field(m_dm.qryEvento, "LOCAL");
    t.trackLength = field(m_dm.qryEvento, "COMPRIMENTO_PISTA");
    t.split1Caption = field(m_dm.qryConfiguracao, "S_50M");
    t.split2Caption = field(m_dm.qryConfiguracao, "S_100M");
    for (Lane lane : {Lane::A, Lane::B}) {
        const QString x = laneLetter(lane);
        const auto shown = [&](const char* stem) {
            const QString name = QLatin1String(stem) + x;
            return m_screen.has(name) ? m_screen.text(name) : QString();
        };
        TicketValues::LaneValues& v = lane == Lane::A ? t.a : t.b;
        // The lane's pilot list stays open on some row after a new race; only
        // a loaded vehicle may put a name on the slip.
        const bool loaded = (lane == Lane::A ? m_pair.a : m_pair.b).vehicleCode > 0;
        const db::Query* row = loaded ? m_vehicleRow(lane) : nullptr;
        v.pilot = field(row, "PILOTO");
        v.plate = field(row, "PLACA");
        v.vehicle = field(row, "VEICULO");
        v.number = shown("edtPlaca");
        v.categoryCode = shown("DBLBoxCat");
        v.categoryName = shown("lblCateg");
        v.heat = shown("cbBateria");
        v.reaction = shown("lblR");
        v.sixtyFoot = shown("lblP");
        v.split1 = shown("lbl50");
        v.split2 = shown("lbl100");
        v.track = shown("lblPista");
        v.speed = shown("lblV");
        v.final = shown("lblF");
        v.status = shown("lblStatus");
    }
    return t;
}

void TicketPrinter::preview80(QWidget* parent) {
    report::output().preview(laidOut(ticket80(collect(), TicketSettings::load(m_stationFolder))), parent);
}

void TicketPrinter::print80() {
    report::output().print(laidOut(ticket80(collect(), TicketSettings::load(m_stationFolder))), 1);
}

void TicketPrinter::print57(Lane lane) {
    report::output().print(laidOut(ticket57(collect(), lane, TicketSettings::load(m_stationFolder))), 1);
}
