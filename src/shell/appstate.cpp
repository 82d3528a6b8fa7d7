#include "shell/appstate.h"

#include <QDir>

QString AppState::path(const QString& relative) const
{
    return QDir(workDir).filePath(relative);
}

AppState& app()
{
    static AppState state;
    return state;
}
