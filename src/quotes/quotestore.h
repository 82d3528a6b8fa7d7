#pragma once

#include "data/dberror.h"
#include "papers/seriesstore.h"
#include "quotes/quote.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Every statement on quotes (table Preventivi), numbered in yearly series like the other papers.
class QuoteStore {
public:
    using Outcome = SeriesStore::Outcome;

    // One line of the register: the typed first header line or the registry customer's name.
    struct RegisterRow {
        QString num;
        QString cliente;
        QDate data;
    };

    static DbResult<std::optional<long long>> maxOrdinale(const QString& suffisso);
    // ProssimoNumero: the largest number of the series plus one, with the suffix.
    static DbResult<QString> prossimoNumero(const QString& suffisso);
    static DbResult<bool> exists(const QString& num);
    // Header lines typed in earlier quotes (Int1 or Int2), offered again; in order, no repeats.
    static DbResult<QStringList> intestazioni(int riga);

    // Stores a new quote. Typed header lines win over a registry customer: with `int1` the
    // quote keeps IdAna Null, otherwise Int1 stays Null. Empty second line and notes stay Null.
    // A number taken meanwhile gives DbError::Duplicate.
    static DbStatus issue(const Quote& quote);
    // The stored quote, with its customer's name; nothing when missing.
    static DbResult<std::optional<Quote>> load(const QString& num);
    // SalvaPreventivo: date, text and notes, and the header lines of a typed-header quote (its
    // customer otherwise stays). PaperMissing when the quote has gone.
    static DbResult<Outcome> save(const Quote& quote);
    // Deletes the quote for good; only the highest number of its series.
    static DbResult<Outcome> cancel(const QString& num);

    // Leading numbers of the series `suffisso`, in number order: browsing goes by number only.
    static DbResult<QList<long long>> ordinaliSerie(const QString& suffisso);
    // The quotes of both kinds dated in `anno`: newest date first, then number as text descending.
    static DbResult<QList<RegisterRow>> registro(int anno);
};
