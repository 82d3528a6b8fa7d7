#include "printing/customersheet.h"
#include "printing/layoutregistry.h"

#include <gtest/gtest.h>

namespace {

CustomerSheetData sample()
{
    CustomerSheetData d;
    d.cod = QStringLiteral("0012");
    d.nome = QStringLiteral("ROSSI");
    d.rag = QStringLiteral("Rossi Mario S.r.l.");
    d.piva = QStringLiteral("01234567890");
    d.cf = QStringLiteral("RSSMRA70A01H501U");
    d.ind = QStringLiteral("Via Roma 1");
    d.cap = QStringLiteral("20100");
    d.citta = QStringLiteral("Milano");
    d.prov = QStringLiteral("MI");
    return d;
}

const DrawItem& textAt(const Page& page, double x, double y)
{
    for (const DrawItem& item : page.items())
        if (item.kind == DrawItem::Kind::Text && item.x == x && item.y == y)
            return item;
    static DrawItem none;
    ADD_FAILURE() << "no text at " << x << "," << y;
    return none;
}

} // namespace

TEST(CustomerSheet, OnePageHeadedDatiAnagrafica)
{
    const auto pages = CustomerSheet::layout(sample());
    ASSERT_EQ(pages.size(), 1u);
    const DrawItem* title = pages[0].findText(QStringLiteral("DATI ANAGRAFICA"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 0);
    EXPECT_EQ(title->y, 6);
    EXPECT_EQ(title->font, (PrintFont{QStringLiteral("Arial"), 12, true}));
    // Only texts: no logo, no company header, no lines.
    for (const DrawItem& item : pages[0].items())
        EXPECT_EQ(item.kind, DrawItem::Kind::Text);
}

TEST(CustomerSheet, SixRowsWithBoldLabelsAndPlainValuesAtTheirSteps)
{
    const Page page = CustomerSheet::layout(sample())[0];
    const struct {
        double y;
        const char* label;
        QString value;
    } rows[] = {
        {16, "Codice", QStringLiteral("0012")},
        {24, "Nominativo", QStringLiteral("ROSSI")},
        {29, "Ragione Sociale", QStringLiteral("Rossi Mario S.r.l.")},
        {37, "Partita IVA", QStringLiteral("01234567890")},
        {42, "Codice Fiscale", QStringLiteral("RSSMRA70A01H501U")},
        {50, "Indirizzo", QStringLiteral("Via Roma 1   20100  Milano (MI)")},
    };
    for (const auto& row : rows) {
        const DrawItem& label = textAt(page, 10, row.y);
        EXPECT_EQ(label.text, QString::fromUtf8(row.label));
        EXPECT_EQ(label.font, (PrintFont{QStringLiteral("Arial"), 10, true}));
        const DrawItem& value = textAt(page, 40, row.y);
        EXPECT_EQ(value.text, row.value);
        EXPECT_EQ(value.font, (PrintFont{QStringLiteral("Arial"), 10, false}));
        EXPECT_EQ(value.colour, QColor(Qt::black));
    }
    EXPECT_EQ(page.items().size(), 13u);
}

TEST(CustomerSheet, EmptyBoxesLeaveOnlyTheAddressSeparators)
{
    const Page page = CustomerSheet::layout(CustomerSheetData())[0];
    EXPECT_EQ(textAt(page, 40, 50).text, QStringLiteral("      ()"));
    EXPECT_EQ(textAt(page, 40, 16).text, QString());
}

TEST(CustomerSheet, RegisteredAsAnagraficaPrintedWithoutMargin)
{
    const auto* entry = LayoutRegistry::find(QStringLiteral("Anagrafica"));
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->appliesMargin);
    const auto pages = LayoutRegistry::compose(QStringLiteral("Anagrafica"), std::any(sample()), nullptr);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].findText(QStringLiteral("ROSSI")), nullptr);
}
