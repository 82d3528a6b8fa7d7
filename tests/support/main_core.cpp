#include "data/database.h"
#include "workdir.h"

#include <QGuiApplication>
#include <gtest/gtest.h>
#include <iostream>

namespace {

// On the server run without a server every test is skipped, saying so.
class NoServer : public ::testing::Environment {
public:
    void SetUp() override { GTEST_SKIP() << "PostgreSQL non disponibile: test sul server saltati"; }
};

bool serverReachable()
{
    const QString url = TestWorkDir::serverUrl();
    if (url.isEmpty())
        return false;
    const DbStatus err = Database::openServer(url);
    Database::close();
    return !err || err->number != Database::Unreachable;
}

} // namespace

int main(int argc, char** argv)
{
    // Discovery and runs happen outside ctest's environment too.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qapp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (TestWorkDir::onServer() && !serverReachable()) {
        std::cout << "PostgreSQL non disponibile (CORVALISTO_TEST_PG): test sul server saltati" << std::endl;
        ::testing::AddGlobalTestEnvironment(new NoServer);
    }
    const int result = RUN_ALL_TESTS();
    Database::close();
    TestWorkDir::dropServerDatabases();
    return result;
}
