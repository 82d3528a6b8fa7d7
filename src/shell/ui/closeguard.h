#pragma once

#include <QObject>

class QDialog;

// A window that closes only through its own buttons: the close box and Escape do nothing until
// a button allows closing.
class CloseGuard : public QObject {
    Q_OBJECT
public:
    explicit CloseGuard(QDialog* window);

    // Closing is allowed from now on (ChiusuraConsentita).
    void consenti() { m_consentita = true; }
    bool consentita() const { return m_consentita; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_consentita = false;
};
