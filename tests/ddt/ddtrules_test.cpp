#include "data/runtimeerrors.h"
#include "ddt/ddtrules.h"
#include "papers/paperseries.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DdtRules, ParcelsAreReadAsAWholeNumber)
{
    const struct {
        const char* typed;
        const char* shown;
        int errore;
    } cases[] = {
        {"3 pz", "3", 0},
        {"0", "", 0},
        {"", "", 0},
        {"abc", "", 0},
        {"2.5", "2", 0},
        {"3.5", "4", 0},
        {"2,7", "2", 0},
        {" 12 ", "12", 0},
        {"32767", "32767", 0},
        {"-32768", "-32768", 0},
        {"32768", "", RuntimeErrors::Overflow},
        {"99999999999999999999999", "", RuntimeErrors::Overflow},
    };
    for (const auto& c : cases) {
        const auto colli = DdtRules::leggiColli(QString::fromLatin1(c.typed));
        EXPECT_EQ(colli.testo, QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(colli.errore, c.errore) << c.typed;
    }
}

TEST(DdtRules, HourAndMinuteSteps)
{
    using Step = QString (*)(const QString&);
    const struct {
        Step step;
        const char* before;
        const char* after;
    } cases[] = {
        {DdtRules::oreSu, "", "1"},
        {DdtRules::oreSu, "23", "0"},
        {DdtRules::oreGiu, "0", "23"},
        {DdtRules::oreGiu, "12", "11"},
        {DdtRules::minutiSu, "58", "59"},
        {DdtRules::minutiSu, "59", "00"},
        {DdtRules::minutiGiu, "", "59"},
        {DdtRules::minutiGiu, "10", "09"},
        // Text that is not a number counts as an empty box.
        {DdtRules::oreGiu, "x", "23"},
        {DdtRules::minutiSu, "?", "01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.step(QString::fromLatin1(c.before)), QString::fromLatin1(c.after)) << c.before;
}

TEST(DdtRules, PickUpTimeAndTransport)
{
    EXPECT_EQ(DdtRules::oraRitiro(u"9"_s, u"05"_s), u"09:05"_s);
    EXPECT_EQ(DdtRules::oraRitiro(u"23"_s, u"59"_s), u"23:59"_s);
    for (const auto& [h, m] : {std::pair{u""_s, u"05"_s}, {u"9"_s, u""_s}, {u"24"_s, u"00"_s}, {u"a"_s, u"1"_s}})
        EXPECT_EQ(DdtRules::oraRitiro(h, m), QString()) << h.toStdString() << ":" << m.toStdString();
    EXPECT_EQ(DdtRules::oreMinuti(u"09:05"_s), std::pair(u"9"_s, u"05"_s));
    EXPECT_EQ(DdtRules::oreMinuti(QString()), std::pair(QString(), QString()));

    for (int option : {-1, 0, 1})
        EXPECT_EQ(DdtRules::opzioneMezzo(DdtRules::mezzo(option)), option);
    EXPECT_EQ(DdtRules::mezzo(0), u"ced"_s);
    EXPECT_EQ(DdtRules::mezzo(1), u"ces"_s);
    EXPECT_EQ(DdtRules::opzioneMezzo(u"xyz"_s), -1);

    EXPECT_FALSE(DdtRules::erroreNumero(u"12/26"_s));
    EXPECT_TRUE(DdtRules::erroreNumero(u"012/26"_s).value_or(QString()).contains(u"Numero DDT '012/26'"_s));
}

TEST(DdtRules, BrowsingSkipsMissingNumbersAndStaysWithinTheYear)
{
    const QList<long long> withGap{2, 3, 5, 6};
    const struct {
        int comando;
        long long from;
        std::optional<long long> to;
    } cases[] = {
        {0, 5, 1},
        {3, 2, 6},
        {1, 5, 3},
        {2, 3, 5},
        // Number 1 missing: previous from the first present one stays where it is.
        {1, 2, std::nullopt},
        {2, 6, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaperSeries::posizioneDopo(c.comando, c.from, 6, withGap), c.to) << c.comando << " " << c.from;
}
