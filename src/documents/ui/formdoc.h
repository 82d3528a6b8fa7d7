#pragma once

#include "papers/ui/yearregister.h"

class DocumentRegisterModel;

// The document register: the free documents dated in one year, highest number first, with the
// first line of each text; the way to a new document and to a stored one.
class FormDoc : public YearRegister {
    Q_OBJECT
public:
    explicit FormDoc(QWidget* parent = nullptr);

private:
    void riempi(int anno, QLabel* count) override;
    QString numero(int r) const override;
    void apri(const QString& num) override;

    DocumentRegisterModel* m_model;
};
