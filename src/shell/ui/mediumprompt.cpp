#include "shell/ui/mediumprompt.h"

#include "shell/backup.h"
#include "shell/dialogs.h"
#include "shell/runtimeerrors.h"

namespace MediumPrompt {

QString ask(QWidget* parent, const QString& title, bool* earlierBackup)
{
    for (;;) {
        if (dialogs().message(parent, QStringLiteral("Inserire un FLOPPY nel drive A:"), title,
                              Dialogs::Icon::Information, Dialogs::Buttons::OkCancel) != Dialogs::Answer::Ok)
            return {};
        const QString folder = Backup::targetFolder();
        const Backup::Outcome failed = Backup::checkMedium(folder, earlierBackup);
        if (!failed)
            return folder;
        // No medium: ask for it again.
        if (failed->number != RuntimeErrors::BadFileName) {
            dialogs().message(parent, failed->text, RuntimeErrors::title(failed->number), Dialogs::Icon::Critical);
            return {};
        }
    }
}

} // namespace MediumPrompt
