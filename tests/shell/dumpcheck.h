#pragma once

#include "data/database.h"
#include "workdir.h"

#include <QProcess>
#include <QString>
#include <QStringList>

// The table of contents pg_restore reads from a dump; empty when the file is no custom-format dump.
inline QString dumpContents(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pg_restore"), {QStringLiteral("--list"), file});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Restores a dump into a new, empty database on the server, as the README tells the user to;
// the new database's address, or pg_restore's complaint after "!".
inline QString restoreDump(const QString& file)
{
    const QString url = TestWorkDir::freshServerDatabase();
    QProcess p;
    p.start(QStringLiteral("pg_restore"), {QStringLiteral("--exit-on-error"), QStringLiteral("--no-owner"),
                                           QStringLiteral("--dbname=") + Database::libpqConnInfo(url), file});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return u'!' + QString::fromLocal8Bit(p.readAllStandardError());
    return url;
}
