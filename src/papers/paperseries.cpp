#include "papers/paperseries.h"

#include <QRegularExpression>

namespace PaperSeries {

QString suffisso(int anno)
{
    return u'/' + QString::number(anno).right(2);
}

long long ordinale(const QString& num)
{
    long long value = 0;
    for (const QChar c : num.trimmed()) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 1000000000000LL)
            break;
    }
    return value;
}

QString prossimoNumero(std::optional<long long> maxOrdinale, const QString& suffisso)
{
    return QString::number(maxOrdinale ? *maxOrdinale + 1 : 1) + suffisso;
}

int annoSerie(const QString& num)
{
    return 2000 + num.right(2).toInt();
}

std::optional<QString> erroreNumero(const QString& num, const QString& carta)
{
    static const QRegularExpression form(QStringLiteral(R"(^[1-9][0-9]{0,8}/[0-9]{2}$)"));
    if (form.match(num).hasMatch())
        return std::nullopt;
    return QStringLiteral("Numero %1 '%2' non valido: scrivere il numero nella forma N/AA "
                          "(per esempio 12/26), senza zeri iniziali")
        .arg(carta, num);
}

std::optional<long long> posizioneDopo(int comando, long long posizione, long long totaleAnno,
                                       const QList<long long>& ordinaliAnno, bool fermaAiMancanti)
{
    if (fermaAiMancanti && comando >= 0 && comando <= 2) {
        const long long target = comando == 0 ? 1 : comando == 1 ? posizione - 1 : posizione + 1;
        const bool inside = comando != 2 || posizione < totaleAnno;
        if (inside && ordinaliAnno.contains(target))
            return target;
        return std::nullopt;
    }
    std::optional<long long> found;
    switch (comando) {
    case 0:
        return 1;
    case 3:
        return totaleAnno;
    case 1:
        for (const long long p : ordinaliAnno)
            if (p >= 1 && p < posizione && (!found || p > *found))
                found = p;
        return found;
    case 2:
        for (const long long p : ordinaliAnno)
            if (p > posizione && p <= totaleAnno && (!found || p < *found))
                found = p;
        return found;
    default:
        return std::nullopt;
    }
}

} // namespace PaperSeries
