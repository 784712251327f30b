#include "race/TicketLayouts.h"

#include <QFile>
#include <QTextStream>

namespace report = platform::report;
using report::Align;
using report::Band;
using report::BandKind;
using report::Font;

namespace {

constexpr double kRow = 4.2;  // mm, one line of 8-point text

Font font(double size, bool bold = false) {
    Font f;
    f.pointSize = size;
    f.bold = bold;
    return f;
}

/// Every ticket row is a band of its own, so a long name that wraps pushes
/// the rows below it down instead of printing over them.
Band row(double height = kRow) {
    Band b;
    b.kind = BandKind::PageHeader;
    b.heightMm = height;
    return b;
}

Band centred(double width, const QString& text, Font f = font(8)) {
    Band b = row(f.pointSize > 8 ? kRow + 1 : kRow);
    auto item = report::text({0, 0, width, b.heightMm}, text, f, Align::Center);
    item.wordWrap = true;
    b.items << item;
    return b;
}

void putLane(QVariantMap& v, const QString& suffix, const TicketValues::LaneValues& lane) {
    const QList<std::pair<const char*, QString>> fields{
        {"PILOTO", lane.pilot},        {"PLACA", lane.plate},      {"VEICULO", lane.vehicle},
        {"NUM", lane.number},          {"SIGLA", lane.categoryCode}, {"CATEGORIA", lane.categoryName},
        {"BATERIA", lane.heat},        {"REACAO", lane.reaction},  {"PES60", lane.sixtyFoot},
        {"T50", lane.split1},          {"T100", lane.split2},      {"PISTA", lane.track},
        {"VEL", lane.speed},           {"FINAL", lane.final},      {"STATUS", lane.status},
    };
    for (const auto& [name, value] : fields) v.insert(QLatin1String(name) + suffix, value);
}

/// Values go to the engine as report values, never into the layout text, so
/// a brace in a pilot's name prints as it is.
report::ReportData dataOf(const TicketValues& t, const TicketSettings& s) {
    report::ReportData d;
    QVariantMap& v = d.values;
    v.insert(QStringLiteral("ORGANIZADOR"), t.organizer);
    v.insert(QStringLiteral("CAMPEONATO"), t.championship);
    v.insert(QStringLiteral("PATROCINADOR"), t.sponsor);
    v.insert(QStringLiteral("EVENTO"), t.event);
    v.insert(QStringLiteral("LOCAL"), t.place);
    v.insert(QStringLiteral("COMPRIMENTO_PISTA"), t.trackLength);
    v.insert(QStringLiteral("S_50M"), t.split1Caption);
    v.insert(QStringLiteral("S_100M"), t.split2Caption);
    v.insert(QStringLiteral("CREDITO"), s.creditLine);
    v.insert(QStringLiteral("TELEFONE"), s.phoneLine);
    v.insert(QStringLiteral("SITE"), s.site);
    putLane(v, QStringLiteral("_A"), t.a);
    putLane(v, QStringLiteral("_B"), t.b);
    return d;
}

/// The four lines that open both tickets: who, which championship, which
/// event, where.
QList<Band> heading(double width) {
    return {centred(width, QStringLiteral("{ORGANIZADOR}"), font(9, true)),
            centred(width, QStringLiteral("{CAMPEONATO}"), font(8, true)),
            centred(width, QStringLiteral("{EVENTO}")), centred(width, QStringLiteral("{LOCAL}"))};
}

// ---- 80 mm: lane A | caption | lane B ----

constexpr double kSide = 27;     // mm of each lane's column
constexpr double kMiddle = 18;   // mm of the caption column

Band laneRow(const QString& caption, const QString& field, Font f = font(8)) {
    Band b = row(f.pointSize > 8 ? kRow + 1.5 : kRow);
    auto a = report::text({0, 0, kSide, b.heightMm}, QStringLiteral("{%1_A}").arg(field), f, Align::Right);
    // Top-aligned like the values beside it, which wrap when a name is long.
    auto c = report::text({kSide, 0.3, kMiddle, b.heightMm}, caption, font(7.5), Align::Center);
    c.wordWrap = true;
    auto bb = report::text({kSide + kMiddle, 0, kSide, b.heightMm}, QStringLiteral("{%1_B}").arg(field), f,
                           Align::Left);
    a.wordWrap = bb.wordWrap = true;
    b.items << a << c << bb;
    return b;
}

// ---- 57 mm: caption | value ----

constexpr double kNarrow = 48;

Band valueRow(const QString& caption, const QString& value, Font f = font(8)) {
    Band b = row(f.pointSize > 8 ? kRow + 1.5 : kRow + 0.6);
    b.items << report::text({0, 0, kNarrow * 0.55, b.heightMm}, caption, font(8, f.bold), Align::Left)
            << report::text({kNarrow * 0.55, 0, kNarrow * 0.45, b.heightMm}, value, f, Align::Right)
            << report::line({0, b.heightMm}, {kNarrow, b.heightMm}, 0.1);
    return b;
}

QList<Band> lane57Rows(Lane lane) {
    const QString x = lane == Lane::A ? QStringLiteral("_A") : QStringLiteral("_B");
    const QString side = lane == Lane::A ? QStringLiteral("Pista Esquerda   Bateria: ")
                                         : QStringLiteral("Pista Direita   Bateria: ");
    const auto f = [&x](const char* name) { return QStringLiteral("{%1%2}").arg(QLatin1String(name), x); };
    QList<Band> rows = heading(kNarrow);
    rows << centred(kNarrow, QStringLiteral("Impresso: {#now:dd/MM/yyyy hh:mm:ss}"), font(7));
    Band pilot = row(kRow + 1);
    auto name = report::text({0, 0, kNarrow, pilot.heightMm}, f("PILOTO"), font(9, true), Align::Left);
    name.wordWrap = true;
    pilot.items << name;
    Band vehicle = row();
    auto car = report::text({0, 0, kNarrow, kRow}, u'#' + f("PLACA") + QStringLiteral(" - ") + f("VEICULO"),
                            font(8));
    car.wordWrap = true;
    vehicle.items << car;
    Band category = row();
    auto cat = report::text({0, 0, kNarrow, kRow}, QStringLiteral("Cat.: ") + f("CATEGORIA"), font(8));
    cat.wordWrap = true;
    category.items << cat;
    Band heat = row();
    heat.items << report::text({0, 0, kNarrow, kRow}, side + f("BATERIA"), font(8));
    rows << pilot << vehicle << category << heat
         << valueRow(QStringLiteral("Reação"), f("REACAO"), font(8, true))
         << valueRow(QStringLiteral("60 pés"), f("PES60"))
         << valueRow(QStringLiteral("{S_50M}"), f("T50"))
         << valueRow(QStringLiteral("{S_100M}"), f("T100"))
         << valueRow(QStringLiteral("{COMPRIMENTO_PISTA} m"), f("PISTA"), font(8, true))
         << valueRow(QStringLiteral("Vel.Final (km/h)"), f("VEL"))
         << valueRow(QStringLiteral("Total (R+P)"), f("FINAL"), font(11, true))
         << valueRow(QStringLiteral("Status"), f("STATUS"), font(11, true));
    return rows;
}

/// The 57 mm slip of one lane, closed by the installation's own lines.
TicketReport narrowTicket(const TicketValues& values, Lane lane, const TicketSettings& settings,
                          const QList<Band>& closing) {
    TicketReport t;
    t.definition.title = QStringLiteral("Ticket %1").arg(laneLetter(lane));
    t.definition.page = report::PageSetup::roll57();
    t.definition.bands = lane57Rows(lane) + closing;
    t.data = dataOf(values, settings);
    return t;
}

}  // namespace

TicketReport ticket80(const TicketValues& values, const TicketSettings& settings) {
    TicketReport t;
    t.definition.title = QStringLiteral("Ticket");
    t.definition.page = report::PageSetup::roll80();
    const double width = 2 * kSide + kMiddle;
    QList<Band>& rows = t.definition.bands;
    rows << heading(width)
         // The slip's own short form of the time: 10/12/2026 as 9:5.
         << centred(width, QStringLiteral("{#now:dd/MM/yyyy} as {#now:H:m}"), font(7));
    Band titles = row(kRow + 1);
    titles.items << report::text({0, 0, kSide, titles.heightMm}, QStringLiteral("ESQUERDA"), font(8, true),
                                 Align::Right)
                 << report::text({kSide + kMiddle, 0, kSide, titles.heightMm}, QStringLiteral("DIREITA"),
                                 font(8, true), Align::Left)
                 << report::line({0, titles.heightMm}, {width, titles.heightMm}, 0.1);
    rows << titles << laneRow(QStringLiteral("Nome"), QStringLiteral("PILOTO"))
         << laneRow(QStringLiteral("Veic."), QStringLiteral("VEICULO"))
         << laneRow(QStringLiteral("Num."), QStringLiteral("NUM"), font(11, true))
         << laneRow(QStringLiteral("Categ."), QStringLiteral("SIGLA"));
    // A rolling start has no reaction; the 60-foot label then carries the
    // speed the car crossed the start with.
    if (!values.rollingStart) rows << laneRow(QStringLiteral("Reação"), QStringLiteral("REACAO"));
    rows << laneRow(values.rollingStart ? QStringLiteral("Vel Ini.") : QStringLiteral("60 Pés"),
                    QStringLiteral("PES60"))
         << laneRow(QStringLiteral("100m"), QStringLiteral("T100"))
         << laneRow(QStringLiteral("Pista"), QStringLiteral("PISTA"))
         << laneRow(QStringLiteral("Km/h"), QStringLiteral("VEL"))
         << laneRow(QStringLiteral("T. Final"), QStringLiteral("FINAL"), font(9, true))
         << laneRow(QStringLiteral("Status"), QStringLiteral("STATUS"), font(9, true))
         << centred(width, QStringLiteral("{CREDITO}"), font(7))
         << centred(width, QStringLiteral("Patrocinadores: {PATROCINADOR}"), font(7));
    t.data = dataOf(values, settings);
    return t;
}

TicketReport ticket57(const TicketValues& values, Lane lane, const TicketSettings& settings) {
    QList<Band> closing;
    if (!settings.logo.isNull()) {
        Band logo = row(14);
        logo.items << report::picture({0, 1, kNarrow, 12}, settings.logo);
        closing << logo;
    }
    closing << centred(kNarrow, QStringLiteral("{CREDITO}"), font(7))
            << centred(kNarrow, QStringLiteral("{TELEFONE}"), font(7))
            << centred(kNarrow, QStringLiteral("{SITE}"), font(7));
    return narrowTicket(values, lane, settings, closing);
}

TicketReport ticket57Site(const TicketValues& values, Lane lane, const TicketSettings& settings) {
    return narrowTicket(values, lane, settings,
                        {centred(kNarrow, QStringLiteral("{CREDITO}"), font(7)),
                         centred(kNarrow, QStringLiteral("Tempos disponivel no site: "), font(7)),
                         centred(kNarrow, QStringLiteral("{SITE}"), font(7, true))});
}

TicketSettings TicketSettings::load(const QString& stationFolder) {
    TicketSettings s;
    // Until the installation names its own, the slip carries the start
    // lights of the station's toolbar.
    Q_INIT_RESOURCE(ui);
    s.logo = QImage(QStringLiteral(":/ui/largada.svg"));
    QFile file(stationFolder + QStringLiteral("ticket.ini"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return s;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) continue;
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("credito")) s.creditLine = value;
        else if (key == QLatin1String("telefone")) s.phoneLine = value;
        else if (key == QLatin1String("site")) s.site = value;
        else if (key == QLatin1String("logo")) s.logo = QImage(value.startsWith(u'/') ? value : stationFolder + value);
    }
    return s;
}
