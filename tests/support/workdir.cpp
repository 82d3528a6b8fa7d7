#include "workdir.h"

#include "data/database.h"
#include "shell/appstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <gtest/gtest.h>
#include <iostream>
#include <mutex>

namespace {

// The databases this program made on the server, dropped at its end (while Qt's drivers are
// still loaded).
struct ServerDatabases {
    QStringList names;
    int next = 0;
};

ServerDatabases& serverDatabases()
{
    static ServerDatabases d;
    return d;
}

QString g_testDatabase;

// Runs administrative statements on `url` through a connection of its own.
bool adminExec(const QString& url, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("test-admin"));
        const QUrl u(url);
        admin.setHostName(u.host());
        admin.setPort(u.port());
        admin.setUserName(u.userName());
        admin.setDatabaseName(u.path().mid(1));
        ok = admin.open();
        // Dropping a schema lists every object it takes along; keep the test output readable.
        if (ok)
            QSqlQuery(admin).exec(QStringLiteral("SET client_min_messages = warning"));
        for (const QString& sql : statements) {
            QSqlQuery q(admin);
            if (ok && !q.exec(sql)) {
                ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
                ok = false;
            }
        }
        if (!admin.isOpen())
            ADD_FAILURE() << admin.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-admin"));
    return ok;
}

} // namespace

void TestWorkDir::dropServerDatabases()
{
    QStringList& names = serverDatabases().names;
    if (names.isEmpty())
        return;
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("test-drop"));
        const QUrl u(serverUrl());
        admin.setHostName(u.host());
        admin.setPort(u.port());
        admin.setUserName(u.userName());
        admin.setDatabaseName(u.path().mid(1));
        if (admin.open())
            for (const QString& n : names)
                QSqlQuery(admin).exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(n));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-drop"));
    names.clear();
}

namespace {

class NoServer : public ::testing::Environment {
public:
    void SetUp() override { GTEST_SKIP() << "PostgreSQL non disponibile: test sul server saltati"; }
};

bool serverReachable()
{
    const QString url = TestWorkDir::serverUrl();
    if (url.isEmpty())
        return false;
    const DbStatus err = Database::openServer(url);
    Database::close();
    return !err || err->number != Database::Unreachable;
}

} // namespace

void TestWorkDir::skipAllWithoutServer()
{
    if (onServer() && !serverReachable()) {
        std::cout << "PostgreSQL non disponibile (CORVALISTO_TEST_PG): test sul server saltati" << std::endl;
        ::testing::AddGlobalTestEnvironment(new NoServer);
    }
}

bool TestWorkDir::onServer()
{
    return qEnvironmentVariable("CORVALISTO_TEST_ENGINE") == QStringLiteral("postgresql");
}

QString TestWorkDir::serverUrl()
{
    return qEnvironmentVariable("CORVALISTO_TEST_PG");
}

QString TestWorkDir::freshServerDatabase(const QString& options)
{
    ServerDatabases& d = serverDatabases();
    const QString name = QStringLiteral("corvalisto_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(d.next++);
    if (!adminExec(serverUrl(), {QStringLiteral("CREATE DATABASE %1 %2").arg(name, options)}))
        return {};
    d.names << name;
    QUrl u(serverUrl());
    u.setPath(u'/' + name);
    return u.toString();
}

bool TestWorkDir::openInThisThread()
{
    const DbStatus err =
        onServer() ? Database::openServer(g_testDatabase) : Database::open(app().path(Database::kRelativePath));
    EXPECT_FALSE(err.has_value()) << (err ? err->text.toStdString() : std::string());
    return !err;
}

QStringList TestWorkDir::databaseOptions()
{
    return onServer() ? QStringList{QStringLiteral("--database"), g_testDatabase} : QStringList();
}

TestWorkDir::TestWorkDir(bool openDatabase)
{
    app() = AppState();
    app().workDir = m_dir.path();
    if (openDatabase && onServer()) {
        if (g_testDatabase.isEmpty())
            g_testDatabase = freshServerDatabase();
        adminExec(g_testDatabase,
                  {QStringLiteral("DROP SCHEMA IF EXISTS public CASCADE"), QStringLiteral("CREATE SCHEMA public")});
        const auto err = Database::initServer(g_testDatabase);
        EXPECT_FALSE(err.has_value()) << (err ? err->text.toStdString() : std::string());
    } else if (openDatabase) {
        const auto err = Database::create(app().path(Database::kRelativePath));
        EXPECT_FALSE(err.has_value()) << (err ? err->text.toStdString() : std::string());
    }
}

TestWorkDir::~TestWorkDir()
{
    Database::close();
}

QString TestWorkDir::path(const QString& relative) const
{
    return relative.isEmpty() ? m_dir.path() : QDir(m_dir.path()).filePath(relative);
}

void TestWorkDir::write(const QString& relative, const QByteArray& content) const
{
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    QFile f(path(relative));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray TestWorkDir::read(const QString& relative) const
{
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
