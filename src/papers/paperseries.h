#pragma once

#include <QList>
#include <QString>
#include <optional>

// The yearly series every paper is numbered in: "N/YY", N from 1, restarting each year.
namespace PaperSeries {

// "/" and the last two digits of the year: 2026 gives "/26".
QString suffisso(int anno);
// The numeric value of a number: its leading digits ("12/26" counts 12); 0 when there are none.
long long ordinale(const QString& num);
// The next number of a series from its largest ordinal (nothing: the series is empty).
QString prossimoNumero(std::optional<long long> maxOrdinale, const QString& suffisso);
// Year of a number's series: "20" and its last two digits (2000 to 2099).
int annoSerie(const QString& num);
// Whether a typed number has the form N/YY (N from 1 without leading zeros); the text to show
// when it has not. `carta` names the paper in that text ("fattura", "DDT").
std::optional<QString> erroreNumero(const QString& num, const QString& carta);

// Browsing the stored papers of a series: the command (0 first, 1 previous, 2 next, 3 last),
// the position shown, the highest number of the series and the ordinals of the series dated in
// its year. Previous and next skip missing numbers and never leave 1..totaleAnno; with
// `fermaAiMancanti` first, previous and next go only to a number that is there. Nothing when
// the shown paper stays.
std::optional<long long> posizioneDopo(int comando, long long posizione, long long totaleAnno,
                                       const QList<long long>& ordinaliAnno, bool fermaAiMancanti = false);

} // namespace PaperSeries
