#pragma once

#include <QDialog>
#include <QString>

class GridChoice;
class QLabel;
class QTableView;
class QuoteRegisterModel;

// The quote register: the quotes of both kinds dated in one year, newest first; the way to a
// new quote and to a stored one.
class FormPre : public QDialog {
    Q_OBJECT
public:
    explicit FormPre(QWidget* parent = nullptr);

    int anno() const { return m_anno; }
    // AggiornaElenco: reads the list again for the year in force.
    void caricaElenco();

private:
    void seleziona(int row);
    void cambiaAnno();
    void registra();
    void richiama();

    QLabel* m_labelInt;
    QTableView* m_grid;
    GridChoice* m_choice;
    QuoteRegisterModel* m_model;
    QLabel* m_lblRec;
    int m_anno;
    // Number of the row last chosen; empty for none.
    QString m_selNum;
};
