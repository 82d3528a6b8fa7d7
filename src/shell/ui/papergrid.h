#pragma once

#include "shell/decimal.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class GridChoice;
class QTableWidget;
class QWidget;

// One row of a paper as its editor's grid holds it: the Ord, the description and the numbers
// the user types (quantity, price...), in the grid's column order.
struct PaperRow {
    long long ord = 0;
    QString descrizione;
    QList<Decimal> valori;
};

// The rows grid of a paper editor: column 0 a selector, then the description, the typed numbers,
// the computed columns and a hidden Ord. Insert (button or Insert key), blank row, cell edit (a
// character key or a double click on the chosen cell) and delete, with the prompts every paper
// shares; Enter and Escape on the grid open the cell as any character does. A recalled paper stores each change from
// the signals at once.
class PaperGrid : public QObject {
    Q_OBJECT
public:
    struct Colonna {
        QString intestazione;
        int larghezzaTwips = 0;
        // The prompt of a typed number ("Quantità ?"); empty for a computed column.
        QString domanda;
    };
    struct Impostazioni {
        QString nomeAccessibile;
        int larghezzaDescrizione = 0;
        // The description is cut to the column it is stored in.
        int lunghezzaDescrizione = 0;
        // Typed numbers first, then the computed columns.
        QList<Colonna> colonne;
        // An empty number cell proposes "0" when changed, rather than nothing.
        bool zeroSeVuota = false;
        // "Selezionare una RIGA ..." when deleting with no row chosen.
        QString selezionaRiga;
        // Texts of `colonne` for a row.
        std::function<QStringList(const PaperRow&)> testi;
        // Whether the rows may become these; a refusal has told the user why.
        std::function<bool(const QList<PaperRow>&)> accetta;
        // Whether the rows may change at all, asked before any prompt; a refusal has told the user why.
        std::function<bool()> modificabile;
    };

    PaperGrid(QWidget* window, Impostazioni impostazioni);

    QTableWidget* grid() const { return m_grid; }
    GridChoice* choice() const { return m_choice; }
    const QList<PaperRow>& righe() const { return m_righe; }
    // Whether a row holds anything written: a description or a number.
    bool scritte() const;
    // Another paper's rows: none of them is chosen yet.
    void setRighe(QList<PaperRow> righe);

public slots:
    // "Descrizione ?" then each typed number; an empty answer adds nothing.
    void inserisci();
    // A row of one space: an empty line on the paper.
    void vuota();
    void cambiaCella();
    void elimina();

signals:
    // The rows changed (a recalled paper also gets one of the two signals below).
    void cambiate();
    // A row was added or changed: store it.
    void rigaCambiata(long long ord);
    // A row was removed from the grid: delete it.
    void rigaEliminata(long long ord);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int colonnaOrd() const { return 2 + static_cast<int>(m_imp.colonne.size()); }
    void mostraRiga(int r);
    bool accetta(const QList<PaperRow>& righe) const { return !m_imp.accetta || m_imp.accetta(righe); }
    bool modificabile() const { return !m_imp.modificabile || m_imp.modificabile(); }
    void aggiungi(const PaperRow& row);

    QWidget* m_window;
    Impostazioni m_imp;
    QTableWidget* m_grid;
    GridChoice* m_choice;
    QList<PaperRow> m_righe;
};
