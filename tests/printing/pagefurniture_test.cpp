#include "data/database.h"
#include "printing/pagefurniture.h"
#include "printing/printsources.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QByteArray bmp(const QColor& colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

const DrawItem* picture(const Page& page)
{
    for (const DrawItem& item : page.items())
        if (item.kind == DrawItem::Kind::Picture)
            return &item;
    return nullptr;
}

} // namespace

TEST(PageFurniture, PageStartsWithArial10AndTheLogoAt5x8Of30mm)
{
    TestWorkDir dir(false);
    dir.write(QStringLiteral("Img/Logo.bmp"), bmp(Qt::red));
    dir.write(QStringLiteral("Img/LogoBN.bmp"), bmp(Qt::gray));
    LayoutContext ctx;
    ctx.logoColori = false;
    ctx.logo = PrintSources::logo(false);
    const Page page = PageFurniture::headedPage(ctx);
    EXPECT_EQ(page.font(), (PrintFont{QStringLiteral("Arial"), 10, false}));
    const DrawItem* logo = picture(page);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->x, 5);
    EXPECT_EQ(logo->y, 8);
    EXPECT_EQ(logo->x2, 35);
    EXPECT_EQ(logo->y2, 38);
    EXPECT_EQ(logo->picture.pixelColor(0, 0), QColor(Qt::gray));
    // Riga2 is black with the black-and-white logo.
    const DrawItem& riga2 = page.items().back();
    EXPECT_EQ(riga2.colour, QColor(Qt::black));
}

TEST(PageFurniture, ColourChoicePicksTheColourLogoAndAMissingFileFallsBackToTheShippedOne)
{
    TestWorkDir dir(false);
    dir.write(QStringLiteral("Img/Logo.bmp"), bmp(Qt::red));
    EXPECT_EQ(PrintSources::logo(true).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_FALSE(PrintSources::logo(false).isNull());
    EXPECT_GT(PrintSources::logo(false).width(), 8);
}

TEST(CaricaCliente, CopiesTheCustomerAndEmptiesForCodeZero)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Ragione2, Piva, Cf, Indirizzo, "
                                               "Cap, Città, Prov, Valid) VALUES ('BIANCHI', 'Bianchi Srl', NULL, "
                                               "'0123', 'BNC', 'Via Po 3', '10100', 'Torino', 'TO', 0)")));
    const qint64 id = Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong();
    CustomerFields f;
    f.ragione2 = QStringLiteral("resto");
    // A deleted customer still prints on its old papers.
    EXPECT_TRUE(PrintSources::caricaCliente(nullptr, id, f));
    EXPECT_EQ(f.ragione, QStringLiteral("Bianchi Srl"));
    EXPECT_EQ(f.ragione2, QString());
    EXPECT_EQ(f.piva, QStringLiteral("0123"));
    EXPECT_EQ(f.cf, QStringLiteral("BNC"));
    EXPECT_EQ(f.indirizzo, QStringLiteral("Via Po 3"));
    EXPECT_EQ(f.cap, QStringLiteral("10100"));
    EXPECT_EQ(f.citta, QStringLiteral("Torino"));
    EXPECT_EQ(f.prov, QStringLiteral("TO"));
    EXPECT_TRUE(PrintSources::caricaCliente(nullptr, 0, f));
    EXPECT_EQ(f.ragione, QString());
    EXPECT_EQ(f.citta, QString());
    EXPECT_TRUE(dlg.messages.empty());
}

TEST(CaricaCliente, UnknownCodeIsReportedAndKeepsThePreviousFields)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    CustomerFields f;
    f.ragione = QStringLiteral("Precedente");
    EXPECT_FALSE(PrintSources::caricaCliente(nullptr, 77, f));
    EXPECT_EQ(f.ragione, QStringLiteral("Precedente"));
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("Cliente 77 non trovato"));
    EXPECT_EQ(dlg.messages[0].title, QStringLiteral("Errore"));
    EXPECT_EQ(dlg.messages[0].buttons, Dialogs::Buttons::Ok);
}

TEST(CaricaIntestazione, NoHeaderRecordGivesFiveEmptyLines)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const LayoutContext ctx = PrintSources::context(nullptr);
    ASSERT_EQ(ctx.intestazione.size(), 5);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(ctx.riga(i), QString());
    EXPECT_TRUE(dlg.messages.empty());
}

TEST(CaricaIntestazione, NullLinesPrintEmpty)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1, Riga2, Riga3) VALUES ('UNO', NULL, 'TRE')")));
    const LayoutContext ctx = PrintSources::context(nullptr);
    EXPECT_EQ(ctx.riga(1), QStringLiteral("UNO"));
    EXPECT_EQ(ctx.riga(2), QString());
    EXPECT_EQ(ctx.riga(3), QStringLiteral("TRE"));
    EXPECT_EQ(ctx.riga(5), QString());
}
