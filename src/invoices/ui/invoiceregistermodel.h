#pragma once

#include "invoices/invoicestore.h"

#include <QAbstractTableModel>

// The register's rows for its grid: column 0 is the row selector, then number, customer, date,
// total and paid mark. Texts are made only for the rows on screen.
class InvoiceRegisterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Selettore = 0, Numero = 1, Cliente = 2, Data = 3, Totale = 4, Pagata = 5, Colonne = 6 };

    explicit InvoiceRegisterModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setRows(QList<InvoiceStore::RegisterRow> rows);
    const InvoiceStore::RegisterRow* row(int r) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<InvoiceStore::RegisterRow> m_rows;
};
