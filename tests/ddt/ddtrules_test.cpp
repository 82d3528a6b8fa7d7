#include "data/runtimeerrors.h"
#include "ddt/ddtrules.h"
#include "papers/paperseries.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DdtRules, ParcelsAreReadAsAWholeNumber)
{
    // typed -> shown
    const std::pair<const char*, const char*> cases[] = {
        {"3 pz", "3"}, {"0", ""},    {"", ""},       {"abc", ""},        {"2.5", "2"},
        {"3.5", "4"},  {"2,7", "2"}, {" 12 ", "12"}, {"32767", "32767"}, {"-32768", "-32768"}};
    for (const auto& [typed, shown] : cases) {
        const auto colli = DdtRules::leggiColli(QString::fromLatin1(typed));
        EXPECT_EQ(colli.testo + u'|' + QString::number(colli.errore), QString::fromLatin1(shown) + u"|0"_s) << typed;
    }
    for (const char* typed : {"32768", "99999999999999999999999"}) {
        const auto colli = DdtRules::leggiColli(QString::fromLatin1(typed));
        EXPECT_EQ(colli.testo + u'|' + QString::number(colli.errore), u"|%1"_s.arg(RuntimeErrors::Overflow)) << typed;
    }
}

TEST(DdtRules, HourAndMinuteSteps)
{
    using DdtRules::minutiGiu, DdtRules::minutiSu, DdtRules::oreGiu, DdtRules::oreSu;
    // Text that is not a number counts as an empty box.
    const std::tuple<QString (*)(const QString&), const char*, const char*> cases[] = {
        {oreSu, "", "1"},       {oreSu, "23", "0"},     {oreGiu, "0", "23"},   {oreGiu, "12", "11"},
        {minutiSu, "58", "59"}, {minutiSu, "59", "00"}, {minutiGiu, "", "59"}, {minutiGiu, "10", "09"},
        {oreGiu, "x", "23"},    {minutiSu, "?", "01"}};
    for (const auto& [step, before, after] : cases)
        EXPECT_EQ(step(QString::fromLatin1(before)), QString::fromLatin1(after)) << before;
}

TEST(DdtRules, PickUpTimeAndTransport)
{
    EXPECT_EQ(DdtRules::oraRitiro(u"9"_s, u"05"_s) + DdtRules::oraRitiro(u"23"_s, u"59"_s), u"09:0523:59"_s);
    for (const auto& [h, m] : {std::pair{u""_s, u"05"_s}, {u"9"_s, u""_s}, {u"24"_s, u"00"_s}, {u"a"_s, u"1"_s}})
        EXPECT_EQ(DdtRules::oraRitiro(h, m), QString()) << h.toStdString() << ":" << m.toStdString();
    EXPECT_EQ(DdtRules::oreMinuti(u"09:05"_s), std::pair(u"9"_s, u"05"_s));
    EXPECT_EQ(DdtRules::oreMinuti(QString()), std::pair(QString(), QString()));

    for (int option : {-1, 0, 1})
        EXPECT_EQ(DdtRules::opzioneMezzo(DdtRules::mezzo(option)), option);
    EXPECT_EQ(DdtRules::mezzo(0) + DdtRules::mezzo(1), u"cedces"_s);
    EXPECT_EQ(DdtRules::opzioneMezzo(u"xyz"_s), -1);

    EXPECT_FALSE(DdtRules::erroreNumero(u"12/26"_s));
    EXPECT_TRUE(DdtRules::erroreNumero(u"012/26"_s).value_or(QString()).contains(u"Numero DDT '012/26'"_s));
}

TEST(DdtRules, BrowsingSkipsMissingNumbersAndStaysWithinTheYear)
{
    // command, from -> to among 2, 3, 5, 6 of 6; number 1 missing: previous from the first present one
    // stays where it is
    const std::tuple<int, long long, std::optional<long long>> cases[] = {
        {0, 5, 1}, {3, 2, 6}, {1, 5, 3}, {2, 3, 5}, {1, 2, std::nullopt}, {2, 6, std::nullopt}};
    for (const auto& [comando, from, to] : cases)
        EXPECT_EQ(PaperSeries::posizioneDopo(comando, from, 6, {2, 3, 5, 6}), to) << comando << " " << from;
}
