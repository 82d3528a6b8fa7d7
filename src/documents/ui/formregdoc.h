#pragma once

#include "documents/documento.h"

#include <QDialog>
#include <QString>

class CloseGuard;
class FocusFrame;
class ModifiedFlag;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The document editor: a new free document of the current year's series, or a stored one
// recalled to be corrected, browsed, printed or deleted. Only its own closing buttons close it.
class FormRegDoc : public QDialog {
    Q_OBJECT
public:
    explicit FormRegDoc(QWidget* parent = nullptr);

    // Called before showing: with an empty number the window writes a new document, with a
    // number it shows that stored one; false, the user told, when that one cannot be read.
    bool Carica(const QString& num);

    // The document on screen, for its printed page.
    Documento datiDocumento() const;

private:
    bool richiamato() const { return !m_numRichiamo.isEmpty(); }
    void nuovo();
    void mostraRichiamato(const Documento& d);
    void registra();
    // False when the text could not be stored.
    bool salvaDocumento();
    void annulla();
    void sposta(int comando);
    void chiudi(bool registrato);
    void stampaDocumento();

    QLabel* m_labelInt;
    QLineEdit* m_num;
    QLineEdit* m_data;
    QPlainTextEdit* m_des;
    QLabel* m_lblRec;
    QPushButton* m_cmd[4];
    QPushButton* m_ant;
    QPushButton* m_stampa;
    QPushButton* m_pdf;
    QPushButton* m_registra;
    QPushButton* m_annulla;
    FocusFrame* m_frame;
    ModifiedFlag* m_modificato;
    CloseGuard* m_chiusura;

    // Number of the recalled document; empty for a new one.
    QString m_numRichiamo;
    QString m_suffissoAnno;
    long long m_posizione = 0;
    long long m_totaleAnno = 0;
    bool m_ultimo = false;
};
