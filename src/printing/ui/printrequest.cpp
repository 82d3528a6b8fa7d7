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

// One print job of the paper on the named printer (the current one when the name is unknown).
bool printOn(QWidget* parent, const QString& printer, const QString& kind, const std::any& data)
{
    app().tipoDocumento = kind;
    app().stampaDiretta = true;
    Printers::impostaStampante(parent, printer);
    const std::vector<Page> pages = LayoutRegistry::compose(kind, data, parent);
    return PrintOutput::toCurrentPrinter(parent, pages, LayoutRegistry::printView(kind)) ==
           PrintOutput::Result::Printed;
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
    QString num = number;
    return kind + QLatin1Char('_') + num.replace(QLatin1Char('/'), QLatin1Char('-')) + QStringLiteral(".pdf");
}

bool printPdf(QWidget* parent, const QString& kind, const std::any& data, const QString& number)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
        clipboard->setText(pdfFileName(kind, number));
    }
    return printOn(parent, app().stampantePdf, kind, data);
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
