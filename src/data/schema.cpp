#include "data/schema.h"

#include "data/database.h"

#include <iterator>

namespace {

struct Table {
    const char* name;
    const char* statement;
};

// Plain SQLite types and no custom collation or function, so that the stock sqlite3 tool reads
// the file. Every statement may meet what it makes: before the history was kept the stores made
// their own tables at first use, so a database of that time can hold any of them already.
const Table kOriginal[] = {
    {"Anagrafica", "CREATE TABLE IF NOT EXISTS Anagrafica (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT, "
                   "Ragione TEXT, Ragione2 TEXT, Piva TEXT, Cf TEXT, Indirizzo TEXT, Cap TEXT, Città TEXT, "
                   "Prov TEXT, Valid INTEGER DEFAULT 1)"},
    {"Categorie", "CREATE TABLE IF NOT EXISTS Categorie (IdCat INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT, "
                  "Valid INTEGER DEFAULT 1)"},
    {"Magazzino", "CREATE TABLE IF NOT EXISTS Magazzino (IdArt INTEGER PRIMARY KEY AUTOINCREMENT, Cat INTEGER, "
                  "Descrizione TEXT, Um TEXT, Qta REAL, Valid INTEGER DEFAULT 1)"},
    {"Fatture", "CREATE TABLE IF NOT EXISTS Fatture (Num TEXT, IdAna INTEGER, Data TEXT, Totale REAL, Iva INTEGER, "
                "Note TEXT, RA TEXT, Pagata TEXT)"},
    {"ContFatt", "CREATE TABLE IF NOT EXISTS ContFatt (Num TEXT, Ord INTEGER, Descrizione TEXT, Qta REAL, "
                 "Prezzo REAL)"},
    {"Ddt", "CREATE TABLE IF NOT EXISTS Ddt (Num TEXT, IdAna INTEGER, Data TEXT, Causale TEXT, Mezzo TEXT, "
            "Colli INTEGER, DataRit TEXT, OraRit TEXT, Note TEXT)"},
    {"ContDdt", "CREATE TABLE IF NOT EXISTS ContDdt (Num TEXT, Ord INTEGER, Descrizione TEXT, Qta REAL)"},
    {"Preventivi", "CREATE TABLE IF NOT EXISTS Preventivi (Num TEXT, IdAna INTEGER, Int1 TEXT, Int2 TEXT, "
                   "Data TEXT, Des TEXT, Note TEXT)"},
    {"Documenti", "CREATE TABLE IF NOT EXISTS Documenti (Num TEXT, Data TEXT, Des TEXT)"},
    {"Azienda", "CREATE TABLE IF NOT EXISTS Azienda (Riga1 TEXT, Riga2 TEXT, Riga3 TEXT, Riga4 TEXT, Riga5 TEXT)"},
};

// Papers are looked up by number and listed by date; rows by their paper.
const char* const kIndexes[] = {
    "CREATE INDEX IF NOT EXISTS FattureNum ON Fatture (Num)",
    "CREATE INDEX IF NOT EXISTS FattureData ON Fatture (Data)",
    "CREATE INDEX IF NOT EXISTS ContFattNum ON ContFatt (Num, Ord)",
    "CREATE INDEX IF NOT EXISTS DdtNum ON Ddt (Num)",
    "CREATE INDEX IF NOT EXISTS DdtData ON Ddt (Data)",
    "CREATE INDEX IF NOT EXISTS ContDdtNum ON ContDdt (Num, Ord)",
    "CREATE INDEX IF NOT EXISTS PreventiviNum ON Preventivi (Num)",
    "CREATE INDEX IF NOT EXISTS DocumentiNum ON Documenti (Num)",
    "CREATE INDEX IF NOT EXISTS MagazzinoCat ON Magazzino (Cat)",
};

// Step 2: the electronic invoice's data, in tables of their own.
const Table kEInvoice[] = {
    {"EFatturaAzienda",
     "CREATE TABLE IF NOT EXISTS EFatturaAzienda (Id INTEGER PRIMARY KEY CHECK (Id = 1), Denominazione TEXT, "
     "PartitaIva TEXT, CodiceFiscale TEXT, RegimeFiscale TEXT, Indirizzo TEXT, Cap TEXT, Comune TEXT, "
     "Provincia TEXT, Nazione TEXT, Iban TEXT, IstitutoFinanziario TEXT, PersonaFisica INTEGER)"},
    {"EFatturaClienti", "CREATE TABLE IF NOT EXISTS EFatturaClienti (IdAna INTEGER PRIMARY KEY, "
                        "CodiceDestinatario TEXT, Pec TEXT, Nazione TEXT)"},
    {"EFatturaNatura", "CREATE TABLE IF NOT EXISTS EFatturaNatura (Num TEXT PRIMARY KEY, Natura TEXT)"},
    {"EFatturaProgressivo",
     "CREATE TABLE IF NOT EXISTS EFatturaProgressivo (Id INTEGER PRIMARY KEY CHECK (Id = 1), Ultimo INTEGER)"},
};

// Step 3: which invoice covers which DDT.
const Table kDdtLinks[] = {
    {"FattureDdt", "CREATE TABLE IF NOT EXISTS FattureDdt (NumDdt TEXT PRIMARY KEY COLLATE NOCASE, "
                   "NumFattura TEXT NOT NULL COLLATE NOCASE)"},
};

// Step 4: the file name each exported invoice was given, so that exporting it again reuses it.
const Table kEInvoiceFiles[] = {
    {"EFatturaFile", "CREATE TABLE IF NOT EXISTS EFatturaFile (Num TEXT PRIMARY KEY, Progressivo INTEGER NOT NULL)"},
};

// Step 5: the company's fiscal settings beyond its identity: the withholding's payment reason and
// whether the stamp duty is charged to the customer.
const Table kFiscalSettings[] = {
    {"EFatturaImpostazioni", "CREATE TABLE IF NOT EXISTS EFatturaImpostazioni (Id INTEGER PRIMARY KEY CHECK (Id = 1), "
                             "CausaleRitenuta TEXT, BolloACliente INTEGER)"},
};

// Step 6: which invoice each credit note reverses; the notes themselves are invoices.
const Table kCreditNotes[] = {
    {"NoteCredito", "CREATE TABLE IF NOT EXISTS NoteCredito (Num TEXT PRIMARY KEY, NumFattura TEXT NOT NULL)"},
};
const char* const kCreditNoteIndexes[] = {
    "CREATE INDEX IF NOT EXISTS NoteCreditoFattura ON NoteCredito (NumFattura)",
};

// Step 7: a public body's tender and project codes per invoice; the DDTs an invoice covers, found by invoice.
const Table kPublicBodies[] = {
    {"EFatturaPA", "CREATE TABLE IF NOT EXISTS EFatturaPA (Num TEXT PRIMARY KEY, Cig TEXT, Cup TEXT)"},
};
const char* const kDdtByInvoice[] = {
    "CREATE INDEX IF NOT EXISTS FattureDdtFattura ON FattureDdt (NumFattura)",
};

// Step 8: payment terms and their instalments, each customer's term and bank, each invoice's term,
// the due dates of the invoices and the Ri.Ba. presentations to the bank; with the shipped terms.
const Table kPayments[] = {
    {"CondizioniPagamento", "CREATE TABLE IF NOT EXISTS CondizioniPagamento (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                            "Descrizione TEXT NOT NULL, Modalita TEXT NOT NULL)"},
    {"RateCondizioni", "CREATE TABLE IF NOT EXISTS RateCondizioni (IdCondizione INTEGER NOT NULL, Ord INTEGER NOT NULL, "
                       "Giorni INTEGER NOT NULL, FineMese INTEGER NOT NULL, Quota REAL NOT NULL, "
                       "PRIMARY KEY (IdCondizione, Ord))"},
    {"ClientiPagamento", "CREATE TABLE IF NOT EXISTS ClientiPagamento (IdAna INTEGER PRIMARY KEY, IdCondizione INTEGER, "
                         "Iban TEXT, Abi TEXT, Cab TEXT, Banca TEXT)"},
    {"FatturePagamento", "CREATE TABLE IF NOT EXISTS FatturePagamento (Num TEXT PRIMARY KEY, IdCondizione INTEGER NOT NULL)"},
    {"Scadenze", "CREATE TABLE IF NOT EXISTS Scadenze (Num TEXT NOT NULL, Rata INTEGER NOT NULL, Data TEXT NOT NULL, "
                 "Importo REAL NOT NULL, Modalita TEXT NOT NULL, Pagata TEXT, DataPagamento TEXT, "
                 "IdPresentazione INTEGER, PRIMARY KEY (Num, Rata))"},
    {"PresentazioniRiba", "CREATE TABLE IF NOT EXISTS PresentazioniRiba (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                          "Data TEXT NOT NULL, NomeFile TEXT)"},
    {"AziendaBanca", "CREATE TABLE IF NOT EXISTS AziendaBanca (Id INTEGER PRIMARY KEY CHECK (Id = 1), Sia TEXT, "
                     "Abi TEXT, Cab TEXT, Conto TEXT, Banca TEXT)"},
};
const char* const kPaymentOthers[] = {
    "CREATE INDEX IF NOT EXISTS ScadenzeData ON Scadenze (Data)",
    "CREATE INDEX IF NOT EXISTS ScadenzePresentazione ON Scadenze (IdPresentazione)",
    // The shipped terms; the user edits or deletes them like his own. Like every statement here they
    // may meet what they make, and then add nothing.
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Rimessa diretta', 'MP01' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Rimessa diretta')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Bonifico vista fattura', 'MP05' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Bonifico vista fattura')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Bonifico 30 gg d.f.', 'MP05' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 30 gg d.f.')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Bonifico 60 gg d.f.', 'MP05' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 60 gg d.f.')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Bonifico 30/60/90 gg d.f.', 'MP05' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 30/60/90 gg d.f.')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Bonifico 30 gg f.m.', 'MP05' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 30 gg f.m.')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Ri.Ba. 30 gg f.m.', 'MP12' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30 gg f.m.')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Ri.Ba. 60 gg f.m.', 'MP12' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 60 gg f.m.')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Ri.Ba. 30/60 gg f.m.', 'MP12' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60 gg f.m.')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Ri.Ba. 30/60/90 gg f.m.', 'MP12' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60/90 gg f.m.')",
    "INSERT INTO CondizioniPagamento (Descrizione, Modalita) SELECT 'Addebito diretto SDD 30 gg f.m.', 'MP19' WHERE NOT EXISTS "
    "(SELECT 1 FROM CondizioniPagamento WHERE Descrizione = 'Addebito diretto SDD 30 gg f.m.')",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 0, 0, 100 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Rimessa diretta' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 0, 0, 100 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Bonifico vista fattura' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 30, 0, 100 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 30 gg d.f.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 60, 0, 100 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 60 gg d.f.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 30, 0, 33.33 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 30/60/90 gg d.f.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 2, 60, 0, 33.33 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 30/60/90 gg d.f.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 3, 90, 0, 33.34 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 30/60/90 gg d.f.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 30, 1, 100 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Bonifico 30 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 30, 1, 100 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 60, 1, 100 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 60 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 30, 1, 50 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 2, 60, 1, 50 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 30, 1, 33.33 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60/90 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 2, 60, 1, 33.33 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60/90 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 3, 90, 1, 33.34 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60/90 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
    "INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) SELECT Id, 1, 30, 1, 100 "
    "FROM CondizioniPagamento WHERE Descrizione = 'Addebito diretto SDD 30 gg f.m.' "
    "ON CONFLICT (IdCondizione, Ord) DO NOTHING",
};

struct Step {
    const Table* tables;
    int tableCount;
    const char* const* others;
    int otherCount;
};

// Append new steps at the end; a step once released never changes.
const Step kSteps[] = {
    {kOriginal, int(std::size(kOriginal)), kIndexes, int(std::size(kIndexes))},
    {kEInvoice, int(std::size(kEInvoice)), nullptr, 0},
    {kDdtLinks, int(std::size(kDdtLinks)), nullptr, 0},
    {kEInvoiceFiles, int(std::size(kEInvoiceFiles)), nullptr, 0},
    {kFiscalSettings, int(std::size(kFiscalSettings)), nullptr, 0},
    {kCreditNotes, int(std::size(kCreditNotes)), kCreditNoteIndexes, int(std::size(kCreditNoteIndexes))},
    {kPublicBodies, int(std::size(kPublicBodies)), kDdtByInvoice, int(std::size(kDdtByInvoice))},
    {kPayments, int(std::size(kPayments)), kPaymentOthers, int(std::size(kPaymentOthers))},
};

// The server keeps the number in a table of its own, beside the program's.
const QString kVersionTable = QStringLiteral("VersioneSchema");

DbStatus record(int number)
{
    if (!Dialect::onServer())
        // A pragma takes no bound value; the number is the program's own.
        return Database::exec(QStringLiteral("PRAGMA user_version = %1").arg(number));
    if (auto err = Database::exec(Dialect::table(
            QStringLiteral("CREATE TABLE IF NOT EXISTS VersioneSchema (Id INTEGER PRIMARY KEY CHECK (Id = 1), "
                           "Numero INTEGER NOT NULL)"))))
        return err;
    return Database::exec(QStringLiteral("INSERT INTO VersioneSchema (Id, Numero) VALUES (1, ?) ON CONFLICT (Id) DO "
                                         "UPDATE SET Numero = excluded.Numero"),
                          {number});
}

DbStatus apply(int number)
{
    for (const QString& sql : Schema::stepStatements(number))
        if (auto err = Database::exec(sql.startsWith(QStringLiteral("CREATE TABLE")) ? Dialect::table(sql) : sql))
            return err;
    return record(number);
}

} // namespace

namespace Schema {

int latest()
{
    return int(std::size(kSteps));
}

QStringList stepStatements(int number)
{
    QStringList out;
    if (number < 1 || number > latest())
        return out;
    const Step& s = kSteps[number - 1];
    for (int i = 0; i < s.tableCount; ++i)
        out << QString::fromUtf8(s.tables[i].statement);
    for (int i = 0; i < s.otherCount; ++i)
        out << QString::fromUtf8(s.others[i]);
    return out;
}

QStringList tableNames()
{
    QStringList names;
    for (const auto& t : kOriginal)
        names << QString::fromUtf8(t.name);
    return names;
}

QStringList tableStatements()
{
    QStringList out;
    for (const auto& t : kOriginal)
        out << QString::fromUtf8(t.statement);
    return out;
}

QStringList ownTables()
{
    QStringList names;
    for (const Step& s : kSteps)
        for (int i = 0; i < s.tableCount; ++i)
            names << QString::fromUtf8(s.tables[i].name);
    return names;
}

DbStatus create()
{
    Transaction tx;
    for (int n = 1; n <= latest(); ++n)
        if (auto err = apply(n))
            return err;
    return tx.commit();
}

DbResult<int> version()
{
    if (!Dialect::onServer()) {
        const auto v = Database::scalar(QStringLiteral("PRAGMA user_version"));
        if (!v)
            return v.error();
        return v->toInt();
    }
    const auto there = Database::scalar(Dialect::tableCount(), {kVersionTable});
    if (!there)
        return there.error();
    if (there->toInt() == 0)
        return 0;
    const auto v = Database::scalar(QStringLiteral("SELECT Numero FROM VersioneSchema WHERE Id = 1"));
    if (!v)
        return v.error();
    return v->toInt();
}

DbError newerShape(int found)
{
    return DbError{Database::Newer, QStringLiteral("il database è alla versione %1, questo programma conosce fino "
                                                   "alla versione %2")
                                        .arg(found)
                                        .arg(latest())};
}

DbStatus upgrade(const std::function<DbStatus()>& beforeChange)
{
    const auto found = version();
    if (!found)
        return found.error();
    if (found.value() > latest())
        return newerShape(found.value());
    if (found.value() == latest())
        return std::nullopt;
    if (beforeChange)
        if (auto err = beforeChange())
            return err;
    for (int n = found.value() + 1; n <= latest(); ++n) {
        // Another seat may be taking the same step: the write lock lets one do it, the others
        // find it done.
        Transaction tx(Transaction::Write);
        if (!tx.started())
            return DbError::notStarted();
        const auto now = version();
        if (!now)
            return now.error();
        if (now.value() >= n)
            continue;
        if (auto err = apply(n))
            return err;
        if (auto err = tx.commit())
            return err;
    }
    return std::nullopt;
}

} // namespace Schema
