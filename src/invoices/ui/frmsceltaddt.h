#pragma once

#include "ddt/ddt.h"

#include <QDialog>
#include <QList>

class FocusFrame;
class QCheckBox;

// The DDTs a deferred invoice may bill, each with a check box, all ticked, oldest first; the
// user keeps those to invoice.
class FrmSceltaDdt : public QDialog {
    Q_OBJECT
public:
    FrmSceltaDdt(const QList<Ddt>& ddts, QWidget* parent = nullptr);

    // The check box of each DDT, in the order shown.
    QCheckBox* ChkDdt(int index) const { return m_chk.value(index); }
    // The DDTs ticked, in the order shown.
    QList<Ddt> scelti() const;

    // The deferred invoice of a customer: the DDTs of the year no invoice covers yet are offered,
    // and those chosen open a new invoice with their rows. Nothing is stored until it is issued.
    static void fatturaDdt(QWidget* parent, int anno, qint64 idAna);

private:
    void fattura();

    QList<Ddt> m_ddts;
    QList<QCheckBox*> m_chk;
    FocusFrame* m_frame;
};
