#pragma once

#include <QDialog>
#include <QString>

class QComboBox;

// Asks which registry customer a paper goes to when it was written for typed header lines: one
// already in the registry, or a new one proposed from those lines in the customer editor.
class FrmSceltaCliente : public QDialog {
    Q_OBJECT
public:
    // `riga1` and `riga2` are the typed lines; a customer named like the first is proposed.
    FrmSceltaCliente(const QString& riga1, const QString& riga2, QWidget* parent = nullptr);

    // The customer chosen or created; 0 until then.
    qint64 scelto() const { return m_scelto; }

private:
    void scegli();
    void nuovo();

    QComboBox* m_cli;
    QComboBox* m_idCli;
    QString m_riga1;
    QString m_riga2;
    qint64 m_scelto = 0;
};
