#pragma once

#include <QComboBox>
#include <QString>

// The invoice's payment term. A new invoice is proposed its customer's term when the customer is
// chosen (the first term when the customer has none) and takes the one shown on issue; a stored
// invoice shows its own, and a change of the user is stored at once, its due dates recomputed.
// A credit note has none.
class TermBox : public QComboBox {
    Q_OBJECT
public:
    // Follows `idCli`, the hidden list of customer codes beside the customer list.
    TermBox(QComboBox* idCli, QWidget* parent);

    // A new invoice: the terms listed, none chosen until a customer is.
    void nuova();
    // A credit note: no term, the box greyed out.
    void nessuna();
    // A stored invoice's term; reading errors are told to the user.
    void richiamata(const QString& num, bool notaDiCredito);
    // The term chosen; 0 for none.
    qint64 condizione() const;

private:
    void riempi();
    void mostra(qint64 id);
    void proponi(qint64 idAna);
    void scelta();

    // The stored invoice shown and its stored term; an empty number for a new invoice.
    QString m_num;
    qint64 m_salvata = 0;
    bool m_proponi = false;
};
