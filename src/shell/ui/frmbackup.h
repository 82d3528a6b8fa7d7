#pragma once

#include "shell/backuprun.h"

#include <QDialog>

class QProgressBar;
class QTimer;

// The backup in progress: copies the three files once shown, with the progress, and closes itself.
class FrmBackup : public QDialog {
    Q_OBJECT
public:
    explicit FrmBackup(QWidget* parent = nullptr, const QString& folder = QString(),
                       Backup::Copier copier = Backup::copyStep);

    QProgressBar* PBar1() const { return m_pbar; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Timer1_Timer();

    BackupRun m_run;
    QProgressBar* m_pbar = nullptr;
    QTimer* m_timer = nullptr;
    bool m_started = false;
};
