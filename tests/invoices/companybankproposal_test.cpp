#include "invoices/companybankproposal.h"
#include "qstringprint.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The company's bank proposed from the electronic invoice's IBAN: only an Italian IBAN that holds
// gives its ABI, CAB and account.
TEST(CompanyBankProposal, AnItalianIbanGivesAbiCabAndAccount)
{
    // Typed with spaces or not; one check digit wrong, one character short, another country,
    // none: nothing but the name.
    const QString ok = u"05428|11101|000000123456|Banca di Forlì"_s, none = u"|||Banca di Forlì"_s;
    const std::pair<QString, QString> cases[] = {
        {u"it60 x054 2811 1010 0000 0123 456"_s, ok}, {u"IT60X0542811101000000123456"_s, ok},
        {u"IT61X0542811101000000123456"_s, none},     {u"IT60X054281110100000012345"_s, none},
        {u"DE89370400440532013000"_s, none},          {QString(), none},
    };
    for (const auto& [iban, expected] : cases) {
        const CompanyBank b = CompanyBankProposal::daIban(iban, u" Banca di Forlì "_s);
        EXPECT_EQ(QStringList({b.abi, b.cab, b.conto, b.banca, b.sia}).join(u'|'), expected + u'|')
            << iban.toStdString();
    }
}
