#include "app/demodata.h"
#include "data/database.h"
#include "workdir.h"

#include <gtest/gtest.h>

namespace {

int count(const char* from)
{
    return Database::scalar(QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(from)).value().toInt();
}

} // namespace

TEST(DemoData, FillsAFreshFolderWhollyOrNotAtAll)
{
    {
        TestWorkDir dir;
        // Only a folder without a database or settings may be filled (the server's database
        // is not in the folder).
        EXPECT_TRUE(DemoData::folderIsEmpty(dir.path(QStringLiteral("nuova"))));
        EXPECT_EQ(DemoData::folderIsEmpty(dir.path()), TestWorkDir::onServer());
        ASSERT_FALSE(DemoData::fill());
        // Every row hangs on a stored parent, so each window opens the data it lists.
        EXPECT_EQ(count("ContFatt WHERE Num NOT IN (SELECT Num FROM Fatture)") +
                      count("Fatture WHERE IdAna NOT IN (SELECT Id FROM Anagrafica WHERE Valid = 1)") +
                      count("Magazzino WHERE Cat NOT IN (SELECT IdCat FROM Categorie WHERE Valid = 1)") +
                      count("NoteCredito WHERE Num NOT IN (SELECT Num FROM Fatture) OR NumFattura NOT IN "
                            "(SELECT Num FROM Fatture)"),
                  0);
        // A credit note in each of the two years.
        EXPECT_EQ(count("(SELECT DISTINCT substr(Num, length(Num) - 1) FROM NoteCredito) AS Anni"), 2);
    }
    // The last step failing takes the earlier ones back.
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE Magazzino")));
    EXPECT_TRUE(DemoData::fill());
    EXPECT_EQ(count("Anagrafica") + count("Azienda") + count("Fatture") + count("Categorie"), 0);
}
