#pragma once

#include "scripteddialogs.h"
#include "workdir.h"

#include <gtest/gtest.h>

// A working folder with its database and the scripted dialog layer, where most window tests start.
class WindowTest : public ::testing::Test {
protected:
    TestWorkDir dir;
    ScriptedDialogs dlg;
};
