// A 12-page paper rendered to PDF through our drawing items and renderer, beside the same
// drawing made straight on a QPdfWriter.
#include "printing/page.h"
#include "printing/pagerenderer.h"
#include "printing/pdfoutput.h"
#include "resources/shippedpictures.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kPages = 12;
constexpr int kRows = 18;
constexpr double kX0 = 3.5;
QTemporaryDir* tempDir = nullptr;
QImage logo;

// Calls `text`, `line`, `rect` and `picture` for one invoice-like page, in millimetres.
template <typename Sink> void paper(int p, Sink& s)
{
    const PrintFont arial{QStringLiteral("Arial"), 10, false};
    const PrintFont bold{QStringLiteral("Arial"), 10, true};
    s.picture(5, 8, 30, 30, logo);
    s.text(45, 10, QStringLiteral("FERRO BATTUTO ROSSI"), PrintFont{QStringLiteral("Arial Black"), 11, false},
           Qt::black);
    s.text(51, 16, QStringLiteral("Lavorazioni in ferro"), PrintFont{QStringLiteral("Arial"), 16, false}, Qt::red);
    s.text(kX0, 44, QStringLiteral("FATTURA n° 12/2025"), PrintFont{QStringLiteral("Arial"), 16, true}, Qt::black);
    for (double y : {51.0, 89.0, 94.0, 102.5, 111.0, 116.0, 216.0, 245.0, 270.25})
        s.line(kX0, y, kX0 + 203, y);
    for (double x : {11.0, 130.0, 145.0, 165.0, 185.0})
        s.line(kX0 + x, 111, kX0 + x, 216);
    s.rect(kX0 + 130, 216, kX0 + 203, 245, false);
    s.rect(kX0, 94, kX0 + 20, 102.5, true);
    s.text(kX0 + 3, 73, QStringLiteral("Via dell'Industria 12 - 20900 Monza"),
           PrintFont{QStringLiteral("Times New Roman"), 14, false}, Qt::black);
    for (const char* h : {"DESCRIZIONE", "Q.TA'", "PREZZO", "IMPORTO", "IVA%"})
        s.text(kX0 + 55, 111.5, QString::fromLatin1(h), bold, Qt::black);
    for (int i = 1; i <= kRows; ++i) {
        const double y = 116.5 + 5 * i;
        s.text(kX0 + 14, y, QStringLiteral("Ringhiera in ferro battuto, riga %1 pagina %2").arg(i).arg(p + 1), arial,
               Qt::black);
        s.text(kX0 + 135, y, QString::number(i), arial, Qt::black);
        s.text(155, y, QStringLiteral("1.234,50"), arial, Qt::black);
        s.text(174, y, QStringLiteral("12.345,00"), arial, Qt::black);
        s.text(192, y, QStringLiteral("22%"), arial, Qt::black);
    }
    s.text(kX0 + 189, 97.5, QStringLiteral("%1/%2").arg(p + 1).arg(kPages), arial, Qt::black);
}

struct PageSink {
    Page& page;
    void text(double x, double y, const QString& t, const PrintFont& f, const QColor& c) { page.text(x, y, t, f, c); }
    void line(double x1, double y1, double x2, double y2) { page.line(x1, y1, x2, y2); }
    void rect(double x1, double y1, double x2, double y2, bool filled) { page.rect(x1, y1, x2, y2, filled); }
    void picture(double x, double y, double w, double h, const QImage& i) { page.picture(x, y, w, h, i); }
};

// The same drawing without our items: fonts and millimetres worked out on the spot.
struct DirectSink {
    QPainter& p;
    double unit;
    double mm(double v) const { return v * unit; }
    void text(double x, double y, const QString& t, const PrintFont& f, const QColor& c)
    {
        QFont font(f.family == QStringLiteral("Arial Black") ? QStringLiteral("Liberation Sans") : f.family);
        font.setPointSizeF(f.size);
        font.setBold(f.bold || f.family == QStringLiteral("Arial Black"));
        p.setFont(font);
        p.setPen(c);
        p.drawText(QPointF(mm(x), mm(y) + p.fontMetrics().ascent()), t);
    }
    void line(double x1, double y1, double x2, double y2)
    {
        p.setPen(QPen(Qt::black, mm(0.2)));
        p.drawLine(QPointF(mm(x1), mm(y1)), QPointF(mm(x2), mm(y2)));
    }
    void rect(double x1, double y1, double x2, double y2, bool filled)
    {
        const QRectF r(QPointF(mm(x1), mm(y1)), QPointF(mm(x2), mm(y2)));
        if (filled) {
            p.fillRect(r, Qt::black);
        } else {
            p.setPen(QPen(Qt::black, mm(0.2)));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
        }
    }
    void picture(double x, double y, double w, double h, const QImage& i)
    {
        p.drawImage(QRectF(mm(x), mm(y), mm(w), mm(h)), i);
    }
};

void BM_EngineTwelvePages(benchmark::State& state)
{
    const QString file = tempDir->filePath(QStringLiteral("engine.pdf"));
    for (auto _ : state) {
        std::vector<Page> pages(kPages);
        for (int p = 0; p < kPages; ++p) {
            PageSink sink{pages[p]};
            paper(p, sink);
        }
        QString error;
        if (!PdfOutput::write(pages, PageView(), file, &error))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_EngineTwelvePages)->Unit(benchmark::kMillisecond);

void BM_DirectTwelvePages(benchmark::State& state)
{
    const QString file = tempDir->filePath(QStringLiteral("direct.pdf"));
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing, true);
        DirectSink sink{painter, writer.resolution() / 25.4};
        for (int p = 0; p < kPages; ++p) {
            if (p > 0)
                writer.newPage();
            paper(p, sink);
        }
    }
}
BENCHMARK(BM_DirectTwelvePages)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    tempDir = new QTemporaryDir;
    logo = ShippedPictures::logo(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete tempDir;
    return 0;
}
