#pragma once

#include "data/customerlist.h"
#include "data/dberror.h"

#include <QObject>
#include <QString>
#include <functional>

class QComboBox;
class QLabel;
class QWidget;

// What a paper register lists: one year (the current one at first) and one customer ("Tutti",
// id 0, for all), with the filter list ("CLIENTE") of the customers that have papers. The title
// label shows the prefix and the year.
class RegisterFilter : public QObject {
    Q_OBJECT
public:
    // `customers` reads the customers having papers; `prefix` goes before the year ("D.D.T. ").
    RegisterFilter(QWidget* window, QLabel* title, const QString& prefix,
                   std::function<DbResult<QList<CustomerEntry>>()> customers);

    int anno() const { return m_anno; }
    qint64 idCliente() const { return m_filtro; }
    QComboBox* combo() const { return m_cli; }
    QLabel* label() const { return m_label; }

    // Reads the customers again; the filter in force stays, unless its customer has no paper left.
    void riempi();
    // "Inserire ANNO": true when a year was given.
    bool cambiaAnno();

signals:
    // Another customer was chosen.
    void cambiato();

private:
    void scelta(int index);

    QWidget* m_window;
    QLabel* m_title;
    QString m_prefix;
    std::function<DbResult<QList<CustomerEntry>>()> m_customers;
    QComboBox* m_cli;
    QComboBox* m_idCli;
    QLabel* m_label;
    int m_anno;
    qint64 m_filtro = 0;
};
