#pragma once

#include "shell/dialogs.h"
#include <QColor>

#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
class QPushButton;

// The main window: opens every other window from its picture buttons and menus.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    // Runs the start-up; false when the program must end instead of showing the window.
    bool load();

    void Ini(const QString& mode);
    void PrinterIni(const QString& mode);

    QPushButton* Btn(int index) const { return m_btn[index]; }
    bool isHighlighted(int index) const { return m_highlighted[index]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildMenus();
    void buildBody();
    void highlight(int index);
    void clearHighlights();
    void setButtonLook(int index, bool highlighted);
    void mnuColLogo_Click();
    void mnuDatiInt_Click();
    void mnuBackupFloppy_Click();
    void mnuBackupRipristina_Click();
    // The title and LblInt2 show the business name line of the database.
    void showBusinessLine();

    template <typename Window> void openModal()
    {
        Window w(this);
        dialogs().exec(&w);
    }

    std::array<QPushButton*, 8> m_btn{};
    std::array<bool, 8> m_highlighted{};
    QLabel* m_labelVers = nullptr;
    QAction* m_mnuColLogo = nullptr;
    QColor m_coloreNormale;
    QColor m_coloreEvidenziato;
};
