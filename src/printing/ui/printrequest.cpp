#include "printing/ui/printrequest.h"

#include "printing/layoutregistry.h"
#include "printing/printers.h"
#include "printing/printoutput.h"
#include "printing/ui/formstampa.h"
#include "printing/ui/formstampafatt.h"
#include "printing/ui/frmcopie.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

const QString kAnagrafica = QStringLiteral("Anagrafica");

// One print job of the paper on the named printer (the current one when the name is unknown);
// a PDF printer proposes `fileName`.
bool printOn(QWidget* parent, const QString& printer, const QString& kind, const std::any& data,
             const QString& fileName)
{
    app().tipoDocumento = kind;
    app().stampaDiretta = true;
    Printers::impostaStampante(parent, printer);
    const std::vector<Page> pages = LayoutRegistry::compose(kind, data, parent);
    return PrintOutput::toCurrentPrinter(parent, pages, LayoutRegistry::printView(kind), fileName) ==
           PrintOutput::Result::Printed;
}

// A copy that is not a PDF request is named after the paper itself, never after the clipboard.
bool printOn(QWidget* parent, const QString& printer, const QString& kind, const std::any& data)
{
    return printOn(parent, printer, kind, data, LayoutRegistry::fileName(kind, data));
}

} // namespace

namespace PrintRequest {

void preview(QWidget* parent, const QString& kind, const std::any& data)
{
    app().tipoDocumento = kind;
    app().stampaDiretta = false;
    FormStampaFatt window(kind, data, parent);
    dialogs().exec(&window);
}

bool printOne(QWidget* parent, const QString& kind, const std::any& data)
{
    return printOn(parent, app().stampantePredefinita, kind, data);
}

void printCopies(QWidget* parent, const QString& kind, const std::any& data)
{
    {
        FrmCopie copies(parent);
        // Only a confirmed dialog prints: however it was closed otherwise, the answer is no copies.
        if (dialogs().exec(&copies) != QDialog::Accepted)
            app().numeroCopie = 0;
    }
    const int n = app().numeroCopie;
    if (n >= 1 && printOne(parent, kind, data) && n == 2)
        printOne(parent, kind, data);
}

QString pdfFileName(const QString& kind, const QString& number)
{
    return LayoutRegistry::fileName(kind, number);
}

bool printPdf(QWidget* parent, const QString& kind, const std::any& data, const QString& number)
{
    // The name goes on the clipboard for the user's convenience; the save dialog is given it directly.
    const QString name = pdfFileName(kind, number);
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
        clipboard->setText(name);
    }
    return printOn(parent, app().stampantePdf, kind, data, name);
}

void previewCustomerSheet(QWidget* parent, const CustomerSheetData& data)
{
    app().tipoDocumento = kAnagrafica;
    app().stampaDiretta = false;
    FormStampa window(data, parent);
    dialogs().exec(&window);
}

bool printCustomerSheet(QWidget* parent, const CustomerSheetData& data)
{
    return printOn(parent, app().stampantePredefinita, kAnagrafica, std::any(data));
}

} // namespace PrintRequest
