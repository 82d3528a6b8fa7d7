#pragma once

#include <QComboBox>
#include <QString>

// The Natura of a 0 % invoice, chosen among the codes with their descriptions; usable only at
// rate 0, where it starts empty ("not chosen yet").
class NaturaBox : public QComboBox {
    Q_OBJECT
public:
    // Follows `aliquota`, the rate box: usable only at 0 %.
    NaturaBox(QComboBox* aliquota, QWidget* parent);

    // Shows `codice` (empty: none chosen).
    void mostra(const QString& codice);
    // Shows the code kept for a stored invoice; a reading error is told to the user.
    void carica(const QString& num);
    // The chosen code; empty when none is or the rate is not 0.
    QString codice() const;
};
