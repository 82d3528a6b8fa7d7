#pragma once

#include "data/dberror.h"
#include "invoices/duedate.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// Every read and write of the invoices' due dates (tables FatturePagamento, Scadenze, PresentazioniRiba).
// The writes that follow an invoice's own run inside the invoice's transaction.
class DueDateStore {
public:
    // The error number of a refused presentation, of an unknown term or presentation.
    static constexpr int Rifiutata = 3231;
    static constexpr int NonTrovata = 3232;

    using Key = QPair<QString, int>; // invoice number, instalment

    // The invoice's term; 0 when it has none (invoices stored before terms existed, credit notes).
    static DbResult<qint64> condizione(const QString& num);
    // Sets the invoice's term and writes its instalments again (paid and presented ones kept).
    static DbStatus setCondizione(const QString& num, qint64 idCondizione);
    // Writes the invoice's instalments again from its stored rows, total and term (paid and presented
    // ones kept); called after every change of a stored invoice, in its transaction.
    static DbStatus aggiorna(const QString& num);
    // Forgets the invoice's term and instalments (the invoice is cancelled).
    static DbStatus rimuovi(const QString& num);

    // The invoice's instalments by number.
    static DbResult<QList<DueDate>> rate(const QString& num);
    // The same for every invoice dated in `anno`, read at once for a whole year's files.
    static DbResult<QHash<QString, QList<DueDate>>> rateAnno(int anno);

    struct Filtro {
        QDate da;
        QDate a;
        bool scadute = true; // also the unpaid ones due before `da`
        qint64 idAna = 0;    // 0: every customer
        QString modalita;    // empty: every method
    };
    // Instalments due in the period (and the overdue unpaid ones when asked), by date, then invoice.
    static DbResult<QList<DueDate>> elenco(const Filtro& f);

    // Registers (or cancels) the payment of the instalments on `giorno`; the invoice's "Pagata" follows:
    // paid when all its instalments are. One transaction; an instalment already in the asked state is left.
    static DbStatus paga(const QList<Key>& rate, bool pagata, const QDate& giorno);
    // The whole invoice paid or not: all its instalments follow (the register's "Pagata").
    static DbStatus pagaFattura(const QString& num, bool pagata, const QDate& giorno);

    // Unpaid Ri.Ba. instalments due in the period not yet presented, by date.
    static DbResult<QList<DueDate>> ribaDaPresentare(const QDate& da, const QDate& a);
    // Marks the instalments as presented in a new presentation dated `giorno`, returns its id.
    // Refused (nothing written) when one is already presented, paid, not a Ri.Ba., not above zero,
    // missing, or its customer has no ABI and CAB.
    static DbResult<qint64> presenta(const QList<Key>& rate, const QDate& giorno, const QString& nomeFile);
    // Cancels a presentation: its instalments can be presented again.
    static DbStatus annullaPresentazione(qint64 id);

    struct Presentazione {
        qint64 id = 0;
        QDate data;
        QString nomeFile;
        int rate = 0;
        Decimal totale;
    };
    // The presentations, newest first.
    static DbResult<QList<Presentazione>> presentazioni();
};
