#pragma once

#include <QDialog>
#include <QString>

class GridChoice;
class InvoiceRegisterModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RegisterFilter;

// The invoice register: the invoices dated in one year, highest number first, optionally of
// one customer, with the sums collected and still to collect; new invoices, recall, payments.
class FormFatt : public QDialog {
    Q_OBJECT
public:
    explicit FormFatt(QWidget* parent = nullptr);

    int anno() const;
    // Reads the list and the sums again for the year and customer in force.
    void caricaElenco();

private:
    void seleziona(int row);
    void nessunaSelezione();
    void cambiaAnno();
    void emetti();
    void richiama();
    void pagamento(bool registra);
    // The list as it stands, on paper or in preview.
    void stampaRegistro(bool anteprima);

    QLabel* m_labelInt;
    RegisterFilter* m_filtro;
    QTableView* m_grid;
    GridChoice* m_choice;
    InvoiceRegisterModel* m_model;
    QLabel* m_lblRec;
    QLineEdit* m_incassato;
    QLineEdit* m_incassare;
    QPushButton* m_regPag;
    QPushButton* m_annPag;

    // Number, customer and paid mark of the row last chosen; an empty number for none.
    QString m_selNum;
    QString m_selCli;
    QString m_selPagata;
};
