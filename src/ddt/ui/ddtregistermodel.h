#pragma once

#include "ddt/ddtstore.h"
#include "papers/ui/paperregistermodel.h"

// The DDT register's rows: number, customer, date, reason and the invoice covering it after the
// row selector.
class DdtRegisterModel : public PaperRegisterModel<DdtStore::RegisterRow> {
    Q_OBJECT
public:
    enum Column { Selettore = 0, Numero = 1, Cliente = 2, Data = 3, Causale = 4, Fattura = 5, Colonne = 6 };

    explicit DdtRegisterModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
