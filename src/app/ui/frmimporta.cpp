#include "app/ui/frmimporta.h"

#include "app/accessimport.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"
#include "shell/ui/windowbehaviour.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>

FrmImporta::FrmImporta(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmImporta"));
    setWindowTitle(QStringLiteral("Importa archivio precedente"));
    resize(640, 560);

    auto* grid = new QGridLayout(this);
    auto* fileLabel = new QLabel(QStringLiteral("&File:"), this);
    fileLabel->setObjectName(QStringLiteral("LblFile"));
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("TxtFile"));
    m_file->setReadOnly(true);
    fileLabel->setBuddy(m_file);
    WindowBehaviour::setAccessible(m_file, QStringLiteral("File"));
    m_scegli = WindowBehaviour::button(this, QStringLiteral("BtnScegli"), QStringLiteral("&Scegli..."));
    grid->addWidget(fileLabel, 0, 0);
    grid->addWidget(m_file, 0, 1, 1, 2);
    grid->addWidget(m_scegli, 0, 3);

    const QStringList tables = AccessImport::tableNames();
    for (int i = 0; i < tables.size(); ++i) {
        auto* name = new QLabel(tables[i], this);
        name->setObjectName(QStringLiteral("LblTabella%1").arg(i));
        auto* bar = new QProgressBar(this);
        bar->setObjectName(QStringLiteral("PBar%1").arg(i));
        bar->setRange(0, 1);
        bar->setValue(0);
        WindowBehaviour::setAccessible(bar, tables[i]);
        auto* count = new QLabel(this);
        count->setObjectName(QStringLiteral("LblRighe%1").arg(i));
        WindowBehaviour::setAccessible(count, QStringLiteral("Righe di ") + tables[i]);
        grid->addWidget(name, i + 1, 0);
        grid->addWidget(bar, i + 1, 1, 1, 2);
        grid->addWidget(count, i + 1, 3);
        m_bars << bar;
        m_counts << count;
    }
    const int below = int(tables.size()) + 1;
    auto* reportLabel = new QLabel(QStringLiteral("&Resoconto:"), this);
    reportLabel->setObjectName(QStringLiteral("LblResoconto"));
    m_report = new QPlainTextEdit(this);
    m_report->setObjectName(QStringLiteral("TxtResoconto"));
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    reportLabel->setBuddy(m_report);
    WindowBehaviour::setAccessible(m_report, QStringLiteral("Resoconto"));
    grid->addWidget(reportLabel, below, 0, 1, 4);
    grid->addWidget(m_report, below + 1, 0, 1, 4);
    grid->setRowStretch(below + 1, 1);

    m_importa = WindowBehaviour::button(this, QStringLiteral("BtnImporta"), QStringLiteral("&Importa"));
    m_salva = WindowBehaviour::button(this, QStringLiteral("BtnSalva"), QStringLiteral("S&alva resoconto..."));
    m_chiudi = WindowBehaviour::button(this, QStringLiteral("BtnChiudi"), QStringLiteral("&Chiudi"));
    m_importa->setEnabled(false);
    m_salva->setEnabled(false);
    grid->addWidget(m_importa, below + 2, 1);
    grid->addWidget(m_salva, below + 2, 2);
    grid->addWidget(m_chiudi, below + 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    connect(m_scegli, &QPushButton::clicked, this, &FrmImporta::BtnScegli_Click);
    connect(m_importa, &QPushButton::clicked, this, &FrmImporta::BtnImporta_Click);
    connect(m_salva, &QPushButton::clicked, this, &FrmImporta::BtnSalva_Click);
    connect(m_chiudi, &QPushButton::clicked, this, &QDialog::accept);
    WindowBehaviour::centreOnly(this);
}

void FrmImporta::BtnScegli_Click()
{
    const QString file = dialogs().openFileName(this, QStringLiteral("Archivio del programma precedente"),
                                                app().workDir, QStringLiteral("Database Access (*.mdb);;Tutti i file (*)"));
    if (file.isEmpty())
        return;
    m_file->setText(QFileInfo(file).absoluteFilePath());
    m_importa->setEnabled(true);
}

void FrmImporta::showProgress(int index, long long done, long long total)
{
    QProgressBar* bar = m_bars.value(index);
    if (!bar)
        return;
    // An empty table is done at once.
    bar->setRange(0, total > 0 ? int(total) : 1);
    bar->setValue(total > 0 ? int(done) : 1);
    m_counts[index]->setText(QStringLiteral("%1 di %2").arg(done).arg(total));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FrmImporta::BtnImporta_Click()
{
    const QString file = m_file->text();
    if (dialogs().message(this,
                          QStringLiteral("Importare nel database l'archivio \"%1\"?\nSi può fare una sola volta, su "
                                         "un database ancora vuoto.")
                              .arg(file),
                          QString(), Dialogs::Icon::Question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    for (int i = 0; i < m_bars.size(); ++i) {
        m_bars[i]->setRange(0, 1);
        m_bars[i]->setValue(0);
        m_counts[i]->clear();
    }
    setCursor(Qt::WaitCursor);
    const AccessImport::Outcome out = AccessImport::run(
        file, [this](int index, const QString&, long long done, long long total) { showProgress(index, done, total); });
    unsetCursor();
    m_report->setPlainText(AccessImport::reportText(out));
    m_salva->setEnabled(true);
    if (!out.ok) {
        dialogs().message(this, out.message, QStringLiteral("ATTENZIONE"), Dialogs::Icon::Exclamation);
        return;
    }
    // The database holds data now: a second import would be refused.
    m_importa->setEnabled(false);
    m_scegli->setEnabled(false);
    dialogs().message(this, QStringLiteral("Archivio importato con successo"), QString(), Dialogs::Icon::Information);
}

void FrmImporta::BtnSalva_Click()
{
    const QString target = dialogs().saveFileName(this, QStringLiteral("Salva resoconto"),
                                                  app().path(QStringLiteral("Importazione.txt")),
                                                  QStringLiteral("Testo (*.txt)"));
    if (target.isEmpty())
        return;
    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text) || f.write(m_report->toPlainText().toUtf8()) < 0 ||
        !f.commit()) {
        dialogs().message(this, QStringLiteral("Impossibile scrivere il file \"%1\": %2").arg(target, f.errorString()),
                          QStringLiteral("Errore"), Dialogs::Icon::Critical);
        return;
    }
    dialogs().message(this, QStringLiteral("Resoconto salvato con successo"), QString(), Dialogs::Icon::Information);
}
