#pragma once

#include "invoices/invoicestore.h"
#include "papers/ui/paperregistermodel.h"

// The invoice register's rows: number, customer, date, total and paid mark after the row selector.
class InvoiceRegisterModel : public PaperRegisterModel<InvoiceStore::RegisterRow> {
    Q_OBJECT
public:
    enum Column { Selettore = 0, Numero = 1, Cliente = 2, Data = 3, Totale = 4, Pagata = 5, Colonne = 6 };

    explicit InvoiceRegisterModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
