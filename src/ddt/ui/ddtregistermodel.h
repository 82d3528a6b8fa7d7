#pragma once

#include "ddt/ddtstore.h"
#include "shell/ui/paperregistermodel.h"

// The DDT register's rows: number, customer, date and reason after the row selector.
class DdtRegisterModel : public PaperRegisterModel<DdtStore::RegisterRow> {
    Q_OBJECT
public:
    enum Column { Selettore = 0, Numero = 1, Cliente = 2, Data = 3, Causale = 4, Colonne = 5 };

    explicit DdtRegisterModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
