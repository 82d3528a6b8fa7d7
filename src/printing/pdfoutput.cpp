#include "printing/pdfoutput.h"

#include "printing/pagerenderer.h"
#include "printing/pdfsheet.h"
#include "shell/outputfiles.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

bool writeWithQt(const std::vector<Page>& pages, const PageView& view, const QString& filePath, QIODevice& file)
{
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Corvalisto"));
    writer.setTitle(QFileInfo(filePath).completeBaseName());
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    PageRenderer renderer(painter);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        renderer.draw(pages[i], view);
    }
    return painter.end();
}

} // namespace

namespace PdfOutput {

bool write(const std::vector<Page>& pages, const PageView& view, const QString& filePath, QString* error)
{
    if (const QString refusal = OutputFiles::refusal(filePath, QByteArrayLiteral("%PDF-"), QStringLiteral("PDF"));
        !refusal.isEmpty()) {
        if (error)
            *error = refusal;
        return false;
    }
    // Through a link the file it leads to is replaced, and the link stays.
    QSaveFile file(OutputFiles::resolved(filePath));
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // Our own writer knows every page of plain text; a page with letters that need shaping or a
    // fallback face goes through Qt's, which knows them all.
    PdfSheet sheet(QFileInfo(filePath).completeBaseName());
    PageRenderer lean(sheet);
    for (const Page& page : pages) {
        lean.draw(page, view);
        if (lean.unsupported())
            break;
    }
    if (!lean.unsupported()) {
        const QByteArray pdf = sheet.finish();
        if (file.write(pdf) != pdf.size()) {
            file.cancelWriting();
            if (error)
                *error = file.errorString();
            return false;
        }
    } else if (!writeWithQt(pages, view, filePath, file)) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("Impossibile avviare la scrittura del PDF");
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace PdfOutput
