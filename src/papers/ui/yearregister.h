#pragma once

#include <QDialog>
#include <QString>

#include <initializer_list>

class GridChoice;
class QAbstractItemModel;
class QLabel;
class QTableView;

// A register of one kind of paper dated in one year, without a customer filter: the heading
// "<Kind> <year>", the list and its count, the buttons that register a new paper, recall the
// chosen one and change the year.
class YearRegister : public QDialog {
    Q_OBJECT
public:
    int anno() const { return m_anno; }
    // Reads the list again for the year in force; the choice is forgotten.
    void aggiornaElenco();

protected:
    struct Testi {
        const char* nome;      // the window's object name
        QString titolo;        // the window title after the company's name
        QString tipo;          // "Preventivi": the heading and the list's name
        QString registra;      // caption of the new-paper button
        QString richiama;      // caption of the recall button
        QString nessunaScelta; // told when recalling with nothing chosen
    };
    YearRegister(QWidget* parent, const Testi& testi);
    // Lays the window out around `model`'s list (widths in twips); derived windows call it once,
    // then aggiornaElenco().
    void costruisci(QAbstractItemModel* model, std::initializer_list<int> widths);

    // The list's rows of `anno`, with their count shown in `count`.
    virtual void riempi(int anno, QLabel* count) = 0;
    // The number of row `r`; empty when there is none.
    virtual QString numero(int r) const = 0;
    // The editor, modal, on paper `num` (empty: a new paper).
    virtual void apri(const QString& num) = 0;

private:
    void cambiaAnno();
    void registra();
    void richiama();

    Testi m_testi;
    QLabel* m_labelInt = nullptr;
    QTableView* m_grid = nullptr;
    GridChoice* m_choice = nullptr;
    QLabel* m_lblRec = nullptr;
    int m_anno;
    // Number of the row last chosen; empty for none.
    QString m_selNum;
};
