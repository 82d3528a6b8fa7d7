#include "shell/startup.h"

#include "data/database.h"
#include "resources/shippedpictures.h"
#include "shell/appstate.h"
#include "shell/settingsfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUuid>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString datiFolder()
{
    return QFileInfo(app().path(Database::kRelativePath)).absolutePath();
}

QString copyAdvice()
{
    const QString copy = Startup::newestGoodCopy();
    if (copy.isEmpty())
        return QStringLiteral("Non c'è nessuna copia giornaliera integra da cui ripartire.");
    return QStringLiteral("La copia giornaliera integra più recente è \"%1\": all'avvio il programma offre di "
                          "ripristinarla.")
        .arg(native(copy));
}

QString messageFor(const DbError& err, const QString& file)
{
    const QString name = native(file);
    switch (err.number) {
    case Database::Missing:
        return QStringLiteral("Il database \"%1\" non c'è, ma la cartella contiene già i dati del programma: non "
                              "viene creato un database nuovo al suo posto.\n\n%2")
            .arg(name, copyAdvice());
    case Database::Empty:
        return QStringLiteral("Il database \"%1\" è vuoto: non contiene i dati del programma.\n\n%2")
            .arg(name, copyAdvice());
    case Database::Foreign:
        return QStringLiteral("Il file \"%1\" non è un database di Corvalisto (%2): il programma non lo usa e non lo "
                              "modifica.\n\n%3")
            .arg(name, err.text, copyAdvice());
    case Database::InUse:
        return QStringLiteral("Il database \"%1\" è in uso da un altro programma.\n\nChiudere l'altro programma e "
                              "riprovare più tardi.")
            .arg(name);
    case Database::ReadOnly:
        return QStringLiteral("Il database \"%1\" è in sola lettura: il programma non può salvare i dati.\n\nDare "
                              "all'utente il permesso di scrittura sul file e sulla cartella \"%2\", poi riavviare il "
                              "programma.")
            .arg(name, native(QFileInfo(file).absolutePath()));
    case Database::Damaged:
        return QStringLiteral("Il database \"%1\" è danneggiato (%2). Le copie giornaliere non sono state "
                              "aggiornate.\n\n%3")
            .arg(name, err.text, copyAdvice());
    default:
        return QStringLiteral("Impossibile aprire il database \"%1\" (%2 - %3).").arg(name, err.title(), err.text);
    }
}

QString g_server;

QString messageForServer(const DbError& err, const QString& url)
{
    const QString name = Database::describeServer(url);
    switch (err.number) {
    case Database::Unreachable:
        return err.text + QStringLiteral("\n\nControllare che il server sia acceso e raggiungibile, poi riavviare il "
                                         "programma.");
    case Database::Empty:
        return QStringLiteral("Il %1 è vuoto: non contiene i dati del programma.\n\nPrepararlo una volta con "
                              "\"corvalisto --database %2 init\".")
            .arg(name, url);
    case Database::Foreign:
        return QStringLiteral("Il %1 non è un database di Corvalisto (%2): il programma non lo usa e non lo modifica.")
            .arg(name, err.text);
    case Database::ReadOnly:
        return QStringLiteral("Il %1 è in sola lettura per questo utente (%2): il programma non può salvare i dati.")
            .arg(name, err.text);
    default:
        return QStringLiteral("Impossibile aprire il %1 (%2 - %3).").arg(name, err.title(), err.text);
    }
}

} // namespace

namespace Startup {

void useServer(const QString& url)
{
    g_server = url;
}

QString server()
{
    return g_server;
}

void loadSettings()
{
    SettingsFiles::ini(QStringLiteral("carica"));
    SettingsFiles::printerIni(QStringLiteral("carica"));
    app().stampantePdf = QStringLiteral("CutePDF Writer");
}

bool updatePending()
{
    if (!g_server.isEmpty())
        return false;
    return !QFileInfo::exists(app().path(Database::kRelativePath)) &&
           QFileInfo::exists(app().path(Database::kUpdateMarker));
}

void prepareWorkFolder()
{
    ShippedPictures::writeMissing(app().path(QStringLiteral("Img")));
}

bool isFirstStart()
{
    const QFileInfo db(app().path(Database::kRelativePath));
    if (db.exists() || db.isSymLink())
        return false;
    const QDir dati(datiFolder());
    if (dati.exists() && !dati.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return false;
    return dailyCopies().isEmpty();
}

OpenOutcome openDatabase(Creation creation)
{
    // The server's data is never made at start-up, and no local file is touched.
    if (!g_server.isEmpty()) {
        if (const auto err = Database::openServer(g_server))
            return {false, messageForServer(*err, g_server)};
        Database::removeStaleTemporaries(backupFolder());
        return {true, {}};
    }
    const QString file = app().path(Database::kRelativePath);
    Database::removeStaleTemporaries(datiFolder());
    Database::removeStaleTemporaries(backupFolder());
    if (creation == Creation::OnFirstStart && isFirstStart())
        return createDatabase({});
    if (const auto err = Database::open(file))
        return {false, messageFor(*err, file)};
    return {true, {}};
}

OpenOutcome createDatabase(const std::function<DbStatus()>& fill)
{
    if (!g_server.isEmpty()) {
        if (const auto err = Database::initServer(g_server, fill))
            return {false, err->number == EEXIST ? err->text + QStringLiteral(": il programma non le sostituisce.")
                                                 : messageForServer(*err, g_server)};
        return {true, {}};
    }
    const QString file = app().path(Database::kRelativePath);
    if (const auto err = Database::create(file, fill)) {
        if (err->number == EEXIST)
            return {
                false,
                QStringLiteral("Il database \"%1\" esiste già: il programma non lo sostituisce.").arg(native(file))};
        return {false, QStringLiteral("Impossibile creare il database \"%1\" (%2 - %3).")
                           .arg(native(file), err->title(), err->text)};
    }
    return {true, {}};
}

QString backupFolder()
{
    const QString folder = app().percorsoBackup.trimmed();
    if (folder.isEmpty())
        return app().workDir;
    return QDir(app().workDir).absoluteFilePath(folder);
}

QString dailyCopyPath(const QDate& day)
{
    return QDir(backupFolder())
        .filePath(QStringLiteral("Corvalisto_") + day.toString(QStringLiteral("dd-MM-yy")) + QStringLiteral(".mdb"));
}

void copiaGiornaliera(const QDate& day)
{
    // Only a database that passed the check at opening is copied, so a good copy is never
    // replaced by a damaged one.
    if (!Database::isOpen())
        return;
    if (!Database::serverUrl().isEmpty()) {
        // The first seat of the day writes it; the others find it there.
        if (!QFileInfo::exists(dailyDumpPath(day)))
            dumpServer(dailyDumpPath(day), false);
        return;
    }
    Database::copyTo(dailyCopyPath(day));
}

QString dailyDumpPath(const QDate& day)
{
    return QDir(backupFolder())
        .filePath(QStringLiteral("Corvalisto_") + day.toString(QStringLiteral("dd-MM-yy")) + QStringLiteral(".dump"));
}

DbStatus dumpServer(const QString& destination, bool replace)
{
    const QString url = Database::serverUrl();
    if (url.isEmpty())
        return DbError{3024, QStringLiteral("Database non aperto")};
    const QFileInfo target(destination);
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir())
        return DbError{76, QStringLiteral("Impossibile trovare il percorso \"%1\"").arg(native(folder))};
    const QString temp = folder + QStringLiteral("/.") + target.fileName() + u'.' +
                         QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".tmp");
    const QByteArray tempName = QFile::encodeName(temp);
    // Made and locked here, so that another start-up does not take it for a killed run's leftover
    // while pg_dump writes into it.
    const int fd = ::open(tempName.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return DbError{75, QString::fromLocal8Bit(strerror(errno))};
    ::flock(fd, LOCK_EX | LOCK_NB);
    auto fail = [&](const QString& why) {
        ::unlink(tempName.constData());
        ::close(fd);
        return DbError{75, why};
    };
    // The address goes without any password: libpq finds it in ~/.pgpass or its environment.
    QProcess dump;
    dump.start(QStringLiteral("pg_dump"),
               {QStringLiteral("--format=custom"), QStringLiteral("--no-password"), QStringLiteral("--file=") + temp,
                QStringLiteral("--dbname=") + Database::libpqConnInfo(url)});
    if (!dump.waitForStarted())
        return fail(QStringLiteral("Programma pg_dump non trovato"));
    if (!dump.waitForFinished(10 * 60 * 1000)) {
        dump.kill();
        dump.waitForFinished();
        return fail(QStringLiteral("pg_dump non ha finito in tempo"));
    }
    if (dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0) {
        const QString why = QString::fromLocal8Bit(dump.readAllStandardError()).trimmed();
        return fail(why.isEmpty() ? QStringLiteral("pg_dump non riuscito") : why);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size == 0 || ::fsync(fd) != 0)
        return fail(QStringLiteral("pg_dump non ha scritto la copia"));
    // Two seats starting together: only the first dump takes the name.
    int error = 0;
    if (replace) {
        if (::rename(tempName.constData(), QFile::encodeName(destination).constData()) != 0)
            error = errno;
    } else if (::link(tempName.constData(), QFile::encodeName(destination).constData()) != 0) {
        error = errno;
        // A medium without hard links (FAT): the name is taken only when still free.
        if (error != EEXIST && !QFileInfo::exists(destination))
            error = ::rename(tempName.constData(), QFile::encodeName(destination).constData()) == 0 ? 0 : errno;
    }
    ::unlink(tempName.constData());
    ::close(fd);
    if (error && !(error == EEXIST && !replace))
        return DbError{75, QString::fromLocal8Bit(strerror(error))};
    return std::nullopt;
}

QStringList dailyCopies()
{
    static const QRegularExpression name(QStringLiteral(R"(^Corvalisto_(\d\d)-(\d\d)-(\d\d)\.mdb$)"));
    std::multimap<QDate, QString, std::greater<>> byDate;
    const QDir dir(backupFolder());
    for (const QString& f : dir.entryList({QStringLiteral("Corvalisto_*.mdb")}, QDir::Files)) {
        const auto m = name.match(f);
        if (!m.hasMatch())
            continue;
        const QDate d(2000 + m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        if (d.isValid())
            byDate.emplace(d, dir.filePath(f));
    }
    QStringList out;
    for (const auto& [day, path] : byDate)
        out << path;
    return out;
}

QString newestDailyCopy()
{
    return dailyCopies().value(0);
}

QString newestGoodCopy()
{
    for (const QString& copy : dailyCopies())
        if (!Database::verify(copy))
            return copy;
    return {};
}

} // namespace Startup
