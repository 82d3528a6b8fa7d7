#include "printing/printoutput.h"

#include "data/runtimeerrors.h"
#include "printing/pagerenderer.h"
#include "printing/pdfprinter.h"
#include "printing/printers.h"
#include "shell/dialogs.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace {

void showPrinterError(QWidget* parent, const QString& reason)
{
    dialogs().message(parent, RuntimeErrors::text(RuntimeErrors::PrinterError) + QStringLiteral(": ") + reason,
                      RuntimeErrors::title(RuntimeErrors::PrinterError), Dialogs::Icon::Critical);
}

PrintOutput::Result toSystemPrinter(QWidget* parent, const QString& name, const std::vector<Page>& pages,
                                    const PageView& view)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(name);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setDocName(QStringLiteral("Corvalisto"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        showPrinterError(parent, QStringLiteral("impossibile stampare su '%1'").arg(name));
        return PrintOutput::Result::Failed;
    }
    PageRenderer renderer(painter);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            // An interrupted job is discarded rather than printed in part.
            printer.abort();
            showPrinterError(parent, QStringLiteral("stampa interrotta su '%1'").arg(name));
            return PrintOutput::Result::Failed;
        }
        renderer.draw(pages[i], view);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        showPrinterError(parent, QStringLiteral("stampa non riuscita su '%1'").arg(name));
        return PrintOutput::Result::Failed;
    }
    return PrintOutput::Result::Printed;
}

} // namespace

namespace PrintOutput {

Result toCurrentPrinter(QWidget* parent, const std::vector<Page>& pages, const PageView& view, const QString& fileName)
{
    if (pages.empty())
        return Result::Cancelled;
    PageView printed = view;
    printed.preview = false;
    if (Printers::currentIsPdf()) {
        switch (PdfPrinter::print(parent, pages, printed, fileName)) {
        case PdfPrinter::Outcome::Written:
            return Result::Printed;
        case PdfPrinter::Outcome::Cancelled:
            return Result::Cancelled;
        case PdfPrinter::Outcome::Failed:
            return Result::Failed;
        }
    }
    return toSystemPrinter(parent, Printers::current(), pages, printed);
}

} // namespace PrintOutput
