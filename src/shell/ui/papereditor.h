#pragma once

#include "data/dberror.h"

#include <QList>
#include <QString>
#include <QStyle>
#include <any>
#include <functional>
#include <initializer_list>
#include <optional>

class QComboBox;
class QDialog;
class QHBoxLayout;
class QEvent;
class QLabel;
class QPushButton;
class QWidget;

// Pieces every paper editor builds its window from.
namespace PaperEditor {

// A button with a standard picture and its tooltip, named for screen readers after the tooltip.
QPushButton* pictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip);
// The four browsing buttons Cmd0..Cmd3 (first, previous, next, last) with their tooltips; a
// click calls `sposta` with the button's index.
void browseButtons(QWidget* parent, QPushButton* (&cmd)[4], const QString (&tips)[4],
                   const std::function<void(int)>& sposta);
// The preview, print and PDF buttons every editor has.
struct PulsantiStampa {
    QPushButton* ant;
    QPushButton* stampa;
    QPushButton* pdf;
};
PulsantiStampa pulsantiStampa(QWidget* parent);
// The title on the left, the counter and browsing buttons on the right.
QHBoxLayout* rigaTitolo(QLabel* title, QLabel* counter, QPushButton* (&cmd)[4]);
// A row of buttons: `left` at its start, `right` at its end.
QHBoxLayout* rigaPulsanti(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right);
// An editor's window before its first paper: the counter and browsing buttons hidden until a
// paper is recalled; size, place and background.
void preparaFinestra(QDialog* window, QLabel* counter, QPushButton* (&cmd)[4]);
// The preview and PDF buttons print what `dati` reads from the window as the paper `kind`;
// `numero` names the PDF.
void anteprimaEPdf(QWidget* parent, QPushButton* ant, QPushButton* pdf, const QString& kind,
                   const std::function<std::any()>& dati, const std::function<QString()>& numero);
// A caption for `buddy`, which is named after it (or after `accessible`), without a final ":".
QLabel* labelFor(QWidget* parent, const QString& text, QWidget* buddy, const QString& accessible = QString());
// Leaving a box for a popup or another application is not leaving it.
bool realFocusOut(QEvent* event);
// The customer editor with that customer (empty: a new one), unless it is already open.
void apriCliente(QWidget* parent, const QString& nome);
// Fills the customer lists again; the customer chosen before stays chosen.
void riempiClienti(QWidget* parent, QComboBox* idCli, QComboBox* cli);
// The customer editor on the chosen customer; afterwards a recalled paper shows the name as it is
// now (`customerName` reads it), a new one reads the lists again.
void verificaCliente(QWidget* parent, QComboBox* idCli, QComboBox* cli, bool richiamata,
                     const std::function<DbResult<QString>(qint64)>& customerName);
// The customer editor on a new customer, then the lists read again.
void nuovoCliente(QWidget* parent, QComboBox* idCli, QComboBox* cli);

// A stored paper looked up for recall: false when it could not be read or is missing, the user
// told ("<kind> <num> non trovato").
bool trovata(QWidget* parent, const DbError* error, bool found, const QString& kind, const QString& num);
template <class T>
std::optional<T> richiamata(QWidget* parent, const DbResult<std::optional<T>>& found, const QString& kind,
                            const QString& num)
{
    if (!trovata(parent, found ? nullptr : &found.error(), found && found.value(), kind, num))
        return std::nullopt;
    return *found.value();
}

// A stored paper recalled: its title, the counter and the browsing buttons shown, the first
// button cancelling the paper and the second closing the window.
void modoRichiamo(QLabel* title, const QString& titleText, QLabel* counter, std::initializer_list<QPushButton*> cmd,
                  QPushButton* annulla, const QString& annullaText, QPushButton* emetti);
// The papers in the recalled one's series: the counter reads "<kind> <posizione> di <totale>".
// When the series cannot be read the paper counts as its last.
long long contaSerie(QWidget* parent, QLabel* counter, const QString& kind,
                     const DbResult<std::optional<long long>>& max, long long posizione);
// Where a browsing command leads from `posizione`; `ordinali` reads the series only for the
// commands that need it. Nothing when it stays there or the series cannot be read.
std::optional<long long> sposta(QWidget* parent, int comando, long long posizione, long long totale,
                                const std::function<DbResult<QList<long long>>()>& ordinali);
// Browsing that stops at a missing number: where a command leads when `esiste` finds the number
// it aims at. Nothing when it stays there or the look-up fails (the user is told).
std::optional<long long> spostaSenzaSalti(QWidget* parent, int comando, long long posizione, long long totale,
                                          const std::function<DbResult<bool>(long long)>& esiste);

// The texts of cancelling a recalled paper.
struct TestiAnnullamento {
    QString domanda;   // the confirmation question
    QString nonUltimo; // only the last of the series may go
    QString mancante;  // the paper was no longer there
    QString fatto;     // cancelled
};
// Asks the question; true on Yes.
bool confermaAnnullamento(QWidget* parent, const TestiAnnullamento& testi);
// Tells how the cancel went; true when the editor closes.
bool esitoAnnullamento(QWidget* parent, const TestiAnnullamento& testi, const DbError* error, bool nonUltimo,
                       bool mancante);
// Asks, cancels through `cancel` and tells the outcome (`Outcome` has NotLast and `missing`);
// true when the editor closes.
template <class Outcome>
bool annulla(QWidget* parent, const TestiAnnullamento& testi, Outcome missing,
             const std::function<DbResult<Outcome>()>& cancel)
{
    if (!confermaAnnullamento(parent, testi))
        return false;
    const DbResult<Outcome> outcome = cancel();
    if (!outcome)
        return esitoAnnullamento(parent, testi, &outcome.error(), false, false);
    return esitoAnnullamento(parent, testi, nullptr, outcome.value() == Outcome::NotLast, outcome.value() == missing);
}

} // namespace PaperEditor
