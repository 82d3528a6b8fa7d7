#include "shell/restore.h"

#include "data/database.h"
#include "data/filecopy.h"
#include "data/folderlock.h"
#include "shell/appstate.h"
#include "shell/backup.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/startup.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The day of the last restore made by this run: its database may have been missing, so nothing
// was kept that would tell it.
QDate g_restoredOn;

// How long a restore waits for a program that is just opening the database.
constexpr int kLockWaitMs = 2000;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QString databaseFile()
{
    return app().path(Database::kRelativePath);
}

QString keptPrefix(const QDate& day)
{
    return QStringLiteral("Corvalisto_sostituito_") + day.toString(QStringLiteral("dd-MM-yy")) + u'_';
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Copies `from` to a new file `to` that no other name may already hold, flushed. With `held` the
// new file stays open, and locked, for the caller.
int copyToNewFile(const QString& from, const QString& to, int* held = nullptr)
{
    const int in = ::open(encoded(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    int error = 0;
    struct stat st {};
    const int out = FileCopy::createLocked(to);
    if (out < 0) {
        error = errno;
    } else {
        errno = 0;
        if (::fstat(in, &st) != 0 || !FileCopy::copyBytes(in, out, st.st_size) || ::fsync(out) != 0)
            error = errno ? errno : EIO;
    }
    ::close(in);
    if (out < 0)
        return error;
    if (error)
        ::unlink(encoded(to).constData());
    if (error || !held)
        ::close(out);
    else
        *held = out;
    return error;
}

// Gives the file under the database's name a second, dated name beside it, never one that is
// taken; a folder without hard links gets a copy instead. Empty `kept` when there is no file.
int keepCurrent(const QString& db, QString* kept)
{
    struct stat st {};
    if (::lstat(encoded(db).constData(), &st) != 0)
        return errno == ENOENT ? 0 : errno;
    const QDateTime now = QDateTime::currentDateTime();
    const QString base =
        QFileInfo(db).absolutePath() + u'/' + keptPrefix(now.date()) + now.toString(QStringLiteral("HHmmss"));
    for (int n = 1; n < 100; ++n) {
        const QString name = base + (n == 1 ? QString() : QStringLiteral("_%1").arg(n)) + QStringLiteral(".mdb");
        int error = ::link(encoded(db).constData(), encoded(name).constData()) == 0 ? 0 : errno;
        if (error == EPERM || error == EOPNOTSUPP || error == EXDEV || error == EMLINK)
            error = copyToNewFile(db, name);
        if (error == EEXIST)
            continue;
        if (!error)
            *kept = name;
        return error;
    }
    return EEXIST;
}

bool restoredOn(const QDate& day)
{
    if (g_restoredOn == day)
        return true;
    const QDir dati(QFileInfo(databaseFile()).absolutePath());
    return !dati.entryList({keptPrefix(day) + QStringLiteral("*.mdb")}, QDir::Files).isEmpty();
}

bool restorable(const DbStatus& why)
{
    if (!why)
        return false;
    switch (why->number) {
    case Database::Missing:
    case Database::Empty:
    case Database::Foreign:
    case Database::Damaged:
        return true;
    default:
        return false;
    }
}

} // namespace

namespace Restore {

QDate dayOf(const QString& dailyCopy)
{
    const QString name = QFileInfo(dailyCopy).fileName();
    // Two-digit years are read as 19yy.
    const QDate day = QDate::fromString(name.mid(11, 8), QStringLiteral("dd-MM-yy")).addYears(100);
    if (!day.isValid() || QFileInfo(Startup::dailyCopyPath(day)).fileName() != name)
        return {};
    return day;
}

QList<Copy> dailyCopies()
{
    QList<Copy> out;
    for (const QString& path : Startup::dailyCopies())
        out.append({path, dayOf(path), Database::verify(path)});
    return out;
}

Copy mediumCopy(const QString& folder)
{
    const QString path = QDir(folder).filePath(Backup::fileName(Backup::kSteps - 1));
    return {path, QFileInfo(path).lastModified().date(), Database::verify(path)};
}

QString question(const Copy& copy, const std::optional<DataCounts>& inCopy, const std::optional<DataCounts>& inUse)
{
    auto counts = [](const std::optional<DataCounts>& c) { return c ? c->text() : QStringLiteral("non leggibile"); };
    return QStringLiteral("Ripristinare la copia del %1?\n\nNella copia: %2.\nNel database in uso: %3.\n\nIl "
                          "database in uso viene conservato nella cartella Dati con un nome datato.")
        .arg(Formats::shortDate(copy.day), counts(inCopy), counts(inUse));
}

QString restoredMessage(const QDate& day, const QString& kept)
{
    QString text = QStringLiteral("Dati ripristinati dalla copia del %1: le modifiche successive a quel giorno non "
                                  "ci sono.")
                       .arg(Formats::shortDate(day));
    if (!kept.isEmpty())
        text += QStringLiteral("\n\nIl database sostituito è conservato come \"%1\".").arg(native(kept));
    return text;
}

Outcome restore(const QString& copy)
{
    const QString db = databaseFile();
    const QString dati = QFileInfo(db).absolutePath();
    const bool wasOpen = Database::isOpen();
    auto unchanged = [&](const QString& why) {
        if (wasOpen && !Database::isOpen())
            Database::open(db);
        return Outcome{false, why, {}};
    };
    auto failed = [&](const QString& why) {
        return unchanged(QStringLiteral("Impossibile ripristinare la copia \"%1\" (%2): il database non è cambiato.")
                             .arg(native(copy), why));
    };
    if (const DbStatus bad = Database::verify(copy))
        return unchanged(
            QStringLiteral("La copia \"%1\" non è integra (%2): non viene ripristinata e il database non cambia.")
                .arg(native(copy), bad->text));
    QDir().mkpath(dati);

    // The copy is staged beside the database, where the rename is atomic, and the staged bytes
    // are checked: those are what goes in place. A killed run leaves only this temporary, which
    // the next start removes.
    const QString temp = FileCopy::temporaryNameFor(db);
    int fd = -1;
    if (const int error = copyToNewFile(copy, temp, &fd))
        return failed(systemError(error));
    auto discard = [&](const QString& why) {
        ::unlink(encoded(temp).constData());
        ::close(fd);
        return failed(why);
    };
    if (const DbStatus bad = Database::verify(temp))
        return discard(bad->text);

    Outcome out;
    Database::close();
    constexpr int kTaken = -1;
    int error = 0;
    {
        // Every program with the database open holds this lock shared.
        const FolderLock alone(dati, FolderLock::Exclusive, kLockWaitMs);
        if (!alone.held())
            error = kTaken;
        else if (!(error = keepCurrent(db, &out.kept)) && !(error = FileCopy::syncFolder(dati)) &&
                 ::rename(encoded(temp).constData(), encoded(db).constData()) != 0)
            error = errno;
        if (!error)
            FileCopy::syncFolder(dati);
    }
    // Reopened only now: the database's own lock would wait for this one.
    if (error == kTaken) {
        ::unlink(encoded(temp).constData());
        ::close(fd);
        return unchanged(QStringLiteral("Il database è aperto da un altro programma: chiuderlo e ripetere il "
                                        "ripristino. Il database non è cambiato."));
    }
    if (error)
        return discard(systemError(error));
    ::close(fd);
    g_restoredOn = QDate::currentDate();
    if (const DbStatus err = Database::open(db)) {
        out.message = QStringLiteral("La copia è al posto del database, ma non si apre (%1).").arg(err->text);
        return out;
    }
    out.ok = true;
    return out;
}

bool hasSettings(const QString& folder)
{
    for (int step = 0; step < Backup::kSteps - 1; ++step)
        if (QFileInfo::exists(QDir(folder).filePath(Backup::fileName(step))))
            return true;
    return false;
}

Backup::Outcome settingsFrom(const QString& folder)
{
    for (int step = 0; step < Backup::kSteps - 1; ++step) {
        const QString saved = QDir(folder).filePath(Backup::fileName(step));
        if (!QFileInfo::exists(saved))
            continue;
        if (Backup::Outcome failed = Backup::copyFile(saved, Backup::source(step)))
            return failed;
    }
    Startup::loadSettings();
    return std::nullopt;
}

bool offerAtStart(QWidget* parent, const QString& failure)
{
    const QString title = QStringLiteral("Impossibile aprire il programma");
    if (!Startup::server().isEmpty()) {
        dialogs().message(parent, failure + QStringLiteral("\n\n") + serverAdvice(), title, Dialogs::Icon::Critical);
        return false;
    }
    const QString copy = restorable(Database::verify(databaseFile())) ? Startup::newestGoodCopy() : QString();
    if (copy.isEmpty()) {
        dialogs().message(parent, failure, title, Dialogs::Icon::Critical);
        return false;
    }
    const QDate day = dayOf(copy);
    if (dialogs().message(parent,
                          failure + QStringLiteral("\n\nRipristinare la copia del %1?").arg(Formats::shortDate(day)),
                          title, Dialogs::Icon::Question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return false;
    const Outcome r = restore(copy);
    if (!r.ok) {
        dialogs().message(parent, r.message, title, Dialogs::Icon::Critical);
        return false;
    }
    dialogs().message(parent, restoredMessage(day, r.kept), QStringLiteral("Ripristino"), Dialogs::Icon::Information);
    return true;
}

void dailyCopy(const QDate& day)
{
    if (restoredOn(day) && QFileInfo::exists(Startup::dailyCopyPath(day)))
        return;
    Startup::copiaGiornaliera(day);
}

QString serverAdvice()
{
    const QUrl url(Startup::server().isEmpty() ? Database::serverUrl() : Startup::server());
    QString options = QStringLiteral("-h ") + (url.host().isEmpty() ? QStringLiteral("localhost") : url.host());
    if (url.port() > 0)
        options += QStringLiteral(" -p %1").arg(url.port());
    if (!url.userName().isEmpty())
        options += QStringLiteral(" -U ") + url.userName();
    const QString name = url.path().mid(1);
    const QString dump = native(QDir(Startup::backupFolder()).filePath(QStringLiteral("Corvalisto_gg-mm-aa.dump")));
    return QStringLiteral(
               "Sul server PostgreSQL il ripristino di una copia è compito dell'amministratore del database: il "
               "programma non lo fa.\n\nLe copie giornaliere sono i file \"%1\". Con tutte le postazioni chiuse, "
               "in un database nuovo:\n    createdb %2 %3_ripristino\n    pg_restore %2 -d %3_ripristino \"%1\"\n"
               "poi indicare alle postazioni il database %3_ripristino; oppure sopra il database in uso:\n"
               "    pg_restore %2 --clean --if-exists -d %3 \"%1\"\n\nI passi sono descritti nel README, "
               "al capitolo del server PostgreSQL.")
        .arg(dump, options, name);
}

} // namespace Restore
