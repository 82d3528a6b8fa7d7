#pragma once

#include <QDialog>

class ModifiedFlag;
class QComboBox;
class QLineEdit;
class QPushButton;

// Editor of one warehouse item: category, description, unit and quantity, with the
// stock load ("+") and unload ("-") and a new category on the spot.
class FrmArt : public QDialog {
    Q_OBJECT
public:
    explicit FrmArt(QWidget* parent = nullptr);

    // Prepares the window before it is shown: 0 for a new item, otherwise the IdArt of a
    // valid item to change. The caller re-reads the stock when the window closes.
    void CaricaArt(qint64 id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void riempiCategorie();
    void riempiUnita();
    void mostraCategoria(qint64 idCat);
    void sceltaCategoria(int index);
    void dialogoQuantita();
    void aggiungi();
    void scala();
    void nuovaCategoria();
    void salva();
    void giaEsistente();

    QComboBox* m_comboCat;
    QComboBox* m_comboCod;
    QLineEdit* m_txtDes;
    QComboBox* m_comboUm;
    QLineEdit* m_txtQta;
    QPushButton* m_btnAdd;
    QPushButton* m_btnSub;
    ModifiedFlag* m_modificato;
    qint64 m_itemId = 0; // 0 = new item
    qint64 m_catId = 0;  // 0 = no category chosen
};
