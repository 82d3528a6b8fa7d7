#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class DdtRegisterModel;
class GridChoice;
class QLabel;
class QTableView;
class RegisterFilter;

// The DDT register: the DDTs dated in one year, highest number first, optionally of one
// customer; the way to a new DDT and to a stored one.
class FormDdt : public QDialog {
    Q_OBJECT
public:
    explicit FormDdt(QWidget* parent = nullptr);

    // What "Fattura" opens: the invoicing of the year's DDTs, which the invoices offer when the
    // program starts.
    static void offerInvoicing(std::function<void(QWidget* parent, int anno, qint64 idCliente)> open);

    int anno() const;
    // Reads the list again for the year and customer in force.
    void caricaElenco();

private:
    static std::function<void(QWidget*, int, qint64)>& invoicing();
    void seleziona(int row);
    void cambiaAnno();
    void emetti();
    void richiama();

    QLabel* m_labelInt;
    RegisterFilter* m_filtro;
    QTableView* m_grid;
    GridChoice* m_choice;
    DdtRegisterModel* m_model;
    QLabel* m_lblRec;
    // Number of the row last chosen; empty for none.
    QString m_selNum;
};
