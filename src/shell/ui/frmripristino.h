#pragma once

#include "shell/restore.h"

#include <QDialog>

class GridChoice;
class QListWidget;
class QPushButton;

// The choice of the copy to restore: the daily copies, newest first (the unusable ones shown
// and not selectable), and the backup on the medium.
class FrmRipristino : public QDialog {
    Q_OBJECT
public:
    explicit FrmRipristino(QWidget* parent = nullptr);

    QListWidget* LstCopie() const { return m_list; }

private:
    void BtnRipristina_Click();
    void restoreFromMedium();
    // Asks, restores and reports; the settings of the medium in `settingsFolder`, when given and
    // the user wants them.
    void confirmAndRestore(const Restore::Copy& copy, const QString& settingsFolder);

    QList<Restore::Copy> m_copies;
    QListWidget* m_list = nullptr;
    GridChoice* m_choice = nullptr;
    QPushButton* m_ripristina = nullptr;
};
