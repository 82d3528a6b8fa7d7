#pragma once

#include "ddt/ddt.h"
#include "ddt/ddtdata.h"

#include <QString>
#include <optional>
#include <utility>

// The DDT rules that need no window and no database: the number, the parcels, the pick-up time
// and its step buttons, the transport option.
namespace DdtRules {


inline const QString kCedente = QStringLiteral("ced");
inline const QString kCessionario = QStringLiteral("ces");

// Whether a typed DDT number has the form N/YY; the text to show when it has not.
std::optional<QString> erroreNumero(const QString& num);

// The parcels box as read on leaving it: its leading number ("." as decimal point, "3 pz" gives
// 3) rounded to a whole number, half-way to the even one; 0 gives an empty box. `errore` is
// run-time error 6 past the 16-bit range, and the box is then emptied.
struct Colli {
    QString testo;
    int errore = 0;
};
Colli leggiColli(const QString& text);

// The hour and minute step buttons: 23 up gives 0, empty down gives 23; minutes wrap at 60 and
// are always two digits. A text that is not a whole number counts as empty.
QString oreSu(const QString& ore);
QString oreGiu(const QString& ore);
QString minutiSu(const QString& minuti);
QString minutiGiu(const QString& minuti);
// Minutes as shown: two digits ("7" gives "07").
QString dueCifre(int value);

// The pick-up time as stored, 'HH:MM', from the two boxes; empty unless both hold a time of day.
QString oraRitiro(const QString& ore, const QString& minuti);
// The two boxes from a stored time: hour without leading zero, minutes with two ("9", "05");
// both empty when there is none.
std::pair<QString, QString> oreMinuti(const QString& stored);

// The transport option (0 consignor, 1 consignee, -1 none) as stored, and back.
QString mezzo(int opzione);
int opzioneMezzo(const QString& stored);

// A stored DDT as its editor shows it once recalled, so both print the same pages.
DdtData dati(const Ddt& ddt);

} // namespace DdtRules
