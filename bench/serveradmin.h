#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

#include <cstdio>

// Runs statements on the server's own database (`adminUrl`), outside the one a benchmark uses:
// making and dropping that database.
inline bool serverAdmin(const QString& adminUrl, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("bench-admin"));
        const QUrl u(adminUrl);
        db.setHostName(u.host());
        if (u.port() > 0)
            db.setPort(u.port());
        db.setUserName(u.userName());
        db.setDatabaseName(u.path().mid(1));
        ok = db.open();
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            if (ok && !q.exec(sql)) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(q.lastError().text()));
                ok = false;
            }
        }
        if (!db.isOpen())
            std::fprintf(stderr, "server: %s\n", qPrintable(db.lastError().text()));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-admin"));
    return ok;
}
