#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh working folder for one test: app() points at it, the settings are reset,
// and the database "Dati/Corvalisto.mdb" is open in it when asked for. With
// CORVALISTO_TEST_ENGINE=postgresql the database is instead an empty one on the server
// CORVALISTO_TEST_PG (a database of its own per test program, emptied for each test).
class TestWorkDir {
public:
    explicit TestWorkDir(bool openDatabase = true);
    ~TestWorkDir();

    // Whether the tests run on the server.
    static bool onServer();
    // The server's address given to the tests; empty when there is none.
    static QString serverUrl();
    // The address of a new, empty database on the server (dropped when the program ends);
    // `options` are added to its CREATE DATABASE.
    static QString freshServerDatabase(const QString& options = QString());
    // Drops the databases freshServerDatabase() made; called before the application ends.
    static void dropServerDatabases();
    // Called by each test program's main: on the server run without a reachable server every
    // test is reported skipped.
    static void skipAllWithoutServer();
    // Opens this test's database on the calling thread (a second seat).
    static bool openInThisThread();
    // What makes the program itself use this test's database: "--database URL" on the server,
    // nothing on the file (found in the working folder).
    static QStringList databaseOptions();

    QString path(const QString& relative = QString()) const;
    void write(const QString& relative, const QByteArray& content) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

// For the few tests about the database file itself (its bytes, its locks, its damage).
#define SKIP_ON_SERVER(why)                                                                                            \
    if (TestWorkDir::onServer())                                                                                       \
    GTEST_SKIP() << why
