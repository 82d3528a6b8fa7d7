#include "printing/printsources.h"

#include "printing/printingstore.h"
#include "resources/shippedpictures.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"

namespace {

void showDbError(QWidget* parent, const DbError& error)
{
    dialogs().message(parent, error.text, error.title(), Dialogs::Icon::Critical);
}

} // namespace

namespace PrintSources {

LayoutContext context(QWidget* parent)
{
    LayoutContext ctx;
    ctx.parent = parent;
    ctx.logoColori = app().logoColori;
    ctx.logo = logo(ctx.logoColori);
    const auto lines = PrintingStore::intestazione();
    if (!lines)
        showDbError(parent, lines.error());
    else
        ctx.intestazione = lines.value();
    return ctx;
}

QImage logo(bool colori)
{
    const QImage image(app().path(colori ? QStringLiteral("Img/Logo.bmp") : QStringLiteral("Img/LogoBN.bmp")));
    return image.isNull() ? ShippedPictures::logo(colori) : image;
}

bool caricaCliente(QWidget* parent, qint64 id, CustomerFields& fields)
{
    if (id == 0) {
        fields = CustomerFields();
        return true;
    }
    const auto found = PrintingStore::cliente(id);
    if (!found) {
        showDbError(parent, found.error());
        return false;
    }
    if (!found.value()) {
        dialogs().message(parent, QStringLiteral("Cliente %1 non trovato").arg(id), QStringLiteral("Errore"),
                          Dialogs::Icon::None);
        return false;
    }
    fields = *found.value();
    return true;
}

} // namespace PrintSources
