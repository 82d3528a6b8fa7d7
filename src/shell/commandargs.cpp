#include "shell/commandargs.h"

#include "shell/formats.h"

namespace CommandArgs {

std::optional<int> anno(const QString& text, QString& error)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok && value >= kPrimoAnno && value <= kUltimoAnno)
        return value;
    error = QStringLiteral("Anno non valido: \"%1\" (da %2 a %3).").arg(text).arg(kPrimoAnno).arg(kUltimoAnno);
    return std::nullopt;
}

std::optional<qint64> cliente(const QString& text, QString& error)
{
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (ok && value > 0)
        return value;
    error = QStringLiteral("Codice cliente non valido: \"%1\".").arg(text);
    return std::nullopt;
}

std::optional<QDate> data(const QString& text, const QString& nome, QString& error)
{
    if (const auto d = Formats::parseDate(text.trimmed()))
        return d;
    error = QStringLiteral("Data non valida per %1: \"%2\" (GG/MM/AAAA).").arg(nome, text);
    return std::nullopt;
}

QString clienteNonTrovato(qint64 id)
{
    return QStringLiteral("Cliente %1 non trovato.").arg(id);
}

QString controlli(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i)
        for (const QChar c : arguments[i])
            if (c.category() == QChar::Other_Control)
                return QStringLiteral("L'argomento %1 della riga di comando contiene caratteri di controllo: "
                                      "non è accettato.")
                    .arg(i + 1);
    return QString();
}

} // namespace CommandArgs
