#pragma once

#include "printing/customerfields.h"
#include "printing/layoutcontext.h"
#include "printing/page.h"
#include "printing/printfont.h"

#include <QString>
#include <QStringList>

// What the framed papers (invoice, transport document) draw alike: the company block of the
// header box, the reference box's texts, the customer's address line, the row grid's pitch,
// the annotations and the way numbers and dates are spelled out. Millimetres from the margin.
namespace PaperLayout {

// Left edge of the frames.
constexpr double kX0 = 3.5;
// Annotations are cut into lines of this many characters, regardless of words.
constexpr int kCaratteriNota = 69;
// The i-th row of a page has its top at kRigaBase + kPassoRiga * i.
constexpr double kRigaBase = 116.5;
constexpr double kPassoRiga = 5;

inline const QString kArial = QStringLiteral("Arial");
inline const QString kArialBlack = QStringLiteral("Arial Black");
inline const QString kTimes = QStringLiteral("Times New Roman");

inline PrintFont arial(double size, bool bold = false)
{
    return PrintFont{kArial, size, bold};
}

// Pages needed for that many rows at `perPagina` a page; at least one.
int pagine(int righe, int perPagina);
// A free text cut into pages of at most `perPagina` lines, as typed: no wrapping. A page is
// added for every `perPagina` line breaks, so a text of exactly `perPagina` + 1 lines gives a
// second page holding only its last line. CR LF, a lone LF and a lone CR each end a line.
QList<QStringList> pagineTesto(const QString& testo, int perPagina);
// "12/26" as the page prints it: 12/2026; a number of fewer than 2 characters unchanged.
QString numeroEsteso(const QString& num);
// "05/03/26" as the page prints it: 05/03/2026; an empty date stays empty.
QString dataEstesa(const QString& data);
// The annotation lines: line breaks become spaces, cut at 69 characters, at most two spaces
// dropped at the start of each following line.
QStringList righeNote(const QString& note);
// Cap, city and "(province)", each only when there is one.
QString localita(const CustomerFields& c);
// Right alignment approximated by the text's length: `passo` mm per character short of `larghezza`.
double allineato(double x, int larghezza, const QString& text, double passo);

// Company lines 1, 2, 3 and 5 in the left part of the header box; the papers differ only in
// the height of the fifth.
void azienda(Page& page, const LayoutContext& ctx, double riga5Y);

// The texts of the reference box every framed paper has: customer code, date, number, page.
struct Riferimenti {
    qint64 idCliente = 0;
    QString data;
    QString num;
    // Where the date starts; the papers place it half a millimetre apart.
    double dataX = kX0 + 145;
};
void riferimenti(Page& page, const Riferimenti& r, int p, int pagine);

// The annotation lines, Arial 11, from `y` down one every 4 mm.
void note(Page& page, const QStringList& righe, double y);

} // namespace PaperLayout
