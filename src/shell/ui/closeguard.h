#pragma once

#include <QObject>
#include <functional>

class QDialog;

// Keeps the close box and Escape from dropping a window's work. Either the window closes only
// through its own buttons (the close box and Escape do nothing until a button allows closing),
// or it closes freely while it holds nothing to lose and, with work that closing would drop,
// asks first.
class CloseGuard : public QObject {
    Q_OBJECT
public:
    // Closing only through the window's buttons.
    explicit CloseGuard(QDialog* window);
    // Closing asks first while `daPerdere` says closing would lose work.
    CloseGuard(QDialog* window, std::function<bool()> daPerdere);
    // Asks first once the user has typed in a box, chosen in a list or ticked a box of the window
    // (what the program fills in does not count), or while `inoltre` says closing would lose
    // work. Built after the window's controls.
    static CloseGuard* suiCampi(QDialog* window, std::function<bool()> inoltre = {});

    // Closing is allowed from now on (ChiusuraConsentita).
    void consenti() { m_consentita = true; }
    bool consentita() const { return m_consentita; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the close box or Escape may close the window now.
    bool chiusuraConfermata();

    QDialog* m_window;
    std::function<bool()> m_daPerdere;
    bool m_consentita = false;
    bool m_toccato = false;
};
