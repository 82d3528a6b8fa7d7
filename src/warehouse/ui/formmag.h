#pragma once

#include <QDialog>

class GridChoice;
class QComboBox;
class QLabel;
class QTableWidget;

// The stock list: valid items by category and description, with filters, search, and the
// item editor for new and changed items.
class FormMag : public QDialog {
    Q_OBJECT
public:
    explicit FormMag(QWidget* parent = nullptr);

    // Reads the list again with the filters in force.
    void riempiGriglia();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    qint64 idAt(int row) const;
    void riempiCategorie();
    void sceltaCategoria(int index);
    void tutti();
    void ricerca();
    void inserisci();
    void modifica();
    void elimina();
    // The row of the chosen item, or -1 with "Selezionare un ARTICOLO" shown.
    int rigaScelta();

    QTableWidget* m_grid;
    GridChoice* m_choice;
    QComboBox* m_comboCat;
    QComboBox* m_comboCod;
    QLabel* m_labelN;
    qint64 m_catFilter = 0; // IdCat shown; 0 = every category
    QString m_desFilter;
    QString m_lastSearch;
    qint64 m_selectedId = 0; // IdArt of the row last clicked; 0 = none
};
