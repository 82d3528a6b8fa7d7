#pragma once

#include "quotes/quote.h"
#include "quotes/quotedata.h"

#include <QDialog>
#include <QString>

class CloseGuard;
class FocusFrame;
class ModifiedFlag;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The quote editor: a new quote of the current year's series, for a registry customer or with
// typed header lines, or a stored one recalled to be read, changed, browsed, printed or
// annulled. It closes only through its own buttons.
class FormRegPre : public QDialog {
    Q_OBJECT
public:
    explicit FormRegPre(QWidget* parent = nullptr);

    // Prepares the window before it is shown: an empty number for a new quote, otherwise the
    // stored quote of that number. False when it cannot be loaded (the user has been told); the
    // window then keeps what it showed.
    bool Carica(const QString& num);

    // What the window shows, as the printed quote needs it.
    QuoteData datiPreventivo() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stampaCopie();
    bool richiamato() const { return !m_numRichiamo.isEmpty(); }
    void nuovo();
    void mostraRichiamato(const Quote& q);
    void riempiIntestazioni();
    void verificaCliente();
    void nuovoCliente();
    // A new invoice (or DDT) for the quote's customer with its text as rows; a quote with typed
    // lines has its registry customer chosen or created first. The quote stays as it is.
    void daPreventivo(bool fattura);

    void registra();
    // SalvaPreventivo; false when the window should stay (a date that is not a date).
    bool salva();
    void annulla();
    void sposta(int comando);
    void chiudi(int result);

    QLabel* m_labelInt;
    QLineEdit* m_num;
    QLineEdit* m_data;
    QComboBox* m_cli3;
    QComboBox* m_idCli;
    QPushButton* m_btnCli;
    QPushButton* m_nuovoCli;
    QComboBox* m_cli;
    QComboBox* m_cli2;
    QPlainTextEdit* m_des;
    QPlainTextEdit* m_note;
    QPushButton* m_ant;
    QPushButton* m_stampa;
    QPushButton* m_pdf;
    QPushButton* m_registra;
    QPushButton* m_annulla;
    QPushButton* m_fattura;
    QPushButton* m_ddt;
    QPushButton* m_cmd[4];
    QLabel* m_lblRec;
    FocusFrame* m_frame;
    ModifiedFlag* m_modificato;
    CloseGuard* m_chiusura;

    // Number of the recalled quote; empty for a new one.
    QString m_numRichiamo;
    QString m_suffissoAnno;
    long long m_posizione = 0;
    long long m_totaleAnno = 0;
    bool m_ultimo = false;
};
