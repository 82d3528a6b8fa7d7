#pragma once

#include "data/customerlist.h"
#include "data/dberror.h"
#include "ddt/ddt.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Every statement on DDTs (tables Ddt and ContDdt). A series is the set of numbers ending with
// the same "/YY", ordered by their leading number.
class DdtStore {
public:
    enum class Outcome {
        Done,
        DdtMissing, // no DDT of that number
        RowMissing, // no row of that Ord
        NotLast,    // not the highest number of its series
    };

    // One line of the register.
    struct RegisterRow {
        QString num;
        QString nome;
        QDate data;
        QString causale;
        // The invoice covering it; empty when none.
        QString fattura;
    };

    static DbResult<std::optional<long long>> maxOrdinale(const QString& suffisso);
    // ProssimoNumero: the largest number of the series plus one, with the suffix.
    static DbResult<QString> prossimoNumero(const QString& suffisso);
    // Reasons for transport used so far, in order, without empty ones.
    static DbResult<QStringList> causali();
    static DbResult<bool> exists(const QString& num);

    // Issues a DDT: header (the columns not filled left Null) and every row in one transaction;
    // a number taken meanwhile gives DbError::Duplicate.
    static DbStatus issue(const Ddt& ddt);
    // The stored DDT with its customer's name and its rows by Ord; nothing when missing.
    static DbResult<std::optional<Ddt>> load(const QString& num);
    // Leading numbers of the series `suffisso` whose date lies in `anno`, in number order.
    static DbResult<QList<long long>> ordinaliAnno(int anno, const QString& suffisso);

    // Stores a row of a stored DDT (added when its Ord is new); nothing when the DDT is missing.
    static DbResult<Outcome> saveRow(const QString& num, const DdtRow& row);
    static DbResult<Outcome> deleteRow(const QString& num, long long ord);
    // Rewrites date, reason, transport (kept when empty), parcels, pick-up date and time and notes.
    // Rows and header of a DDT an invoice names stay as invoiced: DdtLinkStore::Fatturato.
    static DbResult<Outcome> saveHeader(const Ddt& header);
    // Deletes the DDT and its rows together; only the highest number of its series.
    static DbResult<Outcome> cancel(const QString& num);

    // Register: DDTs dated in `anno` (of one customer, or all when idAna is 0), highest number first.
    static DbResult<QList<RegisterRow>> registro(int anno, qint64 idAna);
    // Customers having at least one DDT, deleted ones too, by name.
    static DbResult<QList<CustomerEntry>> customersWithDdt();
    // Name of a customer (deleted ones too); empty when there is none.
    static DbResult<QString> customerName(qint64 id);
};
