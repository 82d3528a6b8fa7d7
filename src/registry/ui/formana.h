#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class GridChoice;
class QLabel;
class QListView;
class QStringListModel;
class QPushButton;

// The customer list: valid customers by name, narrowed by initial letter; opens the
// customer editor and deletes customers.
class FormAna : public QDialog {
    Q_OBJECT
public:
    explicit FormAna(QWidget* parent = nullptr);

private:
    void riempi();
    // The selected name, or nothing after telling the user to select one.
    bool selezionato(QString& nome);
    void apri();
    void nuovo();
    void elimina();
    void filtra(const QString& iniziali);

    QListView* m_list;
    GridChoice* m_choice;
    QStringListModel* m_names;
    QList<QPushButton*> m_btn;
    QLabel* m_lblN;
    // Initials of the current filter; empty lists every customer.
    QString m_filtro;
};
