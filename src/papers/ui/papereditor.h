#pragma once

#include "data/dberror.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStyle>
#include <any>
#include <functional>
#include <initializer_list>
#include <optional>

class QComboBox;
class QEvent;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
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
void pulsantiStampa(QWidget* parent, QPushButton*& ant, QPushButton*& stampa, QPushButton*& pdf);
// A row of buttons: `left` at its start, `right` at its end.
QHBoxLayout* rigaPulsanti(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right);
// The number box TxtNum: read-only until a window allows typing a number.
QLineEdit* numeroBox(QWidget* parent);
// A date box of ten characters at most, as wide as that: the header keeps the rest.
QLineEdit* dateBox(QWidget* parent, const char* name);
// The heading on the left, the recalled paper's counter and the browsing buttons on the right.
QHBoxLayout* rigaTitolo(QLabel* title, QLabel* counter, QPushButton* const (&cmd)[4]);
// The heading `titleText`, the counter "<kind> 1 di 1" and the browsing buttons of an editor.
void titolo(QWidget* parent, QLabel*& title, const QString& titleText, QLabel*& counter, const QString& kind,
            QPushButton* (&cmd)[4], const QString (&tips)[4], const std::function<void(int)>& sposta);
// Preview, print with copies and PDF of the paper `dati` gives, named by `numero`.
void collegaStampa(QWidget* parent, QPushButton* ant, QPushButton* pdf, const QString& kind,
                   const std::function<std::any()>& dati, const std::function<QString()>& numero);
// The first header rows of an editor: number and date, then the customer list `cli` (captioned
// `cliCaption`) with the button that opens its customer and the one that adds a customer.
QGridLayout* testata(QWidget* parent, QLineEdit* num, QLineEdit* data, const QString& cliCaption, QComboBox* cli,
                     QPushButton* btnCli, QPushButton* nuovoCli);
// The end of building an editor: counter and browsing buttons hidden until a paper is
// recalled, the editors' size, centred, and their background.
void finestra(QWidget* window, QLabel* counter, QPushButton* const (&cmd)[4]);
// A database error, as WindowBehaviour shows it.
void showDbError(QWidget* parent, const DbError& error);
// "<kind> <num> non trovato".
void nonTrovato(QWidget* parent, const QString& kind, const QString& num);
// Carica: an empty number prepares a new paper (`nuovo`); another is read by `load` and shown by
// `mostra`, `numRichiamo` becoming its number. False when it cannot be read or is missing, the
// user told; the window keeps what it showed.
template <class Paper>
bool carica(QWidget* parent, const QString& kind, const QString& num, QString& numRichiamo,
            const std::function<void()>& nuovo,
            const std::function<DbResult<std::optional<Paper>>(const QString&)>& load,
            const std::function<void(const Paper&)>& mostra)
{
    if (num.isEmpty()) {
        numRichiamo.clear();
        nuovo();
        return true;
    }
    const DbResult<std::optional<Paper>> found = load(num);
    if (!found) {
        showDbError(parent, found.error());
    } else if (!found.value()) {
        nonTrovato(parent, kind, num);
    } else {
        numRichiamo = num;
        mostra(*found.value());
    }
    return found && found.value();
}
// The body text box TxtDes of a letter paper: its lines as the paper prints them, in the paper's
// font and never wrapped (a long line runs off to the right there too).
QPlainTextEdit* testoCarta(QWidget* parent);
// Keeps a notes box within `length` characters as stored, each line break counting two.
void limitaNote(QPlainTextEdit* box, int length);
// The number is another paper's: "<text>", title "Impossibile procedere".
void giaEsistente(QWidget* parent, const QString& text);
// A bare message without title or icon.
void messaggio(QWidget* parent, const QString& text);
// An error of the store: its refusal `rifiuto` (the text says why) as "Impossibile procedere",
// anything else as a database error.
void mostraRifiuto(QWidget* parent, const DbError& error, int rifiuto);
// What the store answered to the change of a stored row: its refusal `rifiuto` and its errors as
// mostraRifiuto says, an outcome other than Done as `failed`.
template <typename Outcome>
void esitoRiga(QWidget* parent, const DbResult<Outcome>& outcome, int rifiuto, const QString& failed)
{
    if (!outcome)
        mostraRifiuto(parent, outcome.error(), rifiuto);
    else if (outcome.value() != Outcome::Done)
        messaggio(parent, failed);
}
// Greys out `controls`, their tooltip saying why; an empty reason gives them back.
void blocca(const QList<QWidget*>& controls, const QString& perche);
// Whether a number is still free as `exists` read it; a number taken is told with `text`.
bool numeroLibero(QWidget* parent, const DbResult<bool>& exists, const QString& text);
// A Yes/No question; true on Yes.
bool conferma(QWidget* parent, const QString& text, const QString& title);
// "AVVISO": what a paper still lacks before it is issued; then back to `focus`, when given.
void avviso(QWidget* parent, const QString& text, QWidget* focus);
// Whether a customer is chosen; otherwise says so and goes back to the list.
bool clienteScelto(QWidget* parent, QComboBox* idCli, QComboBox* cli);
// Whether some row has a description; otherwise says so.
template <typename Row> bool haRighe(QWidget* parent, const QList<Row>& rows)
{
    for (const Row& r : rows)
        if (!r.descrizione.isEmpty())
            return true;
    avviso(parent, QStringLiteral("Nessuna riga inserita"), nullptr);
    return false;
}
// The date of a date box; nothing, with "Data non valida" and the focus back in it, when it holds none.
std::optional<QDate> dataValida(QWidget* parent, QLineEdit* box);
// A caption for `buddy`, which is named after it (or after `accessible`), without a final ":".
QLabel* labelFor(QWidget* parent, const QString& text, QWidget* buddy, const QString& accessible = QString());
// Leaving a box for a popup or another application is not leaving it.
bool realFocusOut(QEvent* event);
// The customer editor with that customer (empty: a new one), unless it is already open.
void apriCliente(QWidget* parent, const QString& nome);
// Fills the customer lists again; the customer chosen before stays chosen.
void riempiClienti(QWidget* parent, QComboBox* idCli, QComboBox* cli);
// Chooses the customer of that id in the filled lists; false, after telling the user, when it is
// not among them (deleted from the registry).
bool scegliCliente(QWidget* parent, QComboBox* idCli, QComboBox* cli, qint64 id);
// The lists holding only a recalled paper's customer (none when `id` is 0): it cannot change.
void soloCliente(QComboBox* idCli, QComboBox* cli, qint64 id, const QString& nome);
// The customer editor on the chosen customer; afterwards a recalled paper shows the name as it is
// now (`customerName` reads it), a new one reads the lists again.
void verificaCliente(QWidget* parent, QComboBox* idCli, QComboBox* cli, bool richiamata,
                     const std::function<DbResult<QString>(qint64)>& customerName);
// The customer editor on a new customer, then the lists read again.
void nuovoCliente(QWidget* parent, QComboBox* idCli, QComboBox* cli);

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
// `fermaAiMancanti`: see PaperSeries::posizioneDopo.
std::optional<long long> sposta(QWidget* parent, int comando, long long posizione, long long totale,
                                const std::function<DbResult<QList<long long>>()>& ordinali,
                                bool fermaAiMancanti = false);
// The text of a multi-line box as stored: line breaks CR LF, every other character as typed
// (a non-breaking space stays one).
QString testoMemorizzato(const QPlainTextEdit* box);

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
