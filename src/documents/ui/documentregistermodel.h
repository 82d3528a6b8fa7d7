#pragma once

#include "documents/documentstore.h"
#include "papers/ui/paperregistermodel.h"

// The document register's rows: number, date and the first line of the text.
class DocumentRegisterModel : public PaperRegisterModel<DocumentStore::RegisterRow> {
    Q_OBJECT
public:
    enum Column { Selettore = 0, Numero = 1, Data = 2, Testo = 3, Colonne = 4 };

    explicit DocumentRegisterModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
