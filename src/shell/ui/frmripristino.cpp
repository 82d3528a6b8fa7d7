#include "shell/ui/frmripristino.h"

#include "data/database.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/mediumprompt.h"
#include "shell/ui/windowbehaviour.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Ripristino");

QString entryText(const Restore::Copy& copy)
{
    const QString text = QStringLiteral("Copia giornaliera del ") + Formats::shortDate(copy.day);
    if (copy.problem)
        return text + QStringLiteral(" - non utilizzabile (%1)").arg(copy.problem->text);
    return text;
}

} // namespace

FrmRipristino::FrmRipristino(QWidget* parent) : QDialog(parent), m_copies(Restore::dailyCopies())
{
    setObjectName(QStringLiteral("FrmRipristino"));
    setWindowTitle(kTitle);
    resize(520, 320);

    auto* label = new QLabel(QStringLiteral("&Copia da ripristinare:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("LstCopie"));
    label->setBuddy(m_list);
    WindowBehaviour::setAccessible(m_list, QStringLiteral("Copia da ripristinare"));
    for (const Restore::Copy& copy : m_copies) {
        auto* item = new QListWidgetItem(entryText(copy), m_list);
        // Shown, so that the user knows it is there, but never chosen.
        if (copy.problem)
            item->setFlags(Qt::NoItemFlags);
    }
    new QListWidgetItem(QStringLiteral("Backup sul floppy (chiavetta)"), m_list);
    m_choice = new GridChoice(m_list);

    m_ripristina = WindowBehaviour::button(this, QStringLiteral("BtnRipristina"), QStringLiteral("&Ripristina"));
    QPushButton* annulla = WindowBehaviour::button(this, QStringLiteral("BtnAnnulla"), QStringLiteral("&Annulla"));
    connect(m_ripristina, &QPushButton::clicked, this, &FrmRipristino::BtnRipristina_Click);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    m_choice->doubleClickPresses(m_ripristina);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ripristina);
    buttons->addWidget(annulla);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    WindowBehaviour::centreOnly(this);
}

void FrmRipristino::BtnRipristina_Click()
{
    const int row = m_choice->row();
    if (row < 0 || !(m_list->item(row)->flags() & Qt::ItemIsEnabled)) {
        dialogs().message(this, QStringLiteral("Scegliere la copia da ripristinare."), kTitle,
                          Dialogs::Icon::Exclamation);
        return;
    }
    if (row == m_copies.size())
        restoreFromMedium();
    else
        confirmAndRestore(m_copies[row], QString());
}

void FrmRipristino::restoreFromMedium()
{
    bool earlier = false;
    const QString folder = MediumPrompt::ask(this, kTitle, &earlier);
    if (folder.isEmpty())
        return;
    if (!earlier) {
        dialogs().message(this, QStringLiteral("Sul floppy non c'è nessun BACKUP da ripristinare."), kTitle,
                          Dialogs::Icon::Exclamation);
        return;
    }
    const Restore::Copy copy = Restore::mediumCopy(folder);
    if (copy.problem) {
        dialogs().message(
            this,
            QStringLiteral("Il BACKUP sul floppy non è integro (%1): non viene ripristinato.").arg(copy.problem->text),
            kTitle, Dialogs::Icon::Critical);
        return;
    }
    confirmAndRestore(copy, folder);
}

void FrmRipristino::confirmAndRestore(const Restore::Copy& copy, const QString& settingsFolder)
{
    const QString question =
        Restore::question(copy, DataCounts::of(copy.path), DataCounts::of(app().path(Database::kRelativePath)));
    if (dialogs().message(this, question, kTitle, Dialogs::Icon::Question, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes)
        return;
    const bool settings =
        !settingsFolder.isEmpty() && Restore::hasSettings(settingsFolder) &&
        dialogs().message(this,
                          QStringLiteral("Ripristinare anche le impostazioni del BACKUP (Corvalisto.ini e "
                                         "Printer.ini)?"),
                          kTitle, Dialogs::Icon::Question, Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
    const Restore::Outcome r = Restore::restore(copy.path);
    if (!r.ok) {
        dialogs().message(this, r.message, kTitle, Dialogs::Icon::Critical);
        return;
    }
    if (settings)
        if (const Backup::Outcome failed = Restore::settingsFrom(settingsFolder))
            dialogs().message(
                this, QStringLiteral("Le impostazioni non sono state ripristinate: %1").arg(Backup::message(*failed)),
                kTitle, Dialogs::Icon::Exclamation);
    dialogs().message(this, Restore::restoredMessage(copy.day, r.kept), kTitle, Dialogs::Icon::Information);
    accept();
}
