#include "papers/ui/papereditor.h"

#include "data/textcolumns.h"
#include "papers/paperseries.h"
#include "papers/ui/registerwindow.h"
#include "printing/ui/printrequest.h"
#include "registry/ui/frmana.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/windowbehaviour.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace PaperEditor {

QPushButton* pictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* b = WindowBehaviour::button(parent, name, QString(), tip);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

void browseButtons(QWidget* parent, QPushButton* (&cmd)[4], const QString (&tips)[4],
                   const std::function<void(int)>& sposta)
{
    const QStyle::StandardPixmap icons[4] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                             QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "Cmd" + QByteArray::number(i);
        cmd[i] = pictureButton(parent, name.constData(), icons[i], tips[i]);
        QObject::connect(cmd[i], &QPushButton::clicked, parent, [sposta, i] { sposta(i); });
    }
}

void pulsantiStampa(QWidget* parent, QPushButton*& ant, QPushButton*& stampa, QPushButton*& pdf)
{
    ant = pictureButton(parent, "BtnAnt", QStyle::SP_FileDialogContentsView, QStringLiteral("Anteprima di Stampa"));
    stampa = WindowBehaviour::button(parent, "BtnStampa", QStringLiteral("&STAMPA"));
    pdf = pictureButton(parent, "BtnPdf", QStyle::SP_DialogSaveButton, QStringLiteral("Crea file PDF"));
}

QHBoxLayout* rigaPulsanti(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right)
{
    auto* row = new QHBoxLayout;
    for (QWidget* w : left)
        row->addWidget(w);
    row->addStretch();
    for (QWidget* w : right)
        row->addWidget(w);
    return row;
}

QLineEdit* numeroBox(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("TxtNum"));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setMaxLength(20);
    return box;
}

QLineEdit* dateBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(10);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) +
                       2 * box->fontMetrics().averageCharWidth() + 8);
    return box;
}

QHBoxLayout* rigaTitolo(QLabel* title, QLabel* counter, QPushButton* const (&cmd)[4])
{
    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch();
    top->addWidget(counter);
    for (QPushButton* b : cmd)
        top->addWidget(b);
    return top;
}

void titolo(QWidget* parent, QLabel*& title, const QString& titleText, QLabel*& counter, const QString& kind,
            QPushButton* (&cmd)[4], const QString (&tips)[4], const std::function<void(int)>& sposta)
{
    title = RegisterWindow::heading(parent, QStringLiteral("Times New Roman"));
    title->setText(titleText);
    counter = new QLabel(kind + QStringLiteral(" 1 di 1"), parent);
    counter->setObjectName(QStringLiteral("LblRec"));
    browseButtons(parent, cmd, tips, sposta);
}

void collegaStampa(QWidget* parent, QPushButton* ant, QPushButton* pdf, const QString& kind,
                   const std::function<std::any()>& dati, const std::function<QString()>& numero)
{
    QObject::connect(ant, &QPushButton::clicked, parent, [=] { PrintRequest::preview(parent, kind, dati()); });
    QObject::connect(pdf, &QPushButton::clicked, parent,
                     [=] { PrintRequest::printPdf(parent, kind, dati(), numero()); });
}

QGridLayout* testata(QWidget* parent, QLineEdit* num, QLineEdit* data, const QString& cliCaption, QComboBox* cli,
                     QPushButton* btnCli, QPushButton* nuovoCli)
{
    auto* header = new QGridLayout;
    header->addWidget(labelFor(parent, QStringLiteral("Numero"), num), 0, 0);
    header->addWidget(num, 0, 1);
    header->addWidget(labelFor(parent, QStringLiteral("Data"), data), 0, 2);
    header->addWidget(data, 0, 3, Qt::AlignLeft);
    header->addWidget(labelFor(parent, cliCaption, cli), 1, 0);
    header->addWidget(cli, 1, 1, 1, 3);
    auto* cliButtons = new QHBoxLayout;
    cliButtons->addWidget(btnCli);
    auto* lblVerifica = new QLabel(QStringLiteral("Verifica dati cliente"), parent);
    lblVerifica->setBuddy(btnCli);
    cliButtons->addWidget(lblVerifica);
    cliButtons->addStretch();
    cliButtons->addWidget(nuovoCli);
    header->addLayout(cliButtons, 1, 4, 1, 2);
    return header;
}

void finestra(QWidget* window, QLabel* counter, QPushButton* const (&cmd)[4])
{
    counter->hide();
    for (QPushButton* b : cmd)
        b->hide();
    WindowBehaviour::sizeAndCentre(window, 12000, 9000);
    WindowBehaviour::setBackground(window, QStringLiteral("Img/Sfondo2.jpg"));
}

QPlainTextEdit* testoCarta(QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QStringLiteral("TxtDes"));
    box->setTabChangesFocus(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    return box;
}

void avviso(QWidget* parent, const QString& text, QWidget* focus)
{
    dialogs().message(parent, text, QStringLiteral("AVVISO"), Dialogs::Icon::Exclamation);
    if (focus)
        focus->setFocus();
}

bool clienteScelto(QWidget* parent, QComboBox* idCli, QComboBox* cli)
{
    if (idCli->currentIndex() >= 0 && !idCli->currentText().isEmpty())
        return true;
    avviso(parent, QStringLiteral("Selezionare il CLIENTE"), cli);
    return false;
}

void limitaNote(QPlainTextEdit* box, int length)
{
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, length] {
        const QString text = box->toPlainText();
        const QString fitted = TextColumns::fitLines(text, length);
        if (fitted != text) {
            box->setPlainText(fitted);
            box->moveCursor(QTextCursor::End);
        }
    });
}

void nonTrovato(QWidget* parent, const QString& kind, const QString& num)
{
    dialogs().message(parent, kind + u' ' + num + QStringLiteral(" non trovato"), QStringLiteral("Errore"),
                      Dialogs::Icon::None);
}

void giaEsistente(QWidget* parent, const QString& text)
{
    dialogs().message(parent, text, QStringLiteral("Impossibile procedere"), Dialogs::Icon::Exclamation);
}

void mostraRifiuto(QWidget* parent, const DbError& error, int rifiuto)
{
    if (error.number == rifiuto)
        giaEsistente(parent, error.text);
    else
        showDbError(parent, error);
}

void messaggio(QWidget* parent, const QString& text)
{
    dialogs().message(parent, text, QString(), Dialogs::Icon::None);
}

void blocca(const QList<QWidget*>& controls, const QString& perche)
{
    for (QWidget* w : controls) {
        w->setEnabled(perche.isEmpty());
        w->setToolTip(perche);
    }
}

bool numeroLibero(QWidget* parent, const DbResult<bool>& exists, const QString& text)
{
    if (!exists)
        WindowBehaviour::showDbError(parent, exists.error());
    else if (exists.value())
        giaEsistente(parent, text);
    return exists && !exists.value();
}

bool conferma(QWidget* parent, const QString& text, const QString& title)
{
    return dialogs().message(parent, text, title, Dialogs::Icon::Question, Dialogs::Buttons::YesNo) ==
           Dialogs::Answer::Yes;
}

std::optional<QDate> dataValida(QWidget* parent, QLineEdit* box)
{
    const auto data = Formats::parseDate(box->text());
    if (!data) {
        dialogs().message(parent, QStringLiteral("Data non valida"), QString(), Dialogs::Icon::Critical);
        box->setFocus();
    }
    return data;
}

void showDbError(QWidget* parent, const DbError& error)
{
    WindowBehaviour::showDbError(parent, error);
}

QLabel* labelFor(QWidget* parent, const QString& text, QWidget* buddy, const QString& accessible)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    QString name = accessible.isEmpty() ? text : accessible;
    if (name.endsWith(u':'))
        name.chop(1);
    WindowBehaviour::setAccessible(buddy, name.trimmed());
    return l;
}

bool realFocusOut(QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

void apriCliente(QWidget* parent, const QString& nome)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<FrmAna*>(w)) {
            dialogs().message(parent, QStringLiteral("La finestra richiesta è già aperta"),
                              QStringLiteral("Impossibile procedere"), Dialogs::Icon::Information);
            return;
        }
    FrmAna frm(parent);
    if (frm.Carica(nome))
        dialogs().exec(&frm);
}

void riempiClienti(QWidget* parent, QComboBox* idCli, QComboBox* cli)
{
    const QString chosen = idCli->currentText();
    if (auto err = WindowBehaviour::riempiClienti(idCli, cli))
        WindowBehaviour::showDbError(parent, *err);
    cli->setCurrentIndex(chosen.isEmpty() ? -1 : idCli->findText(chosen));
}

void soloCliente(QComboBox* idCli, QComboBox* cli, qint64 id, const QString& nome)
{
    cli->clear();
    idCli->clear();
    if (id == 0)
        return;
    idCli->addItem(QString::number(id));
    cli->addItem(nome);
    cli->setCurrentIndex(0);
}

bool scegliCliente(QWidget* parent, QComboBox* idCli, QComboBox* cli, qint64 id)
{
    const int i = idCli->findText(QString::number(id));
    if (i < 0) {
        dialogs().message(parent, QStringLiteral("Cliente non presente in Anagrafica"), QStringLiteral("AVVISO"),
                          Dialogs::Icon::Exclamation);
        return false;
    }
    cli->setCurrentIndex(i);
    idCli->setCurrentIndex(i);
    return true;
}

void verificaCliente(QWidget* parent, QComboBox* idCli, QComboBox* cli, bool richiamata,
                     const std::function<DbResult<QString>(qint64)>& customerName)
{
    if (cli->currentIndex() < 0 || cli->currentText().isEmpty()) {
        dialogs().message(parent, QStringLiteral("Selezionare un CLIENTE"), QString(), Dialogs::Icon::Exclamation);
        cli->setFocus();
        return;
    }
    apriCliente(parent, cli->currentText());
    // The editor may have changed the name.
    if (richiamata) {
        const auto nome = customerName(idCli->currentText().toLongLong());
        if (nome && !nome->isEmpty())
            cli->setItemText(0, nome.value());
    } else {
        riempiClienti(parent, idCli, cli);
    }
}

void nuovoCliente(QWidget* parent, QComboBox* idCli, QComboBox* cli)
{
    apriCliente(parent, QString());
    riempiClienti(parent, idCli, cli);
}

void modoRichiamo(QLabel* title, const QString& titleText, QLabel* counter, std::initializer_list<QPushButton*> cmd,
                  QPushButton* annulla, const QString& annullaText, QPushButton* emetti)
{
    title->setText(titleText);
    counter->show();
    for (QPushButton* b : cmd)
        b->show();
    annulla->setText(annullaText);
    WindowBehaviour::setAccessible(annulla, annulla->text());
    emetti->setText(QStringLiteral("&CHIUDI"));
    WindowBehaviour::setAccessible(emetti, emetti->text());
}

long long contaSerie(QWidget* parent, QLabel* counter, const QString& kind,
                     const DbResult<std::optional<long long>>& max, long long posizione)
{
    if (!max)
        WindowBehaviour::showDbError(parent, max.error());
    const long long totale = max ? max.value().value_or(0) : posizione;
    counter->setText(QStringLiteral("%1 %2 di %3").arg(kind).arg(posizione).arg(totale));
    return totale;
}

std::optional<long long> sposta(QWidget* parent, int comando, long long posizione, long long totale,
                                const std::function<DbResult<QList<long long>>()>& ordinali, bool fermaAiMancanti)
{
    QList<long long> found;
    if (comando == 1 || comando == 2 || (fermaAiMancanti && comando == 0)) {
        const auto read = ordinali();
        if (!read) {
            WindowBehaviour::showDbError(parent, read.error());
            return std::nullopt;
        }
        found = read.value();
    }
    const auto dopo = PaperSeries::posizioneDopo(comando, posizione, totale, found, fermaAiMancanti);
    if (!dopo || *dopo == posizione)
        return std::nullopt;
    return dopo;
}

QString testoMemorizzato(const QPlainTextEdit* box)
{
    // The plain text would turn non-breaking spaces into spaces.
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    return TextColumns::storedLines(text);
}

bool confermaAnnullamento(QWidget* parent, const TestiAnnullamento& testi)
{
    return dialogs().message(parent, testi.domanda, QStringLiteral("CONFERMA ANNULLAMENTO"), Dialogs::Icon::Question,
                             Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
}

bool esitoAnnullamento(QWidget* parent, const TestiAnnullamento& testi, const DbError* error, bool nonUltimo,
                       bool mancante)
{
    if (error) {
        WindowBehaviour::showDbError(parent, *error);
        return false;
    }
    if (nonUltimo) {
        dialogs().message(parent, testi.nonUltimo, QStringLiteral("Impossibile procedere"), Dialogs::Icon::Exclamation);
        return false;
    }
    if (mancante)
        dialogs().message(parent, testi.mancante, QStringLiteral("Errore"), Dialogs::Icon::Critical);
    else
        dialogs().message(parent, testi.fatto, QString(), Dialogs::Icon::Information);
    return true;
}

} // namespace PaperEditor
