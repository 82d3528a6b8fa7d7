#include "app/ui/paperwindows.h"

#include "ddt/ui/ddtregisterprint.h"
#include "ddt/ui/formddt.h"
#include "invoices/ui/frmfecliente.h"
#include "invoices/ui/frmsceltaddt.h"
#include "invoices/ui/invoiceregisterprint.h"
#include "registry/ui/frmana.h"
#include "shell/dialogs.h"

namespace PaperWindows {

void install()
{
    FormDdt::offerInvoicing(&FrmSceltaDdt::fatturaDdt);
    FrmAna::offerEInvoiceData([](QWidget* parent, qint64 id) {
        FrmFeCliente f(parent);
        if (f.Carica(id))
            dialogs().exec(&f);
    });
    InvoiceRegisterPrint::registerPdfKind();
    DdtRegisterPrint::registerPdfKind();
}

} // namespace PaperWindows
