#include "ddt/ui/ddtregisterprint.h"

#include "ddt/ddtstore.h"
#include "ddt/ui/ddtregistermodel.h"
#include "printing/ui/registerprint.h"

namespace DdtRegisterPrint {

std::optional<RegisterTable> ddt(int anno, qint64 idCliente, QString& error)
{
    auto rows = DdtStore::registro(anno, idCliente);
    if (!rows) {
        error = RegisterPrint::errorText(rows.error());
        return std::nullopt;
    }
    RegisterTable t = RegisterPrint::fromModel<DdtRegisterModel>(std::move(rows.value()));
    if (!RegisterPrint::nameCustomer(
            idCliente, [=] { return DdtStore::customerName(idCliente); }, t, error))
        return std::nullopt;
    t.titolo = QStringLiteral("REGISTRO DDT %1").arg(anno);
    t.nome = QStringLiteral("DDT_%1").arg(anno);
    return t;
}

void registerPdfKind()
{
    PdfCommand::addListKind(QStringLiteral("registro-ddt"), [](int anno, qint64 id, QString& error) {
        return RegisterPrint::paper(ddt(anno, id, error));
    });
}

} // namespace DdtRegisterPrint
