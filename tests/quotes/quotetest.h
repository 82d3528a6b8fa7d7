#pragma once

#include "../invoices/invoicetest.h"
#include "quotes/quotestore.h"

// A quote with typed header lines (or, given idAna, for a registry customer).
inline Quote sampleQuote(const QString& num, QDate data, qint64 idAna = 0)
{
    Quote q;
    q.num = num;
    q.idAna = idAna;
    q.int1 = idAna == 0 ? u"Condominio Aurora"_s : QString();
    q.data = data;
    q.des = u"Cancello\r\nPosa"_s;
    return q;
}

inline void issueQuote(const Quote& q)
{
    ASSERT_FALSE(QuoteStore::issue(q)) << q.num.toStdString();
}
