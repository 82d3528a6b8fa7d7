#pragma once

#include "invoices/duedatelist.h"
#include "invoices/duedatestore.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class ScadenzarioModel;

// "SCADENZARIO": the instalments of a period (this month and everything overdue at first) by
// customer and method, with their sums; payments registered and cancelled, the list printed and
// exported, the period's Ri.Ba. presented to the bank and a presentation cancelled.
class FrmScadenzario : public QDialog {
    Q_OBJECT
public:
    explicit FrmScadenzario(QWidget* parent = nullptr);

    // Reads the list again with the filters shown; false when the dates are not valid (told).
    bool carica();
    const DueDateList& lista() const { return m_lista; }

private:
    std::optional<DueDateStore::Filtro> filtro();
    void riempiFiltri();
    void mostraSomme();
    // The chosen instalments, in list order.
    QList<const DueDate*> scelte() const;
    void pagamento(bool registra);
    void presentaRiba();
    void annullaPresentazione();
    void stampa(int come);
    QString clienteScelto() const;
    QString modalitaScelta() const;

    QLineEdit* m_da;
    QLineEdit* m_a;
    QCheckBox* m_scadute;
    QComboBox* m_cliente;
    QComboBox* m_modalita;
    ScadenzarioModel* m_model;
    QTableView* m_grid;
    QLabel* m_rec;
    QLabel* m_totale;
    QLabel* m_pagato;
    QLabel* m_daPagare;
    DueDateList m_lista;
};
