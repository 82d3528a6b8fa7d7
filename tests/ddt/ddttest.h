#pragma once

#include "../invoices/invoicetest.h"
#include "ddt/ddtstore.h"

// The usual DDT: an untouched first row, "Cancello" 2 and a blank line, by the consignor.
inline Ddt sampleDdt(const QString& num, qint64 idAna, QDate data)
{
    Ddt d;
    d.num = num;
    d.idAna = idAna;
    d.data = data;
    d.causale = u"Vendita"_s;
    d.rows = {{1, QString(), Decimal()}, {2, u"Cancello"_s, dec("2")}, {3, u" "_s, Decimal()}};
    return d;
}

inline void issueDdt(const Ddt& d)
{
    ASSERT_FALSE(DdtStore::issue(d)) << d.num.toStdString();
}

inline void issueDdt(const QString& num, qint64 idAna, QDate data)
{
    issueDdt(sampleDdt(num, idAna, data));
}

// The header columns of every DDT by date and number, NULL as "-".
inline QString ddtRows()
{
    return dbRows(
        u"SELECT Num, IdAna, Data, Causale, OraRit, DataRit, Mezzo, Colli, Note FROM Ddt ORDER BY Data, ordinal(Num)"_s);
}

// Rows of one DDT as "Ord|Descrizione|Qta".
inline QString ddtContent(const QString& num)
{
    return dbRows(u"SELECT Ord, Descrizione, Qta FROM ContDdt WHERE Num = ? ORDER BY Ord"_s, {num});
}
