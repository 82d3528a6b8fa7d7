#include "registry/registryrules.h"

#include <gtest/gtest.h>

using namespace RegistryRules;
using namespace Qt::StringLiterals;

// Name and company fallbacks are checked through the editor, where they are stored.
TEST(RegistryRules, ButtonsCountsAndCodes)
{
    // Every letter reachable from exactly one button.
    EXPECT_EQ(initialButtons().size(), 18);
    EXPECT_EQ(initialButtons().join(QString()), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s);
    EXPECT_EQ(countText(0) + countText(1) + countText(27) + countText(20000),
              u"0 clienti1 cliente27 clienti20000 clienti"_s);
    EXPECT_EQ(codeText(1) + u'|' + codeText(13) + u'|' + codeText(32768), u"0001|0013|32768"_s);
}
