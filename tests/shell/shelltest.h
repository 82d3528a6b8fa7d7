#pragma once

#include "data/database.h"
#include "filedigest.h"
#include "workdir.h"

#include <QDir>
#include <QProcess>
#include <QString>
#include <map>

// Every file of `folder` (hidden ones too) with its digest: equal maps prove nothing was touched.
inline std::map<QString, QByteArray> filesIn(const QString& folder)
{
    std::map<QString, QByteArray> out;
    for (const QString& f : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        out[f] = fileDigest(QDir(folder).filePath(f));
    return out;
}

// The working folder and its data folder together.
inline std::map<QString, QByteArray> snapshot(const TestWorkDir& dir)
{
    auto out = filesIn(dir.path());
    for (const auto& [f, d] : filesIn(dir.path(QStringLiteral("Dati"))))
        out[QStringLiteral("Dati/") + f] = d;
    return out;
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
