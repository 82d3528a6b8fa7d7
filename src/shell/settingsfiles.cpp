#include "shell/settingsfiles.h"

#include "shell/appstate.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

// Reads fields one after the other, as the classic "Input #" statement does: a
// field ends at a comma or at the end of a line; a quoted field runs to its closing quote.
class FieldReader {
public:
    explicit FieldReader(QString text) : m_text(std::move(text)) {}

    std::optional<QString> next(bool* quoted)
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t'))
            ++m_pos;
        if (m_pos >= m_text.size())
            return std::nullopt;
        QString value;
        *quoted = m_text[m_pos] == u'"';
        if (*quoted) {
            const int close = m_text.indexOf(u'"', m_pos + 1);
            if (close < 0)
                return std::nullopt;
            value = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            while (m_pos < m_text.size() && m_text[m_pos] == u' ')
                ++m_pos;
        } else {
            int end = m_pos;
            while (end < m_text.size() && m_text[end] != u',' && m_text[end] != u'\r' && m_text[end] != u'\n')
                ++end;
            value = m_text.mid(m_pos, end - m_pos).trimmed();
            m_pos = end;
        }
        if (m_pos < m_text.size() && m_text[m_pos] == u',') {
            ++m_pos;
        } else {
            while (m_pos < m_text.size() && (m_text[m_pos] == u'\r' || m_text[m_pos] == u'\n'))
                ++m_pos;
        }
        return value;
    }

    std::optional<QString> text()
    {
        bool quoted = false;
        return next(&quoted);
    }

    std::optional<float> number()
    {
        bool quoted = false;
        const auto v = next(&quoted);
        if (!v || quoted)
            return std::nullopt;
        bool ok = false;
        const float f = QLocale::c().toFloat(*v, &ok);
        if (!ok)
            return std::nullopt;
        return f;
    }

    std::optional<bool> boolean()
    {
        bool quoted = false;
        const auto v = next(&quoted);
        if (!v || quoted)
            return std::nullopt;
        if (v->compare(QStringLiteral("#TRUE#"), Qt::CaseInsensitive) == 0)
            return true;
        if (v->compare(QStringLiteral("#FALSE#"), Qt::CaseInsensitive) == 0)
            return false;
        return std::nullopt;
    }

private:
    QString m_text;
    int m_pos = 0;
};

std::optional<QString> readFile(const QString& name)
{
    QFile f(app().path(name));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(f.readAll());
}

// The whole file is replaced at once, so a failed write leaves the old one in place.
void writeFile(const QString& name, const QString& content)
{
    QSaveFile f(app().path(name));
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(content.toUtf8());
    f.commit();
}

QString quoted(const QString& text)
{
    return u'"' + text + u'"';
}

QString boolText(bool b)
{
    return b ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
}

// The shortest text that reads back as the same single-precision value: 7.3, not the
// digits of the double nearest to it.
QString numberText(float f)
{
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, f).ptr;
    return QString::fromLatin1(buf, static_cast<qsizetype>(end - buf));
}

const QString kCrLf = QStringLiteral("\r\n");

// Every paper moves right by the margin on a sheet 210 mm wide: beyond half of it either way
// most of each paper falls off the sheet, and a value that is no number at all leaves it blank.
constexpr float kMargineMassimo = 105;

bool margineStampabile(float mm)
{
    return std::isfinite(mm) && std::fabs(mm) <= kMargineMassimo;
}

} // namespace

namespace SettingsFiles {

void ini(const QString& mode)
{
    AppState& s = app();
    if (mode == QLatin1String("carica")) {
        const auto content = readFile(kIniFile);
        if (!content)
            return;
        FieldReader r(*content);
        // A margin the sheet cannot hold is as wrong as one that is not a number.
        const auto margin = r.number();
        if (!margin || !margineStampabile(*margin))
            return;
        s.margineLaterale = *margin;
        if (!r.text())
            return;
        const auto logo = r.boolean();
        if (!logo)
            return;
        s.logoColori = *logo;
        if (!r.text())
            return;
        const auto secondario = r.boolean();
        if (!secondario)
            return;
        s.secondario = *secondario;
        if (!r.text())
            return;
        const auto folder = r.text();
        if (!folder)
            return;
        s.percorsoBackup = *folder;
        return;
    }
    writeFile(kIniFile, numberText(s.margineLaterale) + u',' + quoted(QStringLiteral("Margine laterale stampe")) +
                            kCrLf + boolText(s.logoColori) + u',' + quoted(QStringLiteral("Logo a colori")) + kCrLf +
                            boolText(s.secondario) + u',' + quoted(QStringLiteral("Secondario")) + kCrLf +
                            quoted(s.percorsoBackup) + u',' + quoted(QStringLiteral("Percorso backup")) + kCrLf);
}

void printerIni(const QString& mode)
{
    AppState& s = app();
    if (mode == QLatin1String("carica")) {
        const auto content = readFile(kPrinterFile);
        if (!content)
            return;
        FieldReader r(*content);
        if (const auto name = r.text())
            s.stampantePredefinita = *name;
        return;
    }
    writeFile(kPrinterFile,
              quoted(s.stampantePredefinita) + u',' + quoted(QStringLiteral("Stampante Pred.Programma")) + kCrLf);
}

} // namespace SettingsFiles
