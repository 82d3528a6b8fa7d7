#pragma once

#include "ddt/ddtstore.h"

#include <QAbstractTableModel>

// The DDT register's rows for its grid: column 0 is the row selector, then number, customer,
// date and reason. Texts are made only for the rows on screen.
class DdtRegisterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Selettore = 0, Numero = 1, Cliente = 2, Data = 3, Causale = 4, Colonne = 5 };

    explicit DdtRegisterModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setRows(QList<DdtStore::RegisterRow> rows);
    const DdtStore::RegisterRow* row(int r) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<DdtStore::RegisterRow> m_rows;
};
