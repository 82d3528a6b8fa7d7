#include "ddt/ddtrules.h"

#include "data/runtimeerrors.h"
#include "data/textcolumns.h"
#include "papers/paperrows.h"
#include "papers/paperseries.h"
#include "shell/formats.h"

namespace {

// Parcels are a whole number of the classic 16-bit kind.
constexpr long long kMaxColli = 32767;

// A box's whole number; nothing for empty or other text.
std::optional<int> intero(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

// The leading number of a text with "." as decimal point: "3 pz" gives 3, "abc" 0.
Decimal numeroIniziale(const QString& text)
{
    const QString t = text.trimmed();
    int end = 0;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+'))
        ++end;
    bool point = false;
    while (end < t.size() && (t[end].isDigit() || (t[end] == u'.' && !point))) {
        point = point || t[end] == u'.';
        ++end;
    }
    QString lead = t.left(end);
    if (lead.endsWith(u'.'))
        lead.chop(1);
    return Decimal::fromString(lead).value_or(Decimal());
}

} // namespace

namespace DdtRules {

std::optional<QString> erroreNumero(const QString& num)
{
    return PaperSeries::erroreNumero(num, QStringLiteral("DDT"));
}

Colli leggiColli(const QString& text)
{
    const Decimal value = numeroIniziale(text);
    if (value.isOverflow())
        return {QString(), RuntimeErrors::Overflow};
    Decimal nearest = value.rounded(0);
    // Half-way values go to the even neighbour.
    if ((value - nearest).abs() == Decimal::fromString(QStringLiteral("0.5")).value() && nearest.integerPart() % 2 != 0)
        nearest = nearest - Decimal(value.isNegative() ? -1 : 1);
    if (nearest.abs() > Decimal(kMaxColli + (nearest.isNegative() ? 1 : 0)))
        return {QString(), RuntimeErrors::Overflow};
    const long long n = nearest.integerPart();
    return {n == 0 ? QString() : QString::number(n), 0};
}

QString dueCifre(int value)
{
    const QString t = QString::number(value);
    return t.size() == 1 ? u'0' + t : t;
}

QString oreSu(const QString& ore)
{
    int v = intero(ore).value_or(0);
    if (v < 24)
        ++v;
    return QString::number(v == 24 ? 0 : v);
}

QString oreGiu(const QString& ore)
{
    int v = intero(ore).value_or(24);
    if (v > -1)
        --v;
    return QString::number(v == -1 ? 23 : v);
}

QString minutiSu(const QString& minuti)
{
    int v = intero(minuti).value_or(0);
    if (v < 60)
        ++v;
    return dueCifre(v == 60 ? 0 : v);
}

QString minutiGiu(const QString& minuti)
{
    int v = intero(minuti).value_or(60);
    if (v > -1)
        --v;
    return dueCifre(v == -1 ? 59 : v);
}

QString oraRitiro(const QString& ore, const QString& minuti)
{
    const auto h = intero(ore);
    const auto m = intero(minuti);
    if (!h || !m || *h < 0 || *h > 23 || *m < 0 || *m > 59)
        return QString();
    return dueCifre(*h) + u':' + dueCifre(*m);
}

std::pair<QString, QString> oreMinuti(const QString& stored)
{
    const QStringList parts = stored.split(u':');
    if (parts.size() < 2)
        return {};
    const auto h = intero(parts.at(0));
    const auto m = intero(parts.at(1));
    if (!h || !m)
        return {};
    return {QString::number(*h), dueCifre(*m)};
}

QString mezzo(int opzione)
{
    return opzione == 0 ? kCedente : opzione == 1 ? kCessionario : QString();
}

int opzioneMezzo(const QString& stored)
{
    return stored == kCedente ? 0 : stored == kCessionario ? 1 : -1;
}

DdtData dati(const Ddt& ddt)
{
    DdtData d;
    d.num = ddt.num;
    d.data = Formats::shortDate(ddt.data);
    d.idCliente = ddt.idAna;
    d.causale = ddt.causale;
    d.mezzo = opzioneMezzo(ddt.mezzo);
    d.colli = ddt.colli == 0 ? QString() : QString::number(ddt.colli);
    d.dataRitiro = ddt.dataRitiro.isValid() ? Formats::shortDate(ddt.dataRitiro) : QString();
    std::tie(d.ore, d.minuti) = oreMinuti(ddt.oraRitiro);
    d.note = ddt.note;
    d.righe.reserve(ddt.rows.size());
    for (const DdtRow& r : ddt.rows)
        d.righe.append({r.descrizione, PaperRows::testoQta(r.qta)});
    return d;
}

} // namespace DdtRules
