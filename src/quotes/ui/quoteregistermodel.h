#pragma once

#include "papers/ui/paperregistermodel.h"
#include "quotes/quotestore.h"

// The quote register's rows: number, customer and date after the row selector.
class QuoteRegisterModel : public PaperRegisterModel<QuoteStore::RegisterRow> {
    Q_OBJECT
public:
    enum Column { Selettore = 0, Numero = 1, Cliente = 2, Data = 3, Colonne = 4 };

    explicit QuoteRegisterModel(QObject* parent = nullptr);

protected:
    QVariant cell(const QuoteStore::RegisterRow& r, int column) const override;
};
