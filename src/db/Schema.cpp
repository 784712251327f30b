#include "Schema.h"

#include "Connection.h"
#include "DbError.h"

#include <QSet>

namespace db {

namespace {

QString text(int width) { return QStringLiteral("VARCHAR(%1)").arg(width); }
const QString kInt = QStringLiteral("INT");
const QString kDouble = QStringLiteral("DOUBLE");
const QString kDate = QStringLiteral("DATE");
const QString kTime = QStringLiteral("TIME");
const QString kDateTime = QStringLiteral("DATETIME");
const QString kBlob = QStringLiteral("LONGBLOB");
const QString kFlag = QStringLiteral("VARCHAR(1)");
// Flags that readers compare with 'N' while some writers leave them empty.
const QString kFlagN = QStringLiteral("VARCHAR(1) DEFAULT 'N'");
const QString kStampNow = QStringLiteral("DATETIME DEFAULT CURRENT_TIMESTAMP");
const QString kStampUpdate =
    QStringLiteral("DATETIME DEFAULT CURRENT_TIMESTAMP ON UPDATE CURRENT_TIMESTAMP");
const QString kDecimal = QStringLiteral("DECIMAL(10,2)");

ColumnDef col(const char* name, const QString& type) { return {QString::fromLatin1(name), type}; }
IndexDef idx(const char* name, const char* columns) {
    return {QString::fromLatin1(name), QString::fromLatin1(columns)};
}
const QString kKey = QStringLiteral("CODIGO");

QList<TableDef> buildTables() {
    QList<TableDef> t;
    t << TableDef{QStringLiteral("campeonato"), kKey,
                  {col("CAMPEONATO", text(75)), col("DETALHES", text(250)), col("WEB", kFlag),
                   col("BONUS", kFlagN), col("TEMPO_MINIMO", kFlagN), col("JEEP", kFlagN),
                   col("PATROCINADOR", text(30)), col("LOGOTIPO", text(150)),
                   col("LARG_LANCADA", kFlagN), col("VEL_MAX_LANCADO", kInt), col("PROSOLO", kFlagN)},
                  {}};
    t << TableDef{QStringLiteral("evento"), kKey,
                  {col("EVENTO", text(120)), col("DATA", kDate), col("LOCAL", text(50)),
                   col("COD_CAMPEONATO", kInt), col("WEB", kFlag), col("LOGOTIPO_EVENTO", text(200)),
                   col("COMPRIMENTO_PISTA", kInt), col("APROVA_AUTO", kFlagN), col("DIAL_AUTO", kFlagN),
                   col("PARCIAL01", kInt), col("PARCIAL02", kInt), col("PARCIAL03", kInt),
                   col("QRCODE_TEMPOS", text(200)), col("LINK_TEMPOS_SITE", text(200)),
                   col("IMG_QRCODE", kBlob), col("IMG_LOGO_EVENTO", kBlob),
                   col("ARQ_LOGO_EVENTO", text(50)), col("ID_EVENTO_SITE", kInt),
                   col("TOPSPEED", kFlagN), col("CLASS_AUTO", kFlagN), col("CLASS_TROCA_AUTO", kFlagN)},
                  {idx("IX_EVENTO_CAMPEONATO", "COD_CAMPEONATO, DATA")}};
    t << TableDef{QStringLiteral("categoria"), kKey,
                  {col("SIGLA", text(5)), col("CATEGORIA", text(50)), col("DESCRICAO", text(200)),
                   col("COD_CAMPEONATO", kInt), col("WEB", kFlag),
                   col("TEMPO_MINIMO", kDouble + QStringLiteral(" DEFAULT 0")),
                   col("RECORD_TEMPO", kDouble), col("RECORD_PILOTO", text(100)),
                   col("DATA_RECORD", kDate), col("MIN_PISTA_TOTAL", text(1)), col("TEMPO_MAX", kDouble),
                   col("TXT_PAINEL", text(5)), col("SHARKTANK", kFlagN),
                   col("TREE_MODE", kInt + QStringLiteral(" DEFAULT 0")), col("MATA_MATA", kFlagN),
                   col("CAT_TREINO", kFlagN), col("TREINO", kFlagN), col("LISTA", kFlagN),
                   col("DIAL_AUTO", kFlagN), col("NA_MOSCA", kFlagN), col("AUTO_START", kFlagN),
                   col("CATEG_PAI", kInt), col("MATA_MATA_QUANT", kInt), col("MATA_MATA_ORDENA", text(1)),
                   col("MATA_MATA_TOTAL_VEIC", kInt), col("WHATS_ENVIOU", kFlagN)},
                  {idx("IX_CATEGORIA_CAMPEONATO", "COD_CAMPEONATO, SIGLA")}};
    t << TableDef{QStringLiteral("veiculo"), kKey,
                  {col("PLACA", text(8)), col("COD_CAMPEONATO", kInt), col("VEICULO", text(60)),
                   col("PILOTO", text(60)), col("APELIDO", text(15)), col("CIDADE", text(70)),
                   col("DETALHES_VEICULO", text(250)), col("EQUIPE", text(100)), col("EMAIL", text(75)),
                   col("CELULAR", text(15)), col("WEB", kFlag), col("CPF", text(14)), col("CNH", text(14)),
                   col("FOTO", text(200)), col("TMP_DIAL", kDouble), col("NOSHARK", kFlagN),
                   col("RG", text(12)), col("TMP_DIAL_AUTO", kDouble), col("NOME_ARQ_FOTO", text(50)),
                   col("NOME_ARQ_FOTO_carro", text(50)), col("DT_HR_CAD", kStampNow),
                   col("FOTO_PILOTO", kBlob), col("FOTO_CARRO", kBlob), col("DT_HR_ATUAL", kStampUpdate),
                   col("TMP_ALVO", kDouble)},
                  {idx("IX_VEICULO_PLACA", "PLACA"), idx("IX_VEICULO_CAMPEONATO", "COD_CAMPEONATO, PLACA")}};
    t << TableDef{QStringLiteral("inscricao"), kKey,
                  {col("COD_EVENTO", kInt), col("COD_CATEGORIA", kInt), col("COD_VEICULO", kInt),
                   col("VALIDO", kFlagN), col("WEB", kFlag), col("ONTARGET", kInt)},
                  {idx("IX_INSCRICAO_EVT_CAT_VEIC", "COD_EVENTO, COD_CATEGORIA, COD_VEICULO"),
                   idx("IX_INSCRICAO_VEICULO", "COD_VEICULO, COD_EVENTO")}};
    t << TableDef{QStringLiteral("resultados"), kKey,
                  {col("COD_EVENTO", kInt), col("COD_VEICULO", kInt), col("COD_CATEGORIA", kInt),
                   col("LADO_PISTA", text(8)), col("STATUS", text(10)), col("BATERIA", text(2)),
                   col("DATA", kDate), col("HORA", kTime), col("REACAO", kDouble), col("TPISTA", kDouble),
                   col("TFINAL", kDouble), col("TPES", kDouble), col("WEB", kFlag), col("TBONUS", kDouble),
                   col("TPENALIZACAO", kDouble), col("TVEL_FINAL", kDouble), col("T100", kDouble),
                   col("T50", kDouble), col("VEL_INICIAL", kInt), col("VEL_FINAL", kDouble),
                   col("VEL_PARC1", kDouble), col("VEL_PARC2", kDouble), col("SMS_ENVIADO", kFlagN),
                   col("WHATS_ENVIADO", kFlagN), col("DIAL", kDouble), col("SHARKTANK", kFlagN),
                   col("LISTA", kFlagN), col("DT_HR_ATUAL", kStampUpdate), col("TMP_ALVO", kDouble),
                   col("NA_MOSCA", kDouble), col("RACE", kInt), col("MMROUND", kInt), col("MMRACE", kInt)},
                  {idx("IX_RESULTADOS_EVT_CAT_VEIC", "COD_EVENTO, COD_CATEGORIA, COD_VEICULO"),
                   idx("IX_RESULTADOS_VEICULO", "COD_VEICULO")}};
    t << TableDef{QStringLiteral("result_treinos"), kKey,
                  {col("PLACA", text(5)), col("VEICULO", text(50)), col("PILOTO", text(50)),
                   col("LADO_PISTA", text(8)), col("VEL_FINAL", kInt), col("STATUS", text(10)),
                   col("BATERIA", text(1)), col("DATA", kDate), col("HORA", kTime), col("REACAO", kDouble),
                   col("TPISTA", kDouble), col("TFINAL", kDouble), col("TPES", kDouble), col("WEB", kFlag),
                   col("COD_EVENTO", kInt)},
                  {idx("IX_TREINOS_EVENTO", "COD_EVENTO")}};
    t << TableDef{QStringLiteral("result_jeep"), kKey,
                  {col("COD_EVENTO", kInt), col("COD_VEICULO", kInt), col("COD_CATEGORIA", kInt),
                   col("BATERIA", text(1)), col("TTOTAL", kTime), col("TOTAL_SEC", kDouble)},
                  {idx("IX_JEEP_EVT_CAT_VEIC", "COD_EVENTO, COD_CATEGORIA, COD_VEICULO")}};
    t << TableDef{QStringLiteral("desclassicados"), kKey,
                  {col("COD_EVENTO", kInt), col("COD_RESULTADO", kInt), col("MOTIVO", text(250)),
                   col("WEB", kFlag), col("COD_CATEGORIA", kInt), col("COD_PILOTO", kInt),
                   col("BATERIA", text(1)), col("TFINAL", kDouble), col("SIGLA", text(5))},
                  {idx("IX_DESCLASS_EVT_CAT_PILOTO", "COD_EVENTO, COD_CATEGORIA, COD_PILOTO")}};
    t << TableDef{QStringLiteral("mata_mata"), kKey,
                  {col("CD_EVENTO", kInt), col("CD_CATEGORIA", kInt), col("CD_VEICULO1", kInt),
                   col("CD_VEICULO2", kInt), col("WO1", kFlagN), col("WO2", kFlagN), col("ROUND", kInt),
                   col("RACE", kInt), col("CD_GANHOU", kInt + QStringLiteral(" DEFAULT 0")),
                   col("DATA", kDate), col("HORA", kTime), col("POSICAO", kInt), col("OBS", text(50)),
                   col("TREACAO", kDouble), col("TTOTAL", kDouble)},
                  {idx("IX_MATA_MATA_EVT_CAT", "CD_EVENTO, CD_CATEGORIA, ROUND, RACE")}};
    t << TableDef{QStringLiteral("mata_mata_class"), kKey,
                  {col("CD_EVENTO", kInt), col("CD_CATEGORIA", kInt), col("CD_VEICULO", kInt),
                   col("POSICAO", kInt)},
                  {idx("IX_MATA_MATA_CLASS_EVT_CAT", "CD_EVENTO, CD_CATEGORIA, CD_VEICULO")}};
    TableDef area{QStringLiteral("area_rodada"), kKey, {col("COD_EVENTO", kInt)},
                  {idx("IX_AREA_RODADA_EVENTO", "COD_EVENTO")}};
    for (const QString& c : Schema::roundAreaColumns()) area.columns << ColumnDef{c, kInt};
    t << area;
    t << TableDef{QStringLiteral("rank_largadas"), kKey,
                  {col("COD_VEICULO", kInt), col("PILOTO", text(60)), col("COD_EVENTO", kInt),
                   col("QUANT", kInt)},
                  {}};
    t << TableDef{QStringLiteral("organizador"), kKey,
                  {col("ORGANIZADOR", text(80)), col("FONE", text(15)), col("SITE", text(100)),
                   col("EMAIL", text(100)), col("CIDADE", text(80)), col("WEB", kFlag),
                   col("CONTROLEWEB", text(45)), col("OP_MONITOR", kInt + QStringLiteral(" DEFAULT 1")),
                   col("FIRMWARE_ID", text(20)), col("FIRMWARE_VERSAO", kDouble),
                   col("DT_HR_ATUAL", kStampUpdate), col("SALDO_WHATS", kInt + QStringLiteral(" DEFAULT 0")),
                   col("SALDO_SMS", kInt + QStringLiteral(" DEFAULT 0")), col("DT_CONEX_SITE", kDate),
                   col("COD_EVENTO_ABERTO", kInt), col("SALDO_ONTARGET", kInt + QStringLiteral(" DEFAULT 0"))},
                  {}};
    t << TableDef{QStringLiteral("configuracao"), kKey,
                  {col("IMPRESSORA_TICKET", text(1) + QStringLiteral(" DEFAULT '8'")),
                   col("LADO_PISTA", text(1) + QStringLiteral(" DEFAULT 'D'")),
                   col("S_50M", text(10) + QStringLiteral(" DEFAULT '100M'")),
                   col("S_100M", text(10) + QStringLiteral(" DEFAULT '201M'")),
                   col("PRINT_TICKET_AUTO", text(1) + QStringLiteral(" DEFAULT 'M'")),
                   col("AUTO_START", kFlagN), col("COD_EVENTO_ABERTO", kInt), col("EQUIPAMENTO", text(1))},
                  {}};
    t << TableDef{QStringLiteral("estacao"), QStringLiteral("codigo"),
                  {col("data_hora", kDateTime), col("tempAmb", kDecimal), col("umidAmb", kDecimal),
                   col("pressAtm", kDecimal), col("altitude", kDecimal), col("tempPista", kDecimal)},
                  {}};
    return t;
}

QString createStatement(const TableDef& t) {
    QStringList parts;
    parts << QStringLiteral("%1 INT NOT NULL AUTO_INCREMENT").arg(t.key);
    for (const ColumnDef& c : t.columns) parts << c.name + u' ' + c.type;
    parts << QStringLiteral("PRIMARY KEY (%1)").arg(t.key);
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (\n  %2\n) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4")
        .arg(t.name, parts.join(QStringLiteral(",\n  ")));
}

void ensureSingleRow(Connection& c, const QString& table) {
    const ResultSet r = c.execute(QStringLiteral("SELECT COUNT(*) AS N FROM %1").arg(table));
    if (r.rowCount() == 1 && r.row(0).at(0).toInt() == 0)
        c.execute(QStringLiteral("INSERT INTO %1 () VALUES ()").arg(table));
}

}  // namespace

QStringList Schema::roundAreaColumns() {
    QStringList cols;
    for (const char* family : {"INI", "ROD1", "ROD2", "ROD3", "ROD4", "FIM"})
        for (int i = 1; i <= 20; ++i) cols << QStringLiteral("%1_%2").arg(QLatin1String(family)).arg(i);
    // Rounds 1 and 3 pair slots 2x3 .. 18x19; rounds 2 and 4 pair 1x2 .. 19x20.
    auto pairs = [](int firstSlot, int count) {
        QStringList suffixes;
        for (int k = 0; k < count; ++k)
            suffixes << QStringLiteral("%1X%2").arg(firstSlot + 2 * k).arg(firstSlot + 2 * k + 1);
        return suffixes;
    };
    const QStringList odd = pairs(2, 9);
    const QStringList even = pairs(1, 10);
    for (const char* round : {"ROD1", "ROD2", "ROD3", "ROD4"}) {
        const bool oddRound = QLatin1String(round) == QLatin1String("ROD1") ||
                              QLatin1String(round) == QLatin1String("ROD3");
        for (const char* side : {"VENC", "PERD"})
            for (const QString& s : oddRound ? odd : even)
                cols << QStringLiteral("%1_%2_%3").arg(QLatin1String(side), QLatin1String(round), s);
    }
    return cols;
}

const QList<TableDef>& Schema::tables() {
    static const QList<TableDef> all = buildTables();
    return all;
}

const TableDef* Schema::table(const QString& name) {
    for (const TableDef& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

QStringList Schema::writableColumns(const QString& table) {
    const TableDef* t = Schema::table(table);
    if (!t) throw DbError(QStringLiteral("Tabela desconhecida: ") + table);
    QStringList names;
    for (const ColumnDef& c : t->columns) names << c.name;
    return names;
}

int Schema::installedVersion(Connection& c) {
    const ResultSet exists = c.execute(QStringLiteral(
        "SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = DATABASE() "
        "AND table_name = 'vud_schema'"));
    if (exists.row(0).at(0).toInt() == 0) return 0;
    const ResultSet r = c.execute(QStringLiteral("SELECT MAX(VERSAO) FROM vud_schema"));
    return r.rowCount() ? r.row(0).at(0).toInt() : 0;
}

void Schema::apply(Connection& c) {
    // Every step is idempotent, so an interrupted upgrade is simply run again;
    // the version row only saves the work on the next start.
    if (installedVersion(c) >= kVersion) return;
    const ResultSet existing = c.execute(QStringLiteral(
        "SELECT LOWER(table_name), UPPER(column_name) FROM information_schema.columns "
        "WHERE table_schema = DATABASE()"));
    QSet<QString> present;
    for (int i = 0; i < existing.rowCount(); ++i)
        present.insert(existing.row(i).at(0).toString() + u'.' + existing.row(i).at(1).toString());
    for (const TableDef& t : tables()) {
        c.execute(createStatement(t));
        for (const ColumnDef& col : t.columns) {
            if (present.isEmpty() || present.contains(t.name + u'.' + col.name.toUpper())) continue;
            if (!present.contains(t.name + u'.' + t.key.toUpper())) continue;  // table just created
            c.execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS %2 %3")
                          .arg(t.name, col.name, col.type));
        }
        for (const IndexDef& i : t.indexes)
            c.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                          .arg(i.name, t.name, i.columns));
    }
    ensureSingleRow(c, QStringLiteral("organizador"));
    ensureSingleRow(c, QStringLiteral("configuracao"));
    c.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS vud_schema (VERSAO INT NOT NULL PRIMARY KEY)"));
    c.execute(QStringLiteral("INSERT IGNORE INTO vud_schema (VERSAO) VALUES (:v)"),
              {{QStringLiteral("v"), kVersion}});
}

}  // namespace db
