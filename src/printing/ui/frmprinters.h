#pragma once

#include <QDialog>

class QComboBox;

// "Impostazione STAMPANTE": the printer the program prints on, stored in "Printer.ini".
class FrmPrinters : public QDialog {
    Q_OBJECT
public:
    explicit FrmPrinters(QWidget* parent = nullptr);

    void BtnOk_Click();

private:
    QComboBox* m_combo;
};
