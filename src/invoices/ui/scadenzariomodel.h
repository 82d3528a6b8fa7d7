#pragma once

#include "invoices/duedate.h"
#include "papers/ui/paperregistermodel.h"

#include <QDate>

// The due-date list's rows: due date, invoice, customer, method, amount, state (paid on, or overdue)
// and the Ri.Ba. presentation, after the row selector. An overdue unpaid instalment is marked in red
// and says so, to screen readers too.
class ScadenzarioModel : public PaperRegisterModel<DueDate> {
    Q_OBJECT
public:
    enum Column {
        Selettore = 0,
        Scadenza = 1,
        Fattura = 2,
        Cliente = 3,
        Modalita = 4,
        Importo = 5,
        Stato = 6,
        Presentata = 7,
        Colonne = 8
    };

    explicit ScadenzarioModel(QObject* parent = nullptr);

    // The day against which instalments are overdue.
    void setOggi(const QDate& oggi) { m_oggi = oggi; }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QDate m_oggi = QDate::currentDate();
};
