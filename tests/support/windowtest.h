#pragma once

#include "scripteddialogs.h"
#include "workdir.h"

#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

// A working folder with its database and the scripted dialog layer, where most window tests start.
class WindowTest : public ::testing::Test {
protected:
    TestWorkDir dir;
    ScriptedDialogs dlg;
};

// A window test on one window `frm`, its controls found by object name.
template <class Window> class OneWindowTest : public WindowTest {
protected:
    std::unique_ptr<Window> frm;

    template <typename T = QPushButton> T* get(const char* name)
    {
        auto* w = frm->template findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // A click on an enabled button.
    void click(const char* name)
    {
        auto* b = get(name);
        ASSERT_TRUE(b && b->isEnabled()) << name;
        b->click();
    }
};
