#pragma once

#include "data/dberror.h"
#include "shell/decimal.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Brings the ten tables of the original program's Access database ("Dati\Corvalisto.mdb") into
// the open database, which must hold no customer, category, item or paper yet. Keys are kept and
// the key counters continue past them; texts, Nulls, dates and amounts arrive as the old program
// showed them. One transaction: a refusal or a failure leaves the database as it was.
namespace AccessImport {

struct Sum {
    QString column;
    Decimal read;
    Decimal written;
};

struct TableReport {
    QString table;
    long long read = 0;
    long long written = 0;
    QList<Sum> sums;
};

struct Report {
    QString file;
    QList<TableReport> tables;
    // Rows stored as they were although the program's own rules would refuse them.
    QStringList warnings;
};

struct Outcome {
    bool ok = false;
    // Why nothing was written, in Italian; empty when done.
    QString message;
    // The rows or columns behind a refusal, each with its table and key.
    QStringList problems;
    Report report;
};

// Called while rows are written: `done` of the `total` rows of the table `index` (0 to 9).
using Progress = std::function<void(int index, const QString& table, long long done, long long total)>;

// The ten tables in the order they are imported.
QStringList tableNames();
// Whether the open database holds no customer, category, item or paper: only then may it import.
DbResult<bool> targetIsEmpty();
Outcome run(const QString& accessFile, const Progress& progress = {});
// The report as the command prints it and the window saves it.
QString reportText(const Outcome& outcome);

// A single-precision value as the old program showed it: the shortest decimal that reads back
// as the same single (12.2, never 12.199999809265137).
Decimal fromSingle(float value);
// An Access date (days since 30/12/1899, the fraction the time of day); invalid past year 9999.
QDateTime fromAccessDate(double value);

} // namespace AccessImport
