#pragma once

#include <QDialog>

class QComboBox;

// Moves an invoice of the current year to another customer; nothing else of it changes.
class FrmEditFatt : public QDialog {
    Q_OBJECT
public:
    explicit FrmEditFatt(QWidget* parent = nullptr);

private:
    void riempiElenchi();
    void salva();

    QComboBox* m_fatt;
    QComboBox* m_nome;
    QComboBox* m_idAna;
};
