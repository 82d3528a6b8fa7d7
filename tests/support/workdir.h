#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh working folder for one test: app() points at it, the settings are reset,
// and the database "Dati/Corvalisto.mdb" is open in it when asked for.
class TestWorkDir {
public:
    explicit TestWorkDir(bool openDatabase = true);
    ~TestWorkDir();

    QString path(const QString& relative = QString()) const;
    void write(const QString& relative, const QByteArray& content) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};
