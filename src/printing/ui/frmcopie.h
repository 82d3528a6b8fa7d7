#pragma once

#include <QDialog>

class FocusFrame;
class QCheckBox;

// "Scegliere # COPIE": one or two copies; app().numeroCopie holds the answer (0 = cancelled).
class FrmCopie : public QDialog {
    Q_OBJECT
public:
    explicit FrmCopie(QWidget* parent = nullptr);

    QCheckBox* ChkCopie(int index) const { return m_chk[index]; }

    void BtnAvanti_Click();
    // Cancelling, by the button or by closing the window, prints nothing.
    void reject() override;

private:
    void chkCopie_Click(int index, bool checked);

    QCheckBox* m_chk[2] = {};
    FocusFrame* m_frame;
};
