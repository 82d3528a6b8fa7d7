#include "shell/ui/papergrid.h"

#include "data/textcolumns.h"
#include "papers/paperrows.h"
#include "shell/dialogs.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <algorithm>

namespace {

const QString kTitoloRiga = QStringLiteral("Inserimento RIGA");
const QString kDescrizione = QStringLiteral("Descrizione ?");

} // namespace

PaperGrid::PaperGrid(QWidget* window, Impostazioni impostazioni)
    : QObject(window), m_window(window), m_imp(std::move(impostazioni))
{
    const int colonne = colonnaOrd() + 1;
    m_grid = new QTableWidget(0, colonne, window);
    m_grid->setObjectName(QStringLiteral("FGrid"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    QStringList headers{QString(), QStringLiteral("Descrizione")};
    QList<int> widths{500, m_imp.larghezzaDescrizione};
    for (const Colonna& c : m_imp.colonne) {
        headers << c.intestazione;
        widths << c.larghezzaTwips;
    }
    headers << QString();
    widths << 0;
    m_grid->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < colonne; ++c)
        m_grid->setColumnWidth(c, WindowBehaviour::twipsToPixels(widths.at(c), window));
    m_grid->setColumnHidden(colonnaOrd(), true);
    WindowBehaviour::setAccessible(m_grid, m_imp.nomeAccessibile);
    m_choice = new GridChoice(m_grid);
    m_grid->installEventFilter(this);
    connect(m_choice, &GridChoice::doubleClicked, this, &PaperGrid::cambiaCella);
}

void PaperGrid::setRighe(QList<PaperRow> righe)
{
    m_choice->clear();
    m_righe = std::move(righe);
    m_grid->setRowCount(static_cast<int>(m_righe.size()));
    for (int r = 0; r < m_righe.size(); ++r)
        mostraRiga(r);
}

bool PaperGrid::scritte() const
{
    return std::any_of(m_righe.cbegin(), m_righe.cend(), [](const PaperRow& r) {
        return !r.descrizione.trimmed().isEmpty() ||
               std::any_of(r.valori.cbegin(), r.valori.cend(), [](const Decimal& d) { return !d.isZero(); });
    });
}

void PaperGrid::mostraRiga(int r)
{
    const PaperRow& row = m_righe.at(r);
    QStringList texts{QString(), row.descrizione};
    texts << m_imp.testi(row);
    texts << QString::number(row.ord);
    for (int c = 0; c < texts.size(); ++c) {
        if (QTableWidgetItem* item = m_grid->item(r, c)) {
            item->setText(texts.at(c));
        } else {
            auto* cell = new QTableWidgetItem(texts.at(c));
            if (c >= 2 && c < colonnaOrd())
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, c, cell);
        }
    }
}

void PaperGrid::aggiungi(const PaperRow& row)
{
    if (!accetta(QList<PaperRow>(m_righe) << row))
        return;
    m_righe.append(row);
    m_grid->setRowCount(static_cast<int>(m_righe.size()));
    mostraRiga(static_cast<int>(m_righe.size()) - 1);
    emit cambiate();
    emit rigaCambiata(row.ord);
}

void PaperGrid::inserisci()
{
    if (!modificabile())
        return;
    const auto des = dialogs().input(m_window, kDescrizione, kTitoloRiga, QString());
    if (!des || des->isEmpty())
        return;
    PaperRow row;
    for (const Colonna& c : m_imp.colonne) {
        if (c.domanda.isEmpty())
            continue;
        const auto answer = dialogs().input(m_window, c.domanda, kTitoloRiga, QStringLiteral("0"));
        if (!answer || answer->isEmpty())
            return;
        const auto n = PaperRows::leggiNumero(*answer);
        if (!n.valore) {
            WindowBehaviour::showRuntimeError(m_window, n.errore);
            return;
        }
        row.valori.append(*n.valore);
    }
    row.ord = PaperRows::prossimoOrd(m_righe);
    // The grid shows the description as it will be stored.
    row.descrizione = TextColumns::fit(*des, m_imp.lunghezzaDescrizione);
    aggiungi(row);
}

void PaperGrid::vuota()
{
    if (!modificabile())
        return;
    PaperRow row;
    row.ord = PaperRows::prossimoOrd(m_righe);
    row.descrizione = QStringLiteral(" ");
    for (const Colonna& c : m_imp.colonne)
        if (!c.domanda.isEmpty())
            row.valori.append(Decimal());
    aggiungi(row);
}

void PaperGrid::cambiaCella()
{
    const int r = m_choice->row();
    const int c = m_choice->column();
    if (r < 0 || r >= m_righe.size() || m_righe.at(r).ord == 0)
        return;
    const int valore = c - 2;
    if (c != 1 && (valore < 0 || valore >= m_imp.colonne.size() || m_imp.colonne.at(valore).domanda.isEmpty()))
        return;
    if (!modificabile())
        return;
    PaperRow row = m_righe.at(r);
    QString current = m_grid->item(r, c) ? m_grid->item(r, c)->text() : QString();
    if (c != 1 && current.isEmpty() && m_imp.zeroSeVuota)
        current = QStringLiteral("0");
    const auto answer =
        dialogs().input(m_window, c == 1 ? kDescrizione : m_imp.colonne.at(valore).domanda, QString(), current);
    if (!answer || answer->isEmpty())
        return;
    if (c == 1) {
        row.descrizione = TextColumns::fit(*answer, m_imp.lunghezzaDescrizione);
    } else {
        const auto n = PaperRows::leggiNumero(*answer);
        if (!n.valore) {
            WindowBehaviour::showRuntimeError(m_window, n.errore);
            return;
        }
        while (row.valori.size() <= valore)
            row.valori.append(Decimal());
        row.valori[valore] = *n.valore;
    }
    QList<PaperRow> rows = m_righe;
    rows[r] = row;
    if (!accetta(rows))
        return;
    m_righe[r] = row;
    mostraRiga(r);
    emit cambiate();
    emit rigaCambiata(row.ord);
}

void PaperGrid::elimina()
{
    // A paper keeps at least one row.
    if (m_righe.size() < 2)
        return;
    const int r = m_choice->row();
    if (r < 0 || r >= m_righe.size() || m_righe.at(r).ord == 0) {
        dialogs().message(m_window, m_imp.selezionaRiga, QString(), Dialogs::Icon::Information);
        return;
    }
    if (!modificabile())
        return;
    const PaperRow row = m_righe.at(r);
    if (dialogs().message(m_window, u'\'' + row.descrizione + u'\'', QStringLiteral("Conferma eliminazione riga"),
                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    m_righe.removeAt(r);
    m_grid->removeRow(r);
    emit cambiate();
    emit rigaEliminata(row.ord);
}

bool PaperGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert) {
            inserisci();
            return true;
        }
        // Enter and Escape give a character too: they open the cell rather than close the window.
        const bool carattere = (!key->text().isEmpty() && key->text().at(0).isPrint()) ||
                               key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                               key->key() == Qt::Key_Escape;
        if (carattere && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            cambiaCella();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
