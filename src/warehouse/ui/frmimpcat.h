#pragma once

#include <QDialog>

struct DbError;
class GridChoice;
class QPushButton;
class QTableWidget;

// Categories of the warehouse items: list, insert, rename, delete.
class FrmImpCat : public QDialog {
    Q_OBJECT
public:
    explicit FrmImpCat(QWidget* parent = nullptr);

private:
    void riempiGriglia();
    void clickGriglia(int row);
    void inserisci();
    // Tells why the store refused `name`; whether the grid is to be read again.
    bool refused(const QString& name, const DbError& err);
    void rinomina();
    void elimina();
    // The chosen row of the grid, or -1 with "Selezionare una CATEGORIA" shown.
    int rigaScelta();

    QTableWidget* m_grid;
    GridChoice* m_choice;
    QPushButton* m_btnRinomina;
    QPushButton* m_btnElimina;
    qint64 m_selectedId = 0; // IdCat of the row last clicked; 0 = none
};
