#include "app/accessimport.h"

#include "data/accessfile.h"
#include "data/database.h"
#include "data/migration.h"
#include "data/rowcursor.h"
#include "data/textcolumns.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <charconv>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

using Type = AccessFile::Type;
namespace TC = TextColumns;

// Key: the table's AUTOINCREMENT column; Date: 'yyyy-mm-dd'; Time: 'hh:mm' as the DDT stores it.
enum class Kind { Key, Whole, Real, Text, Date, Time };

struct ColumnRule {
    const char* name;
    Kind kind;
    int length = 0; // Text: the most characters the program's boxes take
};

struct TableRule {
    const char* name;
    std::vector<ColumnRule> columns;
};

const std::vector<TableRule>& rules()
{
    static const std::vector<TableRule> tables = {
        {"Anagrafica",
         {{"Id", Kind::Key},
          {"Nome", Kind::Text, TC::Anagrafica::Nome},
          {"Ragione", Kind::Text, TC::Anagrafica::Ragione},
          {"Ragione2", Kind::Text, TC::Anagrafica::Ragione2},
          {"Piva", Kind::Text, TC::Anagrafica::Piva},
          {"Cf", Kind::Text, TC::Anagrafica::Cf},
          {"Indirizzo", Kind::Text, TC::Anagrafica::Indirizzo},
          {"Cap", Kind::Text, TC::Anagrafica::Cap},
          {"Città", Kind::Text, TC::Anagrafica::Citta},
          {"Prov", Kind::Text, TC::Anagrafica::Prov},
          {"Valid", Kind::Whole}}},
        {"Categorie", {{"IdCat", Kind::Key}, {"Nome", Kind::Text, TC::Categorie::Nome}, {"Valid", Kind::Whole}}},
        {"Magazzino",
         {{"IdArt", Kind::Key},
          {"Cat", Kind::Whole},
          {"Descrizione", Kind::Text, TC::Magazzino::Descrizione},
          {"Um", Kind::Text, TC::Magazzino::Um},
          {"Qta", Kind::Real},
          {"Valid", Kind::Whole}}},
        {"Fatture",
         {{"Num", Kind::Text, TC::kTesto},
          {"IdAna", Kind::Whole},
          {"Data", Kind::Date},
          {"Totale", Kind::Real},
          {"Iva", Kind::Whole},
          {"Note", Kind::Text, TC::Fatture::Note},
          {"RA", Kind::Text, TC::kTesto},
          {"Pagata", Kind::Text, TC::kTesto}}},
        {"ContFatt",
         {{"Num", Kind::Text, TC::kTesto},
          {"Ord", Kind::Whole},
          {"Descrizione", Kind::Text, TC::ContFatt::Descrizione},
          {"Qta", Kind::Real},
          {"Prezzo", Kind::Real}}},
        {"Ddt",
         {{"Num", Kind::Text, TC::kTesto},
          {"IdAna", Kind::Whole},
          {"Data", Kind::Date},
          {"Causale", Kind::Text, TC::Ddt::Causale},
          {"Mezzo", Kind::Text, TC::Ddt::Mezzo},
          {"Colli", Kind::Whole},
          {"DataRit", Kind::Date},
          {"OraRit", Kind::Time},
          {"Note", Kind::Text, TC::Ddt::Note}}},
        {"ContDdt",
         {{"Num", Kind::Text, TC::kTesto},
          {"Ord", Kind::Whole},
          {"Descrizione", Kind::Text, TC::ContDdt::Descrizione},
          {"Qta", Kind::Real}}},
        {"Preventivi",
         {{"Num", Kind::Text, TC::kTesto},
          {"IdAna", Kind::Whole},
          {"Int1", Kind::Text, TC::Preventivi::Int1},
          {"Int2", Kind::Text, TC::Preventivi::Int2},
          {"Data", Kind::Date},
          {"Des", Kind::Text},
          {"Note", Kind::Text, TC::Preventivi::Note}}},
        {"Documenti", {{"Num", Kind::Text, TC::kTesto}, {"Data", Kind::Date}, {"Des", Kind::Text}}},
        {"Azienda",
         {{"Riga1", Kind::Text, TC::Azienda::Riga},
          {"Riga2", Kind::Text, TC::Azienda::Riga},
          {"Riga3", Kind::Text, TC::Azienda::Riga},
          {"Riga4", Kind::Text, TC::Azienda::Riga},
          {"Riga5", Kind::Text, TC::Azienda::Riga}}},
    };
    return tables;
}

bool accepts(Kind kind, Type type)
{
    switch (kind) {
    case Kind::Key:
    case Kind::Whole:
        return type == Type::Whole;
    case Kind::Real:
        return type == Type::Single || type == Type::Double || type == Type::Currency || type == Type::Whole;
    case Kind::Text:
        return type == Type::Text;
    case Kind::Date:
    case Kind::Time:
        return type == Type::DateTime;
    }
    return false;
}

// A table of the file as it will be written: one value per column of its rule, a Decimal
// beside each Real value for the sums.
struct Loaded {
    const TableRule* rule = nullptr;
    std::vector<int> sourceColumn; // position in the file of each rule column
    std::vector<QVariantList> rows;
    std::vector<std::vector<Decimal>> reals; // per row, the Real columns in rule order

    // How the row is named in the report: by its key, else by its place in the table.
    QString name(size_t index) const;
};

QString Loaded::name(size_t index) const
{
    const TableRule& r = *rule;
    const QVariantList& row = rows[index];
    const QString table = QString::fromUtf8(r.name);
    if (r.columns[0].kind == Kind::Key)
        return QStringLiteral("%1 %2=%3").arg(table, QString::fromUtf8(r.columns[0].name), row[0].toString());
    if (QLatin1StringView(r.columns[0].name) == QLatin1StringView("Num")) {
        QString name = QStringLiteral("%1 Num=%2").arg(table, row[0].isNull() ? QStringLiteral("(vuoto)") : row[0].toString());
        if (r.columns.size() > 1 && QLatin1StringView(r.columns[1].name) == QLatin1StringView("Ord"))
            name += QStringLiteral(" Ord=") + row[1].toString();
        return name;
    }
    return QStringLiteral("%1 riga %2").arg(table).arg(index + 1);
}

// The shortest text that reads back as the same single, as a Decimal and as the double it reads as.
std::pair<Decimal, double> shortest(float value)
{
    if (!std::isfinite(value))
        return {Decimal::overflow(), 0};
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    double stored = 0;
    std::from_chars(text, end, stored);
    return {Decimal::fromString(QString::fromLatin1(text, end - text)).value_or(Decimal::overflow()), stored};
}

// Converts one value; a text in `problem` when the tables cannot hold it.
QVariant convert(const ColumnRule& c, Type type, const AccessFile::Value& v, Decimal* real, QString* problem,
                 QString* warning)
{
    if (v.isNull)
        return QVariant();
    const QString column = QString::fromUtf8(c.name);
    switch (c.kind) {
    case Kind::Key:
    case Kind::Whole:
        return QVariant(v.whole);
    case Kind::Real: {
        Decimal d;
        // The double stored is the one the decimal reads as: for a single, that of its shortest text.
        double stored = v.real;
        if (type == Type::Single) {
            std::tie(d, stored) = shortest(v.single);
        } else if (type == Type::Double) {
            d = Decimal::fromDouble(v.real);
        } else {
            d = type == Type::Currency ? Decimal(v.whole).dividedBy(10000, 4) : Decimal(v.whole);
            stored = d.toDouble();
        }
        if (d.isOverflow()) {
            *problem = QStringLiteral("%1 non è un numero memorizzabile").arg(column);
            return QVariant();
        }
        *real = d;
        return QVariant(stored);
    }
    case Kind::Text: {
        if (c.length > 0 && v.text.size() > c.length)
            *warning = QStringLiteral("%1 di %2 caratteri (al massimo %3)").arg(column).arg(v.text.size()).arg(c.length);
        return QVariant(v.text);
    }
    case Kind::Date:
    case Kind::Time: {
        const QDateTime at = AccessImport::fromAccessDate(v.real);
        if (!at.isValid()) {
            *problem = QStringLiteral("%1 non è una data memorizzabile").arg(column);
            return QVariant();
        }
        const QTime t = at.time();
        if (c.kind == Kind::Time)
            return QVariant(t.toString(t.second() ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm")));
        if (t != QTime(0, 0))
            *warning = QStringLiteral("%1 con l'ora %2, che non viene conservata").arg(column, t.toString(QStringLiteral("HH:mm:ss")));
        return QVariant(at.date().toString(Qt::ISODate));
    }
    }
    return QVariant();
}

// Reads and converts one table; rows that cannot be stored go to `problems`.
bool load(const AccessFile& file, Loaded& t, QStringList& problems, QStringList& warnings)
{
    const QString table = QString::fromUtf8(t.rule->name);
    const auto cols = file.columns(table);
    QSet<long long> keys;
    const bool keyed = t.rule->columns[0].kind == Kind::Key;
    const auto read = file.read(table, [&](const std::vector<AccessFile::Value>& values) {
        QVariantList row;
        std::vector<Decimal> reals;
        QStringList rowProblems, rowWarnings;
        for (size_t i = 0; i < t.rule->columns.size(); ++i) {
            const ColumnRule& c = t.rule->columns[i];
            const int at = t.sourceColumn[i];
            Decimal real;
            QString problem, warning;
            row << convert(c, cols[at].type, values[at], &real, &problem, &warning);
            if (c.kind == Kind::Real)
                reals.push_back(real);
            if (!problem.isEmpty())
                rowProblems << problem;
            if (!warning.isEmpty())
                rowWarnings << warning;
        }
        if (keyed) {
            if (row[0].isNull())
                rowProblems << QStringLiteral("chiave mancante");
            else if (keys.contains(row[0].toLongLong()))
                rowProblems << QStringLiteral("chiave ripetuta");
            else
                keys.insert(row[0].toLongLong());
        }
        t.rows.push_back(std::move(row));
        t.reals.push_back(std::move(reals));
        for (const QString& p : rowProblems)
            problems << t.name(t.rows.size() - 1) + QStringLiteral(": ") + p;
        for (const QString& w : rowWarnings)
            warnings << t.name(t.rows.size() - 1) + QStringLiteral(": ") + w;
        return true;
    });
    return read && *read == file.rowCount(table);
}

int columnOf(const Loaded& t, const char* name)
{
    for (size_t i = 0; i < t.rule->columns.size(); ++i)
        if (QLatin1StringView(t.rule->columns[i].name) == QLatin1StringView(name))
            return int(i);
    return -1;
}

// The rules the program's windows keep and the old file may break: listed, not refused.
void crossChecks(const std::vector<Loaded>& all, QStringList& warnings)
{
    auto find = [&](const char* name) -> const Loaded& {
        for (const Loaded& t : all)
            if (QLatin1StringView(t.rule->name) == QLatin1StringView(name))
                return t;
        Q_UNREACHABLE();
    };
    auto keysOf = [](const Loaded& t) {
        QSet<QString> out;
        for (const QVariantList& r : t.rows)
            out.insert(r[0].toString());
        return out;
    };
    // Valid master data is unique by name.
    const std::pair<const char*, const char*> unique[] = {
        {"Anagrafica", "Nome"}, {"Categorie", "Nome"}, {"Magazzino", "Descrizione"}};
    for (const auto& [table, column] : unique) {
        const Loaded& t = find(table);
        const int c = columnOf(t, column);
        const int valid = columnOf(t, "Valid");
        QHash<QString, QString> seen;
        for (size_t i = 0; i < t.rows.size(); ++i) {
            const QVariantList& r = t.rows[i];
            if (r[valid].toLongLong() != 1 || r[c].isNull())
                continue;
            const QString key = Database::fold(r[c].toString());
            if (seen.contains(key))
                warnings << t.name(i) + QStringLiteral(": %1 \"%2\" uguale a quello di %3, anch'esso valido")
                                            .arg(QString::fromUtf8(column), r[c].toString(), seen[key]);
            else
                seen.insert(key, t.name(i));
        }
    }
    const QSet<QString> customers = keysOf(find("Anagrafica"));
    const QSet<QString> categories = keysOf(find("Categorie"));
    static const QRegularExpression numberForm(QStringLiteral("^[1-9][0-9]*/[0-9]{2}$"));
    const std::pair<const char*, const char*> papers[] = {
        {"Fatture", "ContFatt"}, {"Ddt", "ContDdt"}, {"Preventivi", nullptr}, {"Documenti", nullptr}};
    for (const auto& [table, rowsTable] : papers) {
        const Loaded& t = find(table);
        const int idAna = columnOf(t, "IdAna");
        QSet<QString> numbers;
        for (size_t i = 0; i < t.rows.size(); ++i) {
            const QVariantList& r = t.rows[i];
            const QString num = r[0].toString();
            if (!numberForm.match(num).hasMatch())
                warnings << t.name(i) + QStringLiteral(": numero non nella forma N/AA");
            if (numbers.contains(num) && QLatin1StringView(table) != QLatin1StringView("Documenti"))
                warnings << t.name(i) + QStringLiteral(": numero ripetuto");
            numbers.insert(num);
            if (idAna >= 0 && !r[idAna].isNull() && !customers.contains(r[idAna].toString()))
                warnings << t.name(i) + QStringLiteral(": il cliente %1 non esiste").arg(r[idAna].toString());
        }
        if (!rowsTable)
            continue;
        const Loaded& rows = find(rowsTable);
        for (size_t i = 0; i < rows.rows.size(); ++i)
            if (!numbers.contains(rows.rows[i][0].toString()))
                warnings << rows.name(i) + QStringLiteral(": la testata %1 non esiste in %2")
                                               .arg(rows.rows[i][0].toString(), QString::fromUtf8(table));
    }
    const Loaded& items = find("Magazzino");
    const int cat = columnOf(items, "Cat");
    for (size_t i = 0; i < items.rows.size(); ++i)
        if (!items.rows[i][cat].isNull() && !categories.contains(items.rows[i][cat].toString()))
            warnings << items.name(i) + QStringLiteral(": la categoria %1 non esiste").arg(items.rows[i][cat].toString());
}

DbResult<long long> count(const QString& table)
{
    const auto v = Database::scalar(QStringLiteral("SELECT count(*) FROM ") + table);
    if (!v)
        return v.error();
    return v.value().toLongLong();
}

// Writes one table and reads back its count and sums.
DbStatus write(const Loaded& t, int index, AccessImport::TableReport& report, const AccessImport::Progress& progress)
{
    const QString table = QString::fromUtf8(t.rule->name);
    QStringList names, reals;
    for (const ColumnRule& c : t.rule->columns) {
        names << QString::fromUtf8(c.name);
        if (c.kind == Kind::Real)
            reals << QString::fromUtf8(c.name);
    }
    QSqlQuery insert(Database::connection());
    const QString marks = QStringLiteral("?, ").repeated(names.size()).chopped(2);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(QStringLiteral(", ")), marks)))
        return DbError::from(insert.lastError());
    const long long total = static_cast<long long>(t.rows.size());
    for (long long n = 0; n < total; ++n) {
        const QVariantList& row = t.rows[n];
        for (int i = 0; i < row.size(); ++i)
            insert.bindValue(i, row[i]);
        if (!insert.exec()) {
            DbError e = DbError::from(insert.lastError());
            e.text = t.name(n) + QStringLiteral(": ") + e.text;
            return e;
        }
        if (progress && ((n + 1) % 250 == 0 || n + 1 == total))
            progress(index, table, n + 1, total);
    }
    if (progress && total == 0)
        progress(index, table, 0, 0);
    const auto written = count(table);
    if (!written)
        return written.error();
    report.written = written.value();
    for (int r = 0; r < reals.size(); ++r) {
        AccessImport::Sum s{reals[r], {}, {}};
        for (const auto& values : t.reals)
            s.read += values[r];
        auto q = RowCursor::open(QStringLiteral("SELECT %1 FROM %2").arg(reals[r], table));
        if (!q)
            return q.error();
        while (q.value().next())
            if (!q.value().isNull(0))
                s.written += Decimal::fromDouble(q.value().real(0));
        if (auto err = q.value().error())
            return err;
        report.sums << s;
    }
    return std::nullopt;
}

// The server's key counters do not roll back: they move only once everything else is written.
DbStatus continueCounters(const std::vector<Loaded>& all)
{
    for (const Loaded& t : all) {
        if (t.rule->columns[0].kind != Kind::Key)
            continue;
        long long last = 0;
        for (const QVariantList& row : t.rows)
            last = std::max(last, row[0].toLongLong());
        if (last > 0)
            if (auto err = Migration::continueCounter(QString::fromUtf8(t.rule->name),
                                                      QString::fromUtf8(t.rule->columns[0].name), last))
                return err;
    }
    return std::nullopt;
}

// Where each column the program needs lies in the file; what is missing or of another type goes
// to `problems`.
std::vector<Loaded> shapeOf(const AccessFile& file, QStringList& problems)
{
    const QStringList present = file.tables();
    std::vector<Loaded> loaded;
    for (const TableRule& rule : rules()) {
        const QString table = QString::fromUtf8(rule.name);
        if (!present.contains(table, Qt::CaseInsensitive)) {
            problems << QStringLiteral("Manca la tabella %1.").arg(table);
            continue;
        }
        const auto cols = file.columns(table);
        if (cols.empty()) {
            problems << QStringLiteral("La tabella %1 non si legge.").arg(table);
            continue;
        }
        Loaded t;
        t.rule = &rule;
        for (const ColumnRule& c : rule.columns) {
            const QString name = QString::fromUtf8(c.name);
            int at = -1;
            for (size_t i = 0; i < cols.size(); ++i)
                if (cols[i].name.compare(name, Qt::CaseInsensitive) == 0)
                    at = int(i);
            if (at < 0)
                problems << QStringLiteral("Nella tabella %1 manca la colonna %2.").arg(table, name);
            else if (!accepts(c.kind, cols[at].type))
                problems << QStringLiteral("La colonna %1 della tabella %2 ha un tipo non previsto.").arg(name, table);
            t.sourceColumn.push_back(at);
        }
        loaded.push_back(std::move(t));
    }
    return loaded;
}

const QString kNotEmpty = QStringLiteral("Il database contiene già clienti, categorie, articoli o documenti: "
                                         "l'archivio precedente si importa solo in un database vuoto. Nulla è stato "
                                         "importato.");

QString notDone(const DbError& e)
{
    return QStringLiteral("Importazione non eseguita, il database resta com'era: ") + e.title() + QStringLiteral(" - ") +
           e.text;
}

// Writes every table under one write lock and checks what was written; false with the reason
// in `out` (and nothing written) otherwise.
bool writeAll(std::vector<Loaded>& loaded, AccessImport::Outcome& out, const AccessImport::Progress& progress)
{
    Transaction tx(Transaction::Write);
    // Another seat may have written since the first look; under the write lock nobody can now.
    const auto stillEmpty = AccessImport::targetIsEmpty();
    if (!stillEmpty || !stillEmpty.value()) {
        out.message = stillEmpty ? kNotEmpty : notDone(stillEmpty.error());
        return false;
    }
    // The company header the database may already hold stays; the file's is then left out.
    const auto header = count(QStringLiteral("Azienda"));
    if (!header) {
        out.message = notDone(header.error());
        return false;
    }
    for (size_t i = 0; i < loaded.size(); ++i) {
        Loaded& t = loaded[i];
        if (header.value() > 0 && QLatin1StringView(t.rule->name) == QLatin1StringView("Azienda") && !t.rows.empty()) {
            out.report.warnings << QStringLiteral("Azienda: il database ha già un'intestazione, che resta; quella "
                                                  "del file non è stata importata");
            t.rows.clear();
            t.reals.clear();
        }
        AccessImport::TableReport& r = out.report.tables[int(i)];
        if (auto err = write(t, int(i), r, progress)) {
            out.message = notDone(*err);
            return false;
        }
        const long long before = r.table == QStringLiteral("Azienda") ? header.value() : 0;
        bool same = r.written == before + static_cast<long long>(t.rows.size());
        for (const AccessImport::Sum& s : r.sums)
            same = same && s.read == s.written;
        if (!same) {
            out.message = QStringLiteral("Importazione non eseguita, il database resta com'era: la tabella %1 scritta "
                                         "non corrisponde a quella letta.")
                              .arg(r.table);
            return false;
        }
    }
    if (auto err = continueCounters(loaded)) {
        out.message = notDone(*err);
        return false;
    }
    if (auto err = tx.commit()) {
        out.message = notDone(*err);
        return false;
    }
    return true;
}

} // namespace

namespace AccessImport {

QStringList tableNames()
{
    QStringList out;
    for (const TableRule& t : rules())
        out << QString::fromUtf8(t.name);
    return out;
}

DbResult<bool> targetIsEmpty()
{
    for (const TableRule& t : rules()) {
        if (QLatin1StringView(t.name) == QLatin1StringView("Azienda"))
            continue;
        const auto n = count(QString::fromUtf8(t.name));
        if (!n)
            return n.error();
        if (n.value() > 0)
            return false;
    }
    return true;
}

Decimal fromSingle(float value)
{
    return shortest(value).first;
}

QDateTime fromAccessDate(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3e6)
        return {};
    // The whole part counts days from 30/12/1899 either way; the fraction is the time of day.
    double whole = std::trunc(value);
    long long seconds = std::llround(std::fabs(value - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += value < 0 ? -1 : 1;
    }
    const QDate day = QDate(1899, 12, 30).addDays(static_cast<long long>(whole));
    if (!day.isValid() || day.year() < 100 || day.year() > 9999)
        return {};
    return QDateTime(day, QTime(0, 0).addSecs(static_cast<int>(seconds)));
}

Outcome run(const QString& accessFile, const Progress& progress)
{
    Outcome out;
    out.report.file = accessFile;
    QString problem;
    const auto file = AccessFile::open(accessFile, &problem);
    if (!file) {
        out.message = problem;
        return out;
    }
    // The shape of the file first: every table and column, of a type the program can take.
    std::vector<Loaded> loaded = shapeOf(*file, out.problems);
    if (!out.problems.isEmpty()) {
        out.message = QStringLiteral("Il file \"%1\" non ha le tabelle del programma precedente: nulla è stato importato.")
                          .arg(accessFile);
        return out;
    }
    const auto empty = targetIsEmpty();
    if (!empty) {
        out.message = notDone(empty.error());
        return out;
    }
    if (!empty.value()) {
        out.message = kNotEmpty;
        return out;
    }

    QStringList damaged;
    for (Loaded& t : loaded) {
        TableReport r{QString::fromUtf8(t.rule->name), 0, 0, {}};
        if (!load(*file, t, out.problems, out.report.warnings))
            damaged << r.table;
        r.read = static_cast<long long>(t.rows.size());
        out.report.tables << r;
    }
    if (!damaged.isEmpty()) {
        out.message = QStringLiteral("Il database Access \"%1\" è danneggiato: le tabelle %2 non si leggono per intero. "
                                     "Ripararlo con Access o usarne una copia. Nulla è stato importato.")
                          .arg(accessFile, damaged.join(QStringLiteral(", ")));
        out.problems.clear();
        return out;
    }
    if (!out.problems.isEmpty()) {
        out.message = QStringLiteral("Alcune righe del file non possono essere memorizzate: nulla è stato importato. "
                                     "Correggerle con Access e ripetere l'importazione.");
        return out;
    }
    crossChecks(loaded, out.report.warnings);

    out.ok = writeAll(loaded, out, progress);
    return out;
}

QString reportText(const Outcome& outcome)
{
    QString text;
    const Report& r = outcome.report;
    if (!outcome.ok) {
        text += outcome.message + u'\n';
        for (const QString& p : outcome.problems)
            text += QStringLiteral("  ") + p + u'\n';
        return text;
    }
    text += QStringLiteral("Importato \"%1\":\n").arg(r.file);
    for (const TableReport& t : r.tables) {
        text += QStringLiteral("  %1: %2 righe lette, %3 scritte").arg(t.table).arg(t.read).arg(t.written);
        for (const Sum& s : t.sums)
            text += QStringLiteral("; somma %1 %2 letta, %3 scritta").arg(s.column, s.read.toString(), s.written.toString());
        text += u'\n';
    }
    if (r.warnings.isEmpty()) {
        text += QStringLiteral("Nessun avviso.\n");
    } else {
        text += QStringLiteral("Avvisi (%1): righe importate come erano, che il programma non accetterebbe:\n")
                    .arg(r.warnings.size());
        for (const QString& w : r.warnings)
            text += QStringLiteral("  ") + w + u'\n';
    }
    return text;
}

} // namespace AccessImport
