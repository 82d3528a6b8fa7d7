#include "printing/customersheet.h"

#include "printing/pagefurniture.h"

namespace {

constexpr double kStart = 1;
constexpr double kLabelX = 10;
constexpr double kValueX = 40;

} // namespace

namespace CustomerSheet {

std::vector<Page> layout(const CustomerSheetData& d)
{
    Page page;
    PageFurniture::start(page);
    double y = kStart + 5;
    page.text(0, y, QStringLiteral("DATI ANAGRAFICA"), PrintFont{QStringLiteral("Arial"), 12, true});
    y += 10;

    const PrintFont label{QStringLiteral("Arial"), 10, true};
    const PrintFont value{QStringLiteral("Arial"), 10, false};
    const QString indirizzo = d.ind + QStringLiteral("   ") + d.cap + QStringLiteral("  ") + d.citta +
                              QStringLiteral(" (") + d.prov + QStringLiteral(")");
    const struct {
        const char* label;
        QString value;
        double step;
    } rows[] = {
        {"Codice", d.cod, 8},       {"Nominativo", d.nome, 5},   {"Ragione Sociale", d.rag, 8},
        {"Partita IVA", d.piva, 5}, {"Codice Fiscale", d.cf, 8}, {"Indirizzo", indirizzo, 0},
    };
    for (const auto& row : rows) {
        page.text(kLabelX, y, QString::fromUtf8(row.label), label);
        page.text(kValueX, y, row.value, value);
        y += row.step;
    }
    return {page};
}

} // namespace CustomerSheet
