#include "app/builtinpapers.h"
#include "app/ui/paperwindows.h"
#include "data/database.h"
#include "workdir.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Discovery and runs happen outside ctest's environment too.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    BuiltinPapers::install();
    PaperWindows::install();
    TestWorkDir::skipAllWithoutServer();
    const int result = RUN_ALL_TESTS();
    Database::close();
    TestWorkDir::dropServerDatabases();
    return result;
}
