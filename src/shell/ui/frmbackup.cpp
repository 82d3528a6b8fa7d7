#include "shell/ui/frmbackup.h"

#include "shell/dialogs.h"
#include "shell/ui/windowbehaviour.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>

FrmBackup::FrmBackup(QWidget* parent, const QString& folder, Backup::Copier copier)
    : QDialog(parent), m_run(folder, std::move(copier))
{
    setObjectName(QStringLiteral("FrmBackup"));
    setWindowTitle(QString());
    resize(420, 130);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture2"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_DriveFDIcon).pixmap(48, 48));
    picture->setAccessibleName(QStringLiteral("Backup"));

    m_pbar = new QProgressBar(this);
    m_pbar->setObjectName(QStringLiteral("PBar1"));
    m_pbar->setRange(0, 100);
    m_pbar->setTextVisible(false);
    m_pbar->setAccessibleName(QStringLiteral("Avanzamento del backup"));
    auto* from = new QLabel(QStringLiteral("0"), this);
    from->setObjectName(QStringLiteral("Label1"));
    auto* to = new QLabel(QStringLiteral("100 %"), this);
    to->setObjectName(QStringLiteral("Label2"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 18, 18, 18);
    grid->addWidget(picture, 0, 0, 2, 1);
    grid->addWidget(m_pbar, 0, 1, 1, 2);
    grid->addWidget(from, 1, 1, Qt::AlignLeft);
    grid->addWidget(to, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &FrmBackup::Timer1_Timer);

    WindowBehaviour::centreOnly(this);
    m_pbar->setValue(0);
}

void FrmBackup::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Started once shown, so that the window is drawn before the copy holds the screen; a window
    // without a medium has nothing to copy to.
    if (!m_started && !m_run.folder().isEmpty()) {
        m_started = true;
        m_timer->start();
    }
}

void FrmBackup::Timer1_Timer()
{
    m_timer->stop();
    setWindowTitle(QStringLiteral("Backup in corso..."));
    while (!m_run.done()) {
        if (const Backup::Outcome failed = m_run.copyNext()) {
            // OK tries the same file again; Cancel keeps what is already on the medium.
            if (dialogs().message(this, Backup::message(*failed), QStringLiteral("Corvalisto"),
                                  Dialogs::Icon::Exclamation, Dialogs::Buttons::OkCancel) != Dialogs::Answer::Ok) {
                reject();
                return;
            }
            continue;
        }
        m_pbar->setValue(m_run.progress());
        m_pbar->repaint();
    }
    // Every file was flushed to the medium by its own step.
    dialogs().message(this, QStringLiteral("BACKUP eseguito con successo"), QString(), Dialogs::Icon::Exclamation);
    accept();
}
