#pragma once

#include "ddt/ddt.h"
#include "ddt/ddtdata.h"

#include <QDialog>
#include <QList>
#include <QString>

class FocusFrame;
class ModifiedFlag;
class PaperGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The DDT editor: a new transport document of the current year's series, or a stored one
// recalled to be read, changed, browsed, printed or cancelled.
class FormRegDdt : public QDialog {
    Q_OBJECT
public:
    explicit FormRegDdt(QWidget* parent = nullptr);

    // Prepares the window before it is shown: an empty number for a new DDT, otherwise the
    // stored DDT of that number. False when it cannot be loaded (the user has been told); the
    // window then keeps what it showed.
    bool Carica(const QString& num);
    // A new DDT for the customer of that id, with `righe` as its first rows. False when the
    // customer cannot be chosen (the user has been told).
    bool CaricaNuova(qint64 idAna, const QList<DdtRow>& righe);

    // What the window shows, as the printed DDT needs it.
    DdtData datiDdt() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void anteprima();
    void stampaCopie();
    void stampaPdf();

private:
    bool richiamata() const { return !m_numRichiamo.isEmpty(); }
    void nuovo();
    void mostraRichiamato(const Ddt& ddt);
    void riempiCausali();
    void riempiClienti();
    void verificaCliente();
    void nuovoCliente();
    void leggiColli();
    void salvaRiga(long long ord);
    void eliminaRiga(long long ord);
    // The DDT's rows as the grid shows them.
    QList<DdtRow> righe() const;
    int opzioneMezzo() const;
    // Closes the header controls to changes with the reason `perche`; open when it is empty.

    void emetti();
    // Header of a recalled DDT; false when it could not be stored and the window should stay.
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
    QComboBox* m_causale;
    QRadioButton* m_mezzo[2];
    QLabel* m_lblMezzo[2];
    QLineEdit* m_colli;
    QLineEdit* m_dataRitiro;
    QLineEdit* m_ore;
    QLineEdit* m_minuti;
    QPlainTextEdit* m_note;
    PaperGrid* m_righe;
    QPushButton* m_ant;
    QPushButton* m_stampa;
    QPushButton* m_pdf;
    QPushButton* m_emetti;
    QPushButton* m_annulla;
    QPushButton* m_cmd[4];
    QLabel* m_lblRec;
    // The header controls, closed with the reason as their tooltip while an invoice names the DDT.
    QList<QWidget*> m_testata;
    FocusFrame* m_frame;
    ModifiedFlag* m_modificato;

    // Number of the recalled DDT; empty for a new one.
    QString m_numRichiamo;
    QString m_suffissoAnno;
    long long m_posizione = 0;
    long long m_totaleAnno = 0;
    bool m_ultimo = false;
};
