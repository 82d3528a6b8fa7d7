#pragma once

#include <QString>

// Lengths of the database's text columns. Every store cuts what it writes to them (and what its
// duplicate checks compare), the way a box of that maximum length shows a longer text; the
// windows give their boxes the same lengths.
namespace TextColumns {

// A text column declared without a length holds at most this many characters.
inline constexpr int kTesto = 255;

namespace Anagrafica {
inline constexpr int Nome = 50;
inline constexpr int Ragione = 100;
inline constexpr int Ragione2 = 100;
inline constexpr int Piva = 50;
inline constexpr int Cf = 50;
inline constexpr int Indirizzo = 100;
inline constexpr int Cap = 10;
inline constexpr int Citta = 30;
inline constexpr int Prov = 2;
} // namespace Anagrafica

namespace Categorie {
inline constexpr int Nome = 30;
} // namespace Categorie

namespace Magazzino {
inline constexpr int Descrizione = 100;
inline constexpr int Um = kTesto;
} // namespace Magazzino

namespace Fatture {
inline constexpr int Note = kTesto;
} // namespace Fatture

namespace ContFatt {
inline constexpr int Descrizione = kTesto;
} // namespace ContFatt

namespace Ddt {
inline constexpr int Causale = kTesto;
inline constexpr int Mezzo = 3;
inline constexpr int Note = kTesto;
} // namespace Ddt

namespace ContDdt {
inline constexpr int Descrizione = kTesto;
} // namespace ContDdt

namespace Preventivi {
inline constexpr int Int1 = kTesto;
inline constexpr int Int2 = kTesto;
inline constexpr int Note = kTesto;
} // namespace Preventivi

namespace Azienda {
// Each of Riga1 to Riga5.
inline constexpr int Riga = 100;
} // namespace Azienda

// The text as a box of that maximum length keeps it: its first `length` characters, never half
// of a character outside the basic plane. A null text stays null.
QString fit(const QString& text, int length);

// Multi-line texts are stored with CR LF line breaks, as the files of the original program hold
// them, so a break counts two characters; a multi-line box works with LF alone.
QString storedLines(const QString& boxText);
QString boxLines(const QString& stored);
// The box text whose stored form fits `length` characters (never ending inside a break).
QString fitLines(const QString& boxText, int length);

} // namespace TextColumns
