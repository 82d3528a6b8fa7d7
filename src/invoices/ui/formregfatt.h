#pragma once

#include "invoices/invoice.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicerow.h"
#include "invoices/invoicetotals.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class FocusFrame;
class ModifiedFlag;
class NaturaBox;
class PaperGrid;
struct PaperRow;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RateBox;
class TermBox;

// The invoice editor: a new invoice of a year's series, or a stored one recalled to be read,
// changed, browsed or cancelled.
class FormRegFatt : public QDialog {
    Q_OBJECT
public:
    explicit FormRegFatt(QWidget* parent = nullptr);

    // Prepares the window before it is shown: an empty number for a new invoice of the year's
    // series, otherwise the stored invoice of that number. False when the invoice cannot be
    // loaded (the user has been told); the window then keeps what it showed.
    bool Carica(const QString& num, int anno);
    // A new invoice of the year's series for the customer of that id, with `righe` as its first
    // rows. `ddtCoperti` are the DDTs it bills: they are linked to it when it is issued, and its
    // customer then stays fixed. False when the customer cannot be chosen (the user has been told).
    bool CaricaNuova(int anno, qint64 idAna, const QList<InvoiceRow>& righe, const QStringList& ddtCoperti = {});
    // A new credit note of the year's series reversing `fattura`, proposing its customer, rate and
    // rows. False when the customer cannot be chosen (the user has been told).
    bool CaricaNota(int anno, const Invoice& fattura);

    // What the window shows, as the printed invoice needs it.
    InvoiceData datiFattura() const;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // Copies of what the window shows.
    void stampaCopie();

private:
    bool richiamata() const { return !m_numRichiamo.isEmpty(); }
    void nuova();
    void mostraRichiamata(const Invoice& inv);
    void riempiClienti();
    // The rows as the grid shows them, in grid order.
    QList<InvoiceRow> rows() const;
    void mostraRighe(const QList<InvoiceRow>& rows);
    // The header of the invoice shown, under number `num` and dated `data`.
    Invoice testata(const QString& num, const QDate& data) const;
    InvoiceTotals totali() const;
    // False, after the "Overflow" error, when these rows would take the totals past the Decimal range.
    bool entroLimiti(const QList<PaperRow>& rows);
    void calcolaTotali();
    // Rate box: Enter or leaving it. False when the rate was refused.
    bool verificaIva(bool uscita);

    void salvaRiga(long long ord);
    void eliminaRiga(long long ord);

    void emetti();
    // Header of a recalled invoice; false when it could not be stored and the window should stay.
    bool salvaTestata();
    void annulla();
    void sposta(int comando);

    QLabel* m_labelInt;
    QLineEdit* m_num;
    QLineEdit* m_data;
    QComboBox* m_cli;
    QComboBox* m_idCli;
    QPushButton* m_btnCli;
    QPushButton* m_nuovoCli;
    RateBox* m_iva;
    NaturaBox* m_natura;
    TermBox* m_condizione;
    QCheckBox* m_ra;
    PaperGrid* m_righe;
    QLineEdit* m_imp;
    QLineEdit* m_txtIva;
    QLineEdit* m_txtRa;
    QLineEdit* m_tot;
    QPlainTextEdit* m_note;
    QPushButton* m_ant;
    QPushButton* m_stampa;
    QPushButton* m_pdf;
    QPushButton* m_xml;
    QPushButton* m_nota;
    QPushButton* m_emetti;
    QPushButton* m_annulla;
    QPushButton* m_cmd[4];
    QLabel* m_lblRec;
    FocusFrame* m_frame;
    ModifiedFlag* m_modificato;

    // Number of the recalled invoice; empty for a new one.
    QString m_numRichiamo;
    int m_anno = 0;
    QString m_suffissoAnno;
    long long m_posizione = 0;
    long long m_totaleAnno = 0;
    bool m_ultimo = false;
    // DDTs billed by the new invoice, linked to it on issue.
    QStringList m_ddtCoperti;
    // A credit note: the invoice it reverses; none for an invoice.
    CreditNoteRef m_storno;
    // The totals went past the Decimal range at the last recomputation.
    bool m_totaleOltre = false;
};
