// Brings the race database up to the current schema and, on request, fills
// an empty one with the demo championship. Settings come from VUD_DB_*.
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "db/SqlScript.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    QString demo;
    const int demoAt = int(args.indexOf(QStringLiteral("--demo")));
    if (demoAt > 0 && demoAt + 1 < args.size()) demo = args.at(demoAt + 1);
    try {
        db::Connection connection(db::ConnectionSettings::raceFromEnvironment());
        db::Schema::apply(connection);
        if (!demo.isEmpty()) {
            const auto r = connection.execute(QStringLiteral("SELECT COUNT(*) FROM campeonato"));
            if (r.row(0).at(0).toInt() == 0) {
                db::runScriptFile(connection, demo);
                QTextStream(stdout) << "demo data loaded\n";
            }
        }
    } catch (const db::DbError& e) {
        err << "vud-dbsetup: " << e.message() << '\n';
        return 1;
    }
    return 0;
}
