#pragma once

#include "registry/paymentterm.h"

#include <QDialog>
#include <QList>
#include <optional>

class GridChoice;
class ModifiedFlag;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// "Condizioni di pagamento": the payment terms the customers and invoices name, each with its
// method and instalments; new, changed, deleted.
class FrmCondizioni : public QDialog {
    Q_OBJECT
public:
    explicit FrmCondizioni(QWidget* parent = nullptr);

private:
    // Reads the terms again, keeping the one shown chosen; false after an error was shown.
    bool riempi();
    void scelta(int row);
    void mostra(const PaymentTerm& term);
    // Nothing to edit until a term is chosen or a new one begun.
    void vuota();
    void nuova();
    void salva();
    void elimina();
    void aggiungiRata();
    void eliminaRata();
    void aggiornaQuote();
    // Whether the typed changes may be dropped: none, or the user agrees.
    bool abbandonaModifiche();
    // The term as typed; nothing when a cell cannot be read (the user has been told).
    std::optional<PaymentTerm> letta();
    void aggiungiRiga(const TermInstalment& rata);

    QListWidget* m_list;
    GridChoice* m_choice;
    QLineEdit* m_descrizione;
    QComboBox* m_modalita;
    QTableWidget* m_rate;
    GridChoice* m_rateChoice;
    QLabel* m_quote;
    QPushButton* m_elimina;
    // What edits the term shown.
    QList<QWidget*> m_campi;
    ModifiedFlag* m_modificato;
    QList<PaymentTerm> m_terms;
    qint64 m_id = 0;
};
