#pragma once

#include "invoices/duedatestore.h"

#include <QDialog>
#include <QList>

class QListWidget;

// The Ri.Ba. presentations made, newest first, to choose the one to cancel.
class FrmPresentazioni : public QDialog {
    Q_OBJECT
public:
    FrmPresentazioni(QWidget* parent, const QList<DueDateStore::Presentazione>& presentazioni);

    // The presentation chosen; nothing chosen gives nullptr.
    const DueDateStore::Presentazione* scelta() const;

    // "N. 3 del 05/02/26 - 2 Ri.Ba. per € 237,90 - RIBA_20260205.txt".
    static QString descrizione(const DueDateStore::Presentazione& p);

private:
    QList<DueDateStore::Presentazione> m_presentazioni;
    QListWidget* m_lista;
};
