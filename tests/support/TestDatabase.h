#pragma once

#include "db/Connection.h"
#include "db/ConnectionSettings.h"

#include <QString>

/// A database of the test's own on the test server, made from the schema and
/// dropped when the object goes. Settings come from VUD_DB_* like the station's.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const db::ConnectionSettings& settings() const { return m_settings; }
    QString name() const { return m_settings.database; }
    /// A connection of the fixture's own, for arranging data and checking it.
    db::Connection& sql() { return m_connection; }
    /// Runs a statement on the fixture's connection and returns the one value it yields.
    QVariant scalar(const QString& sql, const QVariantMap& params = {});
    /// Loads a file of statements separated by ';' at line end.
    void loadFile(const QString& path);

private:
    db::ConnectionSettings m_settings;
    db::Connection m_connection;
};
