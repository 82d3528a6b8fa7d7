#include "invoices/companybankproposal.h"
#include "qstringprint.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The company's bank proposed from the electronic invoice's IBAN: only an Italian IBAN that holds
// gives its ABI, CAB and account.
TEST(CompanyBankProposal, AnItalianIbanGivesAbiCabAndAccount)
{
    const struct {
        QString iban;
        QString expected; // abi|cab|conto|banca
    } cases[] = {
        {u"it60 x054 2811 1010 0000 0123 456"_s, u"05428|11101|000000123456|Banca di Forlì"_s},
        {u"IT60X0542811101000000123456"_s, u"05428|11101|000000123456|Banca di Forlì"_s},
        // One check digit wrong, one character short, another country: nothing but the name.
        {u"IT61X0542811101000000123456"_s, u"|||Banca di Forlì"_s},
        {u"IT60X054281110100000012345"_s, u"|||Banca di Forlì"_s},
        {u"DE89370400440532013000"_s, u"|||Banca di Forlì"_s},
        {QString(), u"|||Banca di Forlì"_s},
    };
    for (const auto& c : cases) {
        const CompanyBank b = CompanyBankProposal::daIban(c.iban, u" Banca di Forlì "_s);
        EXPECT_EQ(QStringList({b.abi, b.cab, b.conto, b.banca}).join(u'|'), c.expected) << c.iban.toStdString();
        EXPECT_EQ(b.sia, QString());
    }
}
