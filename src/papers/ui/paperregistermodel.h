#pragma once

#include "data/dberror.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// A paper register's rows for its grid: column 0 is the row selector, the others come from the
// headers given. Each register says only how a cell reads; texts are made only for the rows on screen.
template <class Row> class PaperRegisterModel : public QAbstractTableModel {
public:
    void setRows(QList<Row> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    const Row* row(int r) const { return r >= 0 && r < m_rows.size() ? &m_rows.at(r) : nullptr; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }

    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        return section >= 0 && section < m_headers.size() ? QVariant(m_headers.at(section)) : QVariant();
    }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        const Row* r = row(index.row());
        if (!r || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
            return QVariant();
        return cell(*r, index.column());
    }

protected:
    // What a column of a row shows, also to screen readers.
    virtual QVariant cell(const Row&, int) const { return QVariant(); }

    PaperRegisterModel(QStringList headers, QObject* parent)
        : QAbstractTableModel(parent), m_headers(std::move(headers))
    {
    }

private:
    QStringList m_headers;
    QList<Row> m_rows;
};
