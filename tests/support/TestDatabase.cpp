#include "TestDatabase.h"

#include "db/DbError.h"
#include "db/Schema.h"
#include "db/SqlScript.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QRandomGenerator>

namespace {

db::ConnectionSettings serverSettings() {
    db::ConnectionSettings s = db::ConnectionSettings::raceFromEnvironment();
    s.database.clear();
    return s;
}

QString uniqueName() {
    static QAtomicInt counter;
    return QStringLiteral("vudt_%1_%2_%3")
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetchAndAddRelaxed(1))
        .arg(QRandomGenerator::global()->bounded(1000000));
}

}  // namespace

TestDatabase::TestDatabase() : m_settings(serverSettings()) {
    const QString name = uniqueName();
    {
        db::Connection admin(m_settings);
        admin.execute(QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(name));
    }
    m_settings.database = name;
    m_connection.setSettings(m_settings);
    db::Schema::apply(m_connection);
}

TestDatabase::~TestDatabase() {
    try {
        m_connection.execute(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_settings.database));
    } catch (const db::DbError&) {
        // A test that broke the server must not hide its own failure behind this one.
    }
}

QVariant TestDatabase::scalar(const QString& sql, const QVariantMap& params) {
    const db::ResultSet r = m_connection.execute(sql, params);
    return r.rowCount() && !r.columns().isEmpty() ? r.row(0).at(0) : QVariant();
}

void TestDatabase::loadFile(const QString& path) { db::runScriptFile(m_connection, path); }
