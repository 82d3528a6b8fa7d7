#include "workdir.h"

#include "data/database.h"
#include "shell/appstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TestWorkDir::TestWorkDir(bool openDatabase)
{
    app() = AppState();
    app().workDir = m_dir.path();
    if (openDatabase) {
        const auto err = Database::create(app().path(Database::kRelativePath));
        EXPECT_FALSE(err.has_value()) << (err ? err->text.toStdString() : std::string());
    }
}

TestWorkDir::~TestWorkDir()
{
    Database::close();
}

QString TestWorkDir::path(const QString& relative) const
{
    return relative.isEmpty() ? m_dir.path() : QDir(m_dir.path()).filePath(relative);
}

void TestWorkDir::write(const QString& relative, const QByteArray& content) const
{
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    QFile f(path(relative));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray TestWorkDir::read(const QString& relative) const
{
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
