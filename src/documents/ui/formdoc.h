#pragma once

#include <QDialog>
#include <QString>

class DocumentRegisterModel;
class GridChoice;
class QLabel;
class QTableView;

// The document register: the free documents dated in one year, highest number first, with the
// first line of each text; the way to a new document and to a stored one.
class FormDoc : public QDialog {
    Q_OBJECT
public:
    explicit FormDoc(QWidget* parent = nullptr);

    int anno() const { return m_anno; }
    // Reads the list again for the year in force.
    void aggiornaElenco();

private:
    void seleziona(int row);
    void cambiaAnno();
    void registra();
    void richiama();

    QLabel* m_labelInt;
    QTableView* m_grid;
    GridChoice* m_choice;
    DocumentRegisterModel* m_model;
    QLabel* m_lblRec;
    int m_anno;
    // Number of the row last chosen; empty for none.
    QString m_selNum;
};
