#pragma once

#include "data/database.h"
#include "filedigest.h"
#include "workdir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs `check` in a child process and tells whether it held. With `asUser` a root run drops to
// nobody first, since root ignores the permissions being tried; the working folder is opened to it.
inline bool inChild(const std::function<bool()>& check, const TestWorkDir* asUser = nullptr)
{
    if (asUser && ::geteuid() == 0)
        for (const QString& p : {asUser->path(), asUser->path(QStringLiteral("Dati"))})
            ::chmod(QFile::encodeName(p).constData(), 0755);
    const pid_t child = ::fork();
    if (child == 0) {
        if (asUser && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

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
