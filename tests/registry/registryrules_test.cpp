#include "registry/registryrules.h"

#include <gtest/gtest.h>

TEST(RegistryRules, ButtonsCoverEveryLetterOnce) {
    const QStringList& captions = RegistryRules::initialButtons();
    ASSERT_EQ(captions.size(), 18);
    EXPECT_EQ(captions.at(4), QStringLiteral("EF"));
    EXPECT_EQ(captions.at(11), QStringLiteral("PQ"));
    EXPECT_EQ(captions.at(17), QStringLiteral("YZ"));
    EXPECT_EQ(captions.join(QString()), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
}

TEST(RegistryRules, CountAndCodeTexts) {
    EXPECT_EQ(RegistryRules::countText(0), QStringLiteral("0 clienti"));
    EXPECT_EQ(RegistryRules::countText(1), QStringLiteral("1 cliente"));
    EXPECT_EQ(RegistryRules::countText(27), QStringLiteral("27 clienti"));
    EXPECT_EQ(RegistryRules::countText(20000), QStringLiteral("20000 clienti"));
    EXPECT_EQ(RegistryRules::codeText(1), QStringLiteral("0001"));
    EXPECT_EQ(RegistryRules::codeText(13), QStringLiteral("0013"));
    EXPECT_EQ(RegistryRules::codeText(32768), QStringLiteral("32768"));
}

TEST(RegistryRules, NameAndCompanyFallBackOnEachOther) {
    EXPECT_EQ(RegistryRules::nameToStore(QStringLiteral("città srl"), QString()),
              QStringLiteral("CITTÀ SRL"));
    EXPECT_EQ(RegistryRules::nameToStore(QString(), QStringLiteral("Dell'Orto s.n.c.")),
              QStringLiteral("DELL'ORTO S.N.C."));
    EXPECT_EQ(RegistryRules::nameToStore(QStringLiteral("  rossi "), QStringLiteral("Bianchi")),
              QStringLiteral("ROSSI"));
    EXPECT_EQ(RegistryRules::nameToStore(QStringLiteral("   "), QStringLiteral("  ")), QString());
    EXPECT_EQ(RegistryRules::companyToStore(QString(), QStringLiteral("ROSSI")), QStringLiteral("ROSSI"));
    EXPECT_EQ(RegistryRules::companyToStore(QStringLiteral("Rossi S.r.l."), QStringLiteral("ROSSI")),
              QStringLiteral("Rossi S.r.l."));
}
