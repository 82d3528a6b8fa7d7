#pragma once

#include "data/dberror.h"
#include "invoices/duedate.h"
#include "invoices/duedatestore.h"
#include "printing/registertable.h"
#include "shell/decimal.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// The due-date list of a period ("SCADENZARIO"): its instalments with their sums, as the window
// shows and prints them and as the CSV lists them.
class DueDateList {
public:
    // The layout of the printed list: the registers' own, under a name of its own for the PDF.
    static inline const QString kTipo = QStringLiteral("Scadenzario");

    DueDateStore::Filtro filtro;
    QList<DueDate> rate;
    Decimal totale;
    Decimal pagato;
    Decimal daPagare;

    static DbResult<DueDateList> carica(const DueDateStore::Filtro& f);
    // Unpaid and due before `oggi`.
    static bool scaduta(const DueDate& d, const QDate& oggi);

    // The sums printed after the last row.
    QList<RegisterTable::Totale> totali() const;
    // "SCADENZARIO DAL 01/02/2026 AL 28/02/2026".
    QString titolo() const;
    // "01-02-2026_28-02-2026": what names the PDF ("Scadenzario_01-02-2026_28-02-2026.pdf") and the CSV.
    QString nome() const;

    // ";"-separated, decimal comma, dates dd/mm/yyyy, UTF-8 with BOM, CR LF, one line per
    // instalment in the list's order; overdue ones say so, as on screen.
    QByteArray csv(const QDate& oggi) const;
    QString nomeCsv() const;
    // The whole list or nothing; the reason why not, or empty when written. Only a list of this
    // kind written by the program is replaced.
    static QString scriviCsv(const QByteArray& csv, const QString& path);

    static void registerLayout();
};
