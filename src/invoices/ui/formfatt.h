#pragma once

#include <QDialog>
#include <QString>

class GridChoice;
class InvoiceRegisterModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The invoice register: the invoices dated in one year, highest number first, optionally of
// one customer, with the sums collected and still to collect; new invoices, recall, payments.
class FormFatt : public QDialog {
    Q_OBJECT
public:
    explicit FormFatt(QWidget* parent = nullptr);

    int anno() const { return m_anno; }
    // Reads the list and the sums again for the year and customer in force.
    void caricaElenco();

private:
    void riempiFiltro();
    void sceltaCliente(int index);
    void seleziona(int row);
    void nessunaSelezione();
    void cambiaAnno();
    void emetti();
    void richiama();
    void pagamento(bool registra);

    QLabel* m_labelInt;
    QComboBox* m_cli;
    QComboBox* m_idCli;
    QTableView* m_grid;
    GridChoice* m_choice;
    InvoiceRegisterModel* m_model;
    QLabel* m_lblRec;
    QLineEdit* m_incassato;
    QLineEdit* m_incassare;
    QPushButton* m_regPag;
    QPushButton* m_annPag;

    int m_anno;
    // Id of the customer whose invoices are listed; 0 for all.
    qint64 m_filtro = 0;
    // Number, customer and paid mark of the row last chosen; an empty number for none.
    QString m_selNum;
    QString m_selCli;
    QString m_selPagata;
};
