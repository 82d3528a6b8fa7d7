#include "data/database.h"
#include "shell/companystore.h"
#include "shell/demodata.h"
#include "workdir.h"

#include <gtest/gtest.h>

namespace {

int count(const char* table)
{
    return Database::scalar(QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(table)).value().toInt();
}

TEST(DemoData, FillsAFreshFolderOnce)
{
    TestWorkDir dir;
    ASSERT_FALSE(DemoData::fill());
    EXPECT_FALSE(CompanyStore::load().value().value(0).isEmpty());
    EXPECT_GE(count("Anagrafica"), 15);
    EXPECT_EQ(count("Categorie"), 5);
    EXPECT_GE(count("Magazzino"), 30);
    EXPECT_GE(count("Fatture"), 10);
    EXPECT_GE(count("ContFatt"), count("Fatture"));
    // The folder now holds data: a second fill is refused by the command line.
    EXPECT_FALSE(DemoData::folderIsEmpty(dir.path()));
}

TEST(DemoData, AFailureLeavesNothingBehind)
{
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE Magazzino")));
    EXPECT_TRUE(DemoData::fill());
    EXPECT_EQ(count("Anagrafica"), 0);
    EXPECT_EQ(count("Azienda"), 0);
}

} // namespace
