#pragma once

#include "papers/paperseries.h"

#include <QDate>
#include <QString>

// The current year's series, where the editors put new papers: num(3) is "3/26" in 2026.
inline const int kAnno = QDate::currentDate().year();
inline const QString kSuffisso = PaperSeries::suffisso(kAnno);

inline QString num(int n)
{
    return QString::number(n) + kSuffisso;
}
