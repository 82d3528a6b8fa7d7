#include "app/ui/form1.h"

#include "app/accessimport.h"
#include "app/ui/frmimporta.h"
#include "data/database.h"
#include "data/runtimeerrors.h"
#include "ddt/ui/formddt.h"
#include "documents/ui/formdoc.h"
#include "documents/ui/formregdoc.h"
#include "invoices/ui/formfatt.h"
#include "invoices/ui/frmbancariba.h"
#include "invoices/ui/frmdatife.h"
#include "invoices/ui/frmeditfatt.h"
#include "invoices/ui/frmscadenzario.h"
#include "printing/ui/frmprinters.h"
#include "quotes/ui/formpre.h"
#include "registry/ui/formana.h"
#include "registry/ui/frmcondizioni.h"
#include "resources/shippedpictures.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/restore.h"
#include "shell/settingsfiles.h"
#include "shell/startup.h"
#include "shell/ui/frmazi.h"
#include "shell/ui/frmbackup.h"
#include "shell/ui/frmripristino.h"
#include "shell/ui/mediumprompt.h"
#include "shell/ui/windowbehaviour.h"
#include "warehouse/ui/formmag.h"
#include "warehouse/ui/frmimpcat.h"

#include <QAction>
#include <QDate>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Rows from top to bottom: caption index, caption, buttons of the row.
struct Row {
    int labelIndex;
    const char* caption;
    std::initializer_list<int> buttons;
};
const Row kRows[] = {
    {0, "ANAGRAFICA", {0}}, {1, "MAGAZZINO", {1}}, {4, "DOCUMENTI", {6, 7}},
    {3, "PREVENTIVI", {5}}, {2, "D.D.T.", {2}},    {5, "FATTURE", {3}},
};

QString accessibleNameOf(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("ANAGRAFICA");
    case 1:
        return QStringLiteral("MAGAZZINO");
    case 2:
        return QStringLiteral("D.D.T.");
    case 3:
        return QStringLiteral("FATTURE");
    case 4:
        return QStringLiteral("ESCI");
    case 5:
        return QStringLiteral("PREVENTIVI");
    case 6:
        return QStringLiteral("CREA NUOVO");
    default:
        return QStringLiteral("ARCHIVIO");
    }
}

QLabel* titleLabel(QWidget* parent, int index, const QString& text, int pointSize, bool bold)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("LblInt%1").arg(index));
    QFont f(QStringLiteral("Times New Roman"));
    f.setStyleHint(QFont::Serif);
    f.setPointSize(pointSize);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return l;
}

} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("CORVALISTO - ") + CompanyStore::kBusinessLine);
    buildMenus();
    buildBody();
}

void Form1::buildMenus()
{
    QMenu* config = menuBar()->addMenu(QStringLiteral("&Impostazioni"));
    config->setObjectName(QStringLiteral("mnuConfig"));
    auto add = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setParent(this);
        return a;
    };
    QAction* datiInt = add(config, "mnuDatiInt", QStringLiteral("&Dati INTESTAZIONE"));
    connect(datiInt, &QAction::triggered, this, &Form1::mnuDatiInt_Click);
    QAction* datiFe = add(config, "mnuDatiFe", QStringLiteral("Dati FATTURA &ELETTRONICA"));
    connect(datiFe, &QAction::triggered, this, [this] {
        FrmDatiFe f(this);
        if (f.Carica())
            dialogs().exec(&f);
    });
    QAction* banca = add(config, "mnuBancaRiba", QStringLiteral("&Banca per le Ri.Ba."));
    connect(banca, &QAction::triggered, this, [this] {
        FrmBancaRiba f(this);
        if (f.Carica())
            dialogs().exec(&f);
    });
    QAction* condizioni = add(config, "mnuCondizioni", QStringLiteral("Condizioni di &pagamento"));
    connect(condizioni, &QAction::triggered, this, [this] { openModal<FrmCondizioni>(); });
    QAction* categorie = add(config, "mnuCategorie", QStringLiteral("&Categorie"));
    connect(categorie, &QAction::triggered, this, [this] { openModal<FrmImpCat>(); });
    config->addSeparator()->setObjectName(QStringLiteral("mnuSep"));
    QAction* stampanti = add(config, "mnuStampanti", QStringLiteral("&Stampanti"));
    connect(stampanti, &QAction::triggered, this, [this] { openModal<FrmPrinters>(); });
    m_mnuColLogo = add(config, "mnuColLogo", QStringLiteral("&LOGO a colori"));
    m_mnuColLogo->setCheckable(true);
    connect(m_mnuColLogo, &QAction::triggered, this, &Form1::mnuColLogo_Click);

    QMenu* util = menuBar()->addMenu(QStringLiteral("&Utility"));
    util->setObjectName(QStringLiteral("mnuUtil"));
    QAction* editFatt = add(util, "mnuEditFatt", QStringLiteral("&Cambia intestazione Fatture"));
    connect(editFatt, &QAction::triggered, this, [this] { openModal<FrmEditFatt>(); });
    // The old program's archive goes only into a database that holds nothing yet.
    QAction* importa = add(util, "mnuImporta", QStringLiteral("&Importa archivio precedente…"));
    connect(importa, &QAction::triggered, this, [this] { openModal<FrmImporta>(); });
    connect(util, &QMenu::aboutToShow, this, [importa] {
        const auto empty = AccessImport::targetIsEmpty();
        importa->setEnabled(empty.ok() && empty.value());
    });
    QMenu* backup = util->addMenu(QStringLiteral("&Backup"));
    backup->setObjectName(QStringLiteral("mnuBackup"));
    QAction* floppy = add(backup, "mnuBackupFloppy", QStringLiteral("&Esegui su floppy"));
    connect(floppy, &QAction::triggered, this, &Form1::mnuBackupFloppy_Click);
    QAction* ripristina = add(backup, "mnuBackupRipristina", QStringLiteral("&Ripristina…"));
    connect(ripristina, &QAction::triggered, this, &Form1::mnuBackupRipristina_Click);
}

void Form1::buildBody()
{
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("Corpo"));
    body->setMouseTracking(true);
    body->installEventFilter(this);
    setCentralWidget(body);
    setMouseTracking(true);

    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(20, 6, 20, 8);
    outer->setSpacing(2);
    outer->addWidget(titleLabel(body, 0, QStringLiteral("CORVALISTO"), 24, true));
    outer->addWidget(titleLabel(body, 1, QStringLiteral("LAVORAZIONI IN FERRO"), 13, false));
    outer->addWidget(titleLabel(body, 2, CompanyStore::kBusinessLine, 11, false));

    auto* middle = new QHBoxLayout;
    auto* image = new QLabel(body);
    image->setObjectName(QStringLiteral("Image1"));
    image->setFixedSize(200, 200);
    image->setScaledContents(true);
    image->setPixmap(QPixmap::fromImage(ShippedPictures::logo(true)));
    image->setAccessibleName(QStringLiteral("Logo"));
    middle->addWidget(image, 0, Qt::AlignVCenter);
    middle->addSpacing(24);

    for (int i = 0; i < 8; ++i) {
        auto* b = new QPushButton(body);
        b->setObjectName(QStringLiteral("Btn%1").arg(i));
        b->setMouseTracking(true);
        b->installEventFilter(this);
        b->setIconSize(QSize(42, 42));
        b->setFixedSize(i == 4 ? QSize(110, 50) : QSize(60, 50));
        WindowBehaviour::setAccessible(b, accessibleNameOf(i));
        m_btn[i] = b;
    }
    m_btn[4]->setText(QStringLiteral("&ESCI"));
    m_btn[6]->setToolTip(QStringLiteral("CREA NUOVO"));
    m_btn[7]->setToolTip(QStringLiteral("ARCHIVIO"));

    auto* rows = new QGridLayout;
    rows->setVerticalSpacing(4);
    int r = 0;
    int fatture = 0;
    for (const Row& row : kRows) {
        if (row.buttons.size() == 1 && *row.buttons.begin() == 3)
            fatture = r;
        auto* caption = new QLabel(QString::fromLatin1(row.caption), body);
        caption->setObjectName(QStringLiteral("Label1_%1").arg(row.labelIndex));
        QFont f = caption->font();
        f.setBold(true);
        f.setPointSize(11);
        caption->setFont(f);
        rows->addWidget(caption, r, 0);
        int c = 1;
        for (int b : row.buttons)
            rows->addWidget(m_btn[b], r, c++);
        ++r;
    }
    // The invoices' due dates, beside the invoices: a plain button, named by its caption.
    auto* scadenzario =
        WindowBehaviour::button(body, QStringLiteral("BtnScadenzario"), QStringLiteral("&SCADENZARIO"),
                                QStringLiteral("Scadenze delle fatture: pagamenti e presentazione Ri.Ba."));
    scadenzario->setFixedHeight(50);
    scadenzario->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: #c0c0c0; border: 1px solid #808080; border-radius: 3px; padding: 0 8px; }"));
    rows->addWidget(scadenzario, fatture, 2);
    connect(scadenzario, &QPushButton::clicked, this, [this] { openModal<FrmScadenzario>(); });
    rows->setColumnStretch(3, 1);
    middle->addLayout(rows, 1);
    outer->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    m_labelVers = new QLabel(body);
    m_labelVers->setObjectName(QStringLiteral("LabelVers"));
    bottom->addWidget(m_labelVers, 1, Qt::AlignBottom);
    bottom->addWidget(m_btn[4]);
    outer->addLayout(bottom);

    connect(m_btn[4], &QPushButton::clicked, this, &QWidget::close);
    connect(m_btn[0], &QPushButton::clicked, this, [this] { openModal<FormAna>(); });
    connect(m_btn[1], &QPushButton::clicked, this, [this] { openModal<FormMag>(); });
    connect(m_btn[2], &QPushButton::clicked, this, [this] { openModal<FormDdt>(); });
    connect(m_btn[3], &QPushButton::clicked, this, [this] { openModal<FormFatt>(); });
    connect(m_btn[5], &QPushButton::clicked, this, [this] { openModal<FormPre>(); });
    connect(m_btn[6], &QPushButton::clicked, this, [this] {
        FormRegDoc w(this);
        if (w.Carica(QString()))
            dialogs().exec(&w);
    });
    connect(m_btn[7], &QPushButton::clicked, this, [this] { openModal<FormDoc>(); });
}

bool Form1::load()
{
    WindowBehaviour::sizeAndCentre(this, 9675, 8200);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo.jpg"));
    m_labelVers->setText(QStringLiteral("Versione %1.%2.%3")
                             .arg(CORVALISTO_VERSION_MAJOR)
                             .arg(CORVALISTO_VERSION_MINOR)
                             .arg(CORVALISTO_VERSION_PATCH));
    m_coloreNormale = QColor(0xC0, 0xC0, 0xC0);
    m_coloreEvidenziato = QColor(0xE0, 0xE0, 0xE0);
    Ini(QStringLiteral("carica"));
    PrinterIni(QStringLiteral("carica"));
    app().stampantePdf = QStringLiteral("CutePDF Writer");
    m_mnuColLogo->setChecked(app().logoColori);

    if (Startup::updatePending()) {
        dialogs().message(this, QStringLiteral("Il programma è in attesa dell'Aggiornamento"),
                          QStringLiteral("Impossibile aprire il programma"), Dialogs::Icon::Information);
        return false;
    }
    // The database comes first: when it cannot be used, nothing is written in the folder unless the
    // user has a copy restored.
    const Startup::OpenOutcome db = Startup::openDatabase();
    if (!db.ok && !Restore::offerAtStart(this, db.message))
        return false;
    Startup::prepareWorkFolder();
    for (int i = 0; i < 8; ++i)
        setButtonLook(i, false);
    if (QFile::exists(app().path(QStringLiteral("Img/Logo.bmp"))))
        findChild<QLabel*>(QStringLiteral("Image1"))->setPixmap(QPixmap(app().path(QStringLiteral("Img/Logo.bmp"))));
    showBusinessLine();
    // Once, at start: the program goes on with its database all the same.
    const QString copyFailed = Restore::dailyCopy(QDate::currentDate());
    if (!copyFailed.isEmpty())
        dialogs().message(this, copyFailed, QStringLiteral("ATTENZIONE"), Dialogs::Icon::Exclamation);
    return true;
}

void Form1::showBusinessLine()
{
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("CORVALISTO")));
    findChild<QLabel*>(QStringLiteral("LblInt2"))->setText(CompanyStore::businessLine());
}

void Form1::Ini(const QString& mode)
{
    SettingsFiles::ini(mode);
}

void Form1::PrinterIni(const QString& mode)
{
    SettingsFiles::printerIni(mode);
}

void Form1::setButtonLook(int index, bool highlighted)
{
    m_highlighted[index] = highlighted;
    QPushButton* b = m_btn[index];
    b->setIcon(QIcon(QPixmap(app().path(ShippedPictures::buttonFile(index, highlighted)))));
    const QColor c = highlighted ? m_coloreEvidenziato : m_coloreNormale;
    b->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; border-radius: 3px; }")
            .arg(c.name()));
}

void Form1::highlight(int index)
{
    // Reloaded on every move over the button, as the highlight is meant to follow the mouse.
    setButtonLook(index, true);
}

void Form1::clearHighlights()
{
    for (int i = 0; i < 8; ++i)
        if (m_highlighted[i])
            setButtonLook(i, false);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        for (int i = 0; i < 8; ++i) {
            if (watched == m_btn[i]) {
                // Taken here: a button ignores plain moves, which would reach the window's surface
                // and switch the highlight off again.
                highlight(i);
                return true;
            }
        }
        if (watched == centralWidget())
            clearHighlights();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    clearHighlights();
    QMainWindow::mouseMoveEvent(event);
}

void Form1::mnuColLogo_Click()
{
    app().logoColori = !app().logoColori;
    m_mnuColLogo->setChecked(app().logoColori);
    Ini(QStringLiteral("salva"));
}

void Form1::mnuBackupFloppy_Click()
{
    bool earlier = false;
    const QString folder = MediumPrompt::ask(this, QStringLiteral("Backup"), &earlier);
    if (folder.isEmpty())
        return;
    if (earlier && dialogs().message(this, QStringLiteral("Si vuole sovrascriverlo ?"),
                                     QStringLiteral("Sul questo floppy esiste già un BACKUP"), Dialogs::Icon::Question,
                                     Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    FrmBackup w(this, folder);
    dialogs().exec(&w);
}

void Form1::mnuBackupRipristina_Click()
{
    // A server's dumps are restored by its administrator, never by a workstation.
    if (!Database::serverUrl().isEmpty()) {
        dialogs().message(this, Restore::serverAdvice(), QStringLiteral("Ripristino"), Dialogs::Icon::Information);
        return;
    }
    FrmRipristino w(this);
    if (dialogs().exec(&w) != QDialog::Accepted)
        return;
    // The settings may come from the medium too.
    m_mnuColLogo->setChecked(app().logoColori);
    showBusinessLine();
}

void Form1::mnuDatiInt_Click()
{
    openModal<FrmAzi>();
    showBusinessLine();
}
