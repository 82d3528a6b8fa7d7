#pragma once

#include "data/dberror.h"
#include "invoices/einvoicedata.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What the Ri.Ba. file tells of the customers it collects from and of their invoices.
class RibaStore {
public:
    struct Debitore {
        CustomerRecord anagrafica;
        QString abi;
        QString cab;
        QString banca;
    };
    // The customers of these ids that exist, deleted ones too, with their bank.
    static DbResult<QHash<qint64, Debitore>> debitori(const QList<qint64>& ids);
    // How many instalments each of these invoices has.
    static DbResult<QHash<QString, int>> numeroRate(const QStringList& nums);
};
