#pragma once

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

// Reads a written PDF back with poppler's tools: words with their boxes in points, fonts, pages.
namespace PdfProbe {

struct Word {
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    int page = 0;
};

inline constexpr double kPointsPerMm = 72.0 / 25.4;

inline QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline std::vector<Word> words(const QString& pdf)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression page(QStringLiteral("<page "));
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<Word> out;
    int pageNo = 0;
    for (const QString& line : html.split(QLatin1Char('\n'))) {
        if (line.contains(page))
            ++pageNo;
        const auto m = word.match(line);
        if (m.hasMatch())
            out.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                           m.captured(4).toDouble(), pageNo});
    }
    return out;
}

inline const Word* find(const std::vector<Word>& all, const QString& text, int page = 0)
{
    for (const Word& w : all)
        if (w.text == text && (page == 0 || w.page == page))
            return &w;
    return nullptr;
}

struct Font {
    QString name;
    bool embedded = false;
};

// The fonts as pdffonts lists them (name first, "emb" fifth column from the end).
inline std::vector<Font> fonts(const QString& pdf)
{
    std::vector<Font> out;
    const QStringList lines = run(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'));
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList cols = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (cols.size() >= 6)
            out.push_back({cols.first(), cols[cols.size() - 5] == QStringLiteral("yes")});
    }
    return out;
}

inline int pages(const QString& pdf)
{
    static const QRegularExpression re(QStringLiteral("Pages:\\s+(\\d+)"));
    return re.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

inline QString pageSize(const QString& pdf)
{
    static const QRegularExpression re(QStringLiteral("Page size:\\s+([0-9.]+ x [0-9.]+)"));
    return re.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1);
}

} // namespace PdfProbe
