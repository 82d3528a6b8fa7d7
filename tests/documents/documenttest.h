#pragma once

#include "../invoices/invoicetest.h"
#include "documents/documentstore.h"

inline void registraDoc(const QString& num, QDate data, const QString& des = u"Testo"_s)
{
    ASSERT_FALSE(DocumentStore::registra({num, data, des})) << num.toStdString();
}
