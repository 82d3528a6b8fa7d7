#include "printing/printers.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QPrinterInfo>
#include <gtest/gtest.h>

namespace {

struct PrinterEnv {
    TestWorkDir dir{false};
    ScriptedDialogs dlg;
    PrinterEnv()
    {
        app().stampantePdf = QStringLiteral("CutePDF Writer");
        Printers::reset();
    }
    ~PrinterEnv() { Printers::reset(); }
};

} // namespace

TEST(Printers, OurPdfPrinterFollowsTheSystemPrinters)
{
    PrinterEnv env;
    const QStringList system = QPrinterInfo::availablePrinterNames();
    const QStringList all = Printers::installed();
    EXPECT_EQ(all.mid(0, system.size()), system);
    EXPECT_EQ(all.count(QStringLiteral("CutePDF Writer")), 1);
    EXPECT_EQ(all.last(), system.contains(QStringLiteral("CutePDF Writer")) ? system.last() : QStringLiteral("CutePDF Writer"));
}

TEST(Printers, ExactNameBecomesCurrent)
{
    PrinterEnv env;
    EXPECT_TRUE(Printers::impostaStampante(nullptr, QStringLiteral("CutePDF Writer")));
    EXPECT_EQ(Printers::current(), QStringLiteral("CutePDF Writer"));
    EXPECT_TRUE(Printers::currentIsPdf());
    EXPECT_TRUE(env.dlg.messages.empty());
}

TEST(Printers, NameOfAnotherCaseIsUnknownAndTheCurrentPrinterStays)
{
    PrinterEnv env;
    ASSERT_TRUE(Printers::impostaStampante(nullptr, QStringLiteral("CutePDF Writer")));
    EXPECT_FALSE(Printers::impostaStampante(nullptr, QStringLiteral("cutepdf writer")));
    ASSERT_EQ(env.dlg.messages.size(), 1u);
    EXPECT_EQ(env.dlg.messages[0].text, QStringLiteral("La stampante 'CUTEPDF WRITER' non esiste"));
    EXPECT_EQ(env.dlg.messages[0].title, QStringLiteral("Errore"));
    EXPECT_EQ(env.dlg.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(env.dlg.messages[0].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(Printers::current(), QStringLiteral("CutePDF Writer"));
}

TEST(Printers, EmptyNameIsReportedBetweenEmptyApostrophes)
{
    PrinterEnv env;
    EXPECT_FALSE(Printers::impostaStampante(nullptr, QString()));
    EXPECT_EQ(env.dlg.lastText(), QStringLiteral("La stampante '' non esiste"));
}

TEST(Printers, WithoutAChoiceTheSystemDefaultOrOursIsCurrent)
{
    PrinterEnv env;
    const QString system = QPrinterInfo::defaultPrinterName();
    EXPECT_EQ(Printers::current(), system.isEmpty() ? QStringLiteral("CutePDF Writer") : system);
}
