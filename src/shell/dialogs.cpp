#include "shell/dialogs.h"

#include <cassert>

namespace {
Dialogs* g_dialogs = nullptr;
}

Dialogs& dialogs()
{
    assert(g_dialogs && "no dialog implementation installed");
    return *g_dialogs;
}

void setDialogs(Dialogs* impl)
{
    g_dialogs = impl;
}
