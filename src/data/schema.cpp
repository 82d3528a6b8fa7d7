#include "data/schema.h"

#include "data/database.h"

namespace {

// Plain SQLite types and no custom collation or function, so that the stock sqlite3 tool reads the file.
const char* const kTables[][2] = {
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

} // namespace

namespace Schema {

QStringList tableNames()
{
    QStringList names;
    for (const auto& t : kTables)
        names << QString::fromUtf8(t[0]);
    return names;
}

QStringList tableStatements()
{
    QStringList out;
    for (const auto& t : kTables)
        out << QString::fromUtf8(t[1]);
    return out;
}

DbStatus create()
{
    Transaction tx;
    for (const auto& t : kTables)
        if (auto err = Database::exec(Dialect::table(QString::fromUtf8(t[1]))))
            return err;
    if (auto err = createIndexes())
        return err;
    return tx.commit();
}

DbStatus createIndexes()
{
    for (const char* idx : kIndexes)
        if (auto err = Database::exec(QString::fromUtf8(idx)))
            return err;
    return std::nullopt;
}

} // namespace Schema
