#pragma once

#include "papers/ui/yearregister.h"

class QuoteRegisterModel;

// The quote register: the quotes of both kinds dated in one year, newest first; the way to a
// new quote and to a stored one.
class FormPre : public YearRegister {
    Q_OBJECT
public:
    explicit FormPre(QWidget* parent = nullptr);

private:
    void riempi(int anno, QLabel* count) override;
    QString numero(int r) const override;
    void apri(const QString& num) override;

    QuoteRegisterModel* m_model;
};
