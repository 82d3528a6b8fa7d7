#pragma once

#include <QComboBox>

// The invoice's VAT rate: typed, or picked among the rates already used.
class RateBox : public QComboBox {
    Q_OBJECT
public:
    explicit RateBox(QWidget* parent = nullptr);

    // Lists the rates the stored invoices use; a reading error is told to the user.
    void riempi();
};
