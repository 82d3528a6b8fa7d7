#include "quotes/ui/formpre.h"

#include "papers/ui/registerwindow.h"
#include "quotes/quotestore.h"
#include "quotes/ui/formregpre.h"
#include "quotes/ui/quoteregistermodel.h"
#include "shell/dialogs.h"

FormPre::FormPre(QWidget* parent)
    : YearRegister(parent, {"FormPre", QStringLiteral("PREVENTIVI"), QStringLiteral("Preventivi"),
                            QStringLiteral("&REGISTRA PREVENTIVO"), QStringLiteral("RICHIAMA &PREVENTIVO"),
                            QStringLiteral("Selezionare prima PREVENTIVO")})
{
    m_model = new QuoteRegisterModel(this);
    costruisci(m_model, {400, 1200, 5500, 1500});
    aggiornaElenco();
}

void FormPre::riempi(int anno, QLabel* count)
{
    RegisterWindow::riempi(this, m_model, count, QuoteStore::registro(anno), QStringLiteral("preventivi"));
}

QString FormPre::numero(int r) const
{
    const QuoteStore::RegisterRow* row = m_model->row(r);
    return row ? row->num : QString();
}

void FormPre::apri(const QString& num)
{
    FormRegPre editor(this);
    if (editor.Carica(num))
        dialogs().exec(&editor);
}
