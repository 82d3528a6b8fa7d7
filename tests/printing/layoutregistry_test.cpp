#include "data/database.h"
#include "printing/layoutregistry.h"
#include "printing/pagefurniture.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "workdir.h"

#include <gtest/gtest.h>

namespace {

struct Dati {
    int pagine = 1;
};

void registerProva()
{
    LayoutRegistry::add(QStringLiteral("ProvaRegistro"),
                        {[](const std::any& data, const LayoutContext& ctx) {
                             const Dati& d = std::any_cast<const Dati&>(data);
                             std::vector<Page> pages;
                             for (int i = 0; i < d.pagine; ++i)
                                 pages.push_back(PageFurniture::headedPage(ctx));
                             return pages;
                         },
                         true, true});
}

} // namespace

TEST(LayoutRegistry, UnknownKindOrForeignDataDrawsNothing)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    registerProva();
    EXPECT_TRUE(LayoutRegistry::compose(QStringLiteral("Sconosciuto"), std::any(Dati{}), nullptr).empty());
    EXPECT_TRUE(LayoutRegistry::compose(QStringLiteral("ProvaRegistro"), std::any(QString()), nullptr).empty());
    EXPECT_EQ(LayoutRegistry::compose(QStringLiteral("ProvaRegistro"), std::any(Dati{3}), nullptr).size(), 3u);
    EXPECT_TRUE(LayoutRegistry::kinds().contains(QStringLiteral("Anagrafica")));
}

TEST(LayoutRegistry, PrintsAtFullSizeWithTheMarginOnlyForKindsThatUseIt)
{
    TestWorkDir dir;
    registerProva();
    app().margineLaterale = 7.5f;
    const PageView withMargin = LayoutRegistry::printView(QStringLiteral("ProvaRegistro"));
    EXPECT_EQ(withMargin.zoom, 1.0f);
    EXPECT_EQ(withMargin.margine, 7.5f);
    EXPECT_EQ(withMargin.scorrimento, 0.0f);
    EXPECT_FALSE(withMargin.preview);
    EXPECT_EQ(LayoutRegistry::printView(QStringLiteral("Anagrafica")).margine, 0.0f);
}

TEST(LayoutRegistry, HeadedPagesCarryTheHeaderRecordInUse)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    registerProva();
    // A record without Riga1 is not the one in use.
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1, Riga2) VALUES (NULL, 'Vecchia')")));
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("FERRO BATTUTO"), QStringLiteral("Lavorazioni"), QString(),
                                     QString(), QString()}));
    app().logoColori = true;
    const auto pages = LayoutRegistry::compose(QStringLiteral("ProvaRegistro"), std::any(Dati{}), nullptr);
    ASSERT_EQ(pages.size(), 1u);
    const DrawItem* riga1 = pages[0].findText(QStringLiteral("FERRO BATTUTO"));
    ASSERT_NE(riga1, nullptr);
    EXPECT_EQ(riga1->x, 45);
    EXPECT_EQ(riga1->y, 10);
    EXPECT_EQ(riga1->font, (PrintFont{QStringLiteral("Arial Black"), 11, false}));
    const DrawItem* riga2 = pages[0].findText(QStringLiteral("Lavorazioni"));
    ASSERT_NE(riga2, nullptr);
    EXPECT_EQ(riga2->x, 51);
    EXPECT_EQ(riga2->y, 16);
    EXPECT_EQ(riga2->font, (PrintFont{QStringLiteral("Arial"), 16, false}));
    EXPECT_EQ(riga2->colour, QColor(Qt::red));
    EXPECT_EQ(pages[0].findText(QStringLiteral("Vecchia")), nullptr);
    EXPECT_TRUE(dlg.messages.empty());
}
