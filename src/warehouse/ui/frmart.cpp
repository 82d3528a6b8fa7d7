#include "warehouse/ui/frmart.h"

#include "data/textcolumns.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/runtimeerrors.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/windowbehaviour.h"
#include "warehouse/itemcheck.h"
#include "warehouse/stockmovement.h"
#include "warehouse/warehouserules.h"
#include "warehouse/warehousestore.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    WindowBehaviour::setAccessible(buddy, text);
    return l;
}

// Keys that move between controls or close the window keep doing so in the quantity box.
bool opensQuantityDialog(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        return false;
    default:
        return !(key->modifiers() & Qt::AltModifier);
    }
}

// The message of a typed amount that cannot be used, with the title the caller gives.
void showAmountFailure(QWidget* parent, StockMovement::Failure failure, bool numberedTitle)
{
    const int code =
        failure == StockMovement::Failure::Overflow ? RuntimeErrors::Overflow : RuntimeErrors::TypeMismatch;
    dialogs().message(parent, RuntimeErrors::text(code), numberedTitle ? RuntimeErrors::title(code) : QString(),
                      Dialogs::Icon::Critical);
}

} // namespace

FrmArt::FrmArt(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmArt"));
    setWindowTitle(QStringLiteral("INSERIMENTO ARTICOLO IN MAGAZZINO"));

    m_comboCat = new QComboBox(this);
    m_comboCat->setObjectName(QStringLiteral("ComboCat"));
    m_comboCat->setEditable(false);
    m_comboCod = new QComboBox(this);
    m_comboCod->setObjectName(QStringLiteral("ComboCod"));
    WindowBehaviour::setAccessible(m_comboCod, QStringLiteral("Codici categoria"));
    m_comboCod->hide();
    auto* btnInsCat = WindowBehaviour::button(this, "BtnInsCat", QStringLiteral("&Inserisci nuova"));
    m_txtDes = new QLineEdit(this);
    m_txtDes->setObjectName(QStringLiteral("TxtDes"));
    m_txtDes->setMaxLength(TextColumns::Magazzino::Descrizione);
    m_comboUm = new QComboBox(this);
    m_comboUm->setObjectName(QStringLiteral("ComboUm"));
    m_comboUm->setEditable(true);
    m_comboUm->setInsertPolicy(QComboBox::NoInsert);
    m_comboUm->lineEdit()->setMaxLength(TextColumns::Magazzino::Um);
    m_txtQta = new QLineEdit(this);
    m_txtQta->setObjectName(QStringLiteral("TxtQta"));
    m_txtQta->setReadOnly(true);
    m_txtQta->installEventFilter(this);
    m_btnAdd = WindowBehaviour::button(this, "BtnAdd", QStringLiteral("+"));
    m_btnAdd->setToolTip(QStringLiteral("CARICA Articolo"));
    WindowBehaviour::setAccessible(m_btnAdd, m_btnAdd->toolTip());
    m_btnSub = WindowBehaviour::button(this, "BtnSub", QStringLiteral("-"));
    m_btnSub->setToolTip(QStringLiteral("SCARICA Articolo"));
    WindowBehaviour::setAccessible(m_btnSub, m_btnSub->toolTip());
    auto* btnSalva = WindowBehaviour::button(this, "BtnSalva", QStringLiteral("&SALVA"));
    auto* btnAnnulla = WindowBehaviour::button(this, "BtnAnnulla", QStringLiteral("&ANNULLA"));

    // Content on the even rows; the odd rows are even gaps that share the window's height, the last
    // one above the buttons, so no empty band gathers there.
    auto* form = new QGridLayout;
    form->addWidget(makeLabel(this, "LblCat", QStringLiteral("Categoria"), m_comboCat), 0, 0);
    form->addWidget(m_comboCat, 0, 1);
    form->addWidget(btnInsCat, 0, 2);
    form->addWidget(makeLabel(this, "LblDes", QStringLiteral("Descrizione"), m_txtDes), 2, 0);
    form->addWidget(m_txtDes, 2, 1, 1, 2);
    form->addWidget(makeLabel(this, "LblUm", QStringLiteral("Unita'"), m_comboUm), 4, 0);
    form->addWidget(m_comboUm, 4, 1);
    form->addWidget(makeLabel(this, "LblQta", QStringLiteral("Quantità"), m_txtQta), 6, 0);
    form->addWidget(m_txtQta, 6, 1);
    // Load and unload are a pair: one size for both, whatever the column beside them holds.
    const int moveWidth = std::max(m_btnAdd->sizeHint().width(), m_btnSub->sizeHint().width());
    m_btnAdd->setFixedWidth(moveWidth);
    m_btnSub->setFixedWidth(moveWidth);
    auto* moves = new QHBoxLayout;
    moves->addWidget(m_btnAdd);
    moves->addWidget(m_btnSub);
    moves->addStretch();
    form->addLayout(moves, 6, 2);
    form->setColumnStretch(1, 1);
    for (int gap = 1; gap <= 7; gap += 2)
        form->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), gap, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSalva);
    buttons->addWidget(btnAnnulla);
    auto* root = new QVBoxLayout(this);
    root->addLayout(form, 1);
    root->addLayout(buttons);

    setTabOrder(m_comboCat, btnInsCat);
    setTabOrder(btnInsCat, m_txtDes);
    setTabOrder(m_txtDes, m_comboUm);
    setTabOrder(m_comboUm, m_txtQta);
    setTabOrder(m_txtQta, m_btnAdd);
    setTabOrder(m_btnAdd, m_btnSub);
    setTabOrder(m_btnSub, btnSalva);
    setTabOrder(btnSalva, btnAnnulla);

    auto* frame = new FocusFrame(this, false);
    for (QWidget* w :
         {static_cast<QWidget*>(m_btnAdd), static_cast<QWidget*>(btnAnnulla), static_cast<QWidget*>(btnInsCat),
          static_cast<QWidget*>(btnSalva), static_cast<QWidget*>(m_btnSub), static_cast<QWidget*>(m_txtDes),
          static_cast<QWidget*>(m_txtQta), static_cast<QWidget*>(m_comboCat), static_cast<QWidget*>(m_comboUm)})
        frame->track(w);

    m_modificato = new ModifiedFlag(this);
    // A new item counts as changed from the start: only what the user did there is work to keep.
    CloseGuard::suiCampi(this, [this] { return m_itemId != 0 && m_modificato->isSet(); });
    m_modificato->watch(m_txtDes);
    m_modificato->watch(m_comboUm);
    m_modificato->watch(m_txtQta);

    connect(m_comboCat, &QComboBox::currentIndexChanged, this, &FrmArt::sceltaCategoria);
    connect(btnInsCat, &QPushButton::clicked, this, &FrmArt::nuovaCategoria);
    connect(m_btnAdd, &QPushButton::clicked, this, &FrmArt::aggiungi);
    connect(m_btnSub, &QPushButton::clicked, this, &FrmArt::scala);
    connect(btnSalva, &QPushButton::clicked, this, &FrmArt::salva);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);

    resize(WindowBehaviour::twipsToPixels(8400, this), WindowBehaviour::twipsToPixels(3600, this));
    WindowBehaviour::centreOnly(this);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo3.jpg"));
    riempiCategorie();
    riempiUnita();
    m_modificato->clear();
}

void FrmArt::riempiCategorie()
{
    const QSignalBlocker block(m_comboCat);
    m_comboCat->clear();
    m_comboCod->clear();
    const auto categories = WarehouseStore::categories();
    if (!categories) {
        WindowBehaviour::showDbError(this, categories.error());
        return;
    }
    for (const auto& c : categories.value()) {
        m_comboCod->addItem(QString::number(c.id));
        m_comboCat->addItem(c.nome);
    }
    m_comboCat->setCurrentIndex(-1);
}

void FrmArt::riempiUnita()
{
    const QSignalBlocker block(m_comboUm);
    m_comboUm->clear();
    const auto units = WarehouseStore::unitsInUse();
    if (!units) {
        WindowBehaviour::showDbError(this, units.error());
        return;
    }
    m_comboUm->addItems(units.value());
    m_comboUm->setCurrentIndex(-1);
    m_comboUm->setEditText(QString());
}

void FrmArt::mostraCategoria(qint64 idCat)
{
    m_comboCat->setCurrentIndex(m_comboCod->findText(QString::number(idCat)));
}

void FrmArt::CaricaArt(qint64 id)
{
    m_itemId = id;
    if (id == 0) {
        m_catId = 0;
        m_comboUm->setEditText(QStringLiteral("Pz"));
        m_btnAdd->setEnabled(false);
        m_btnSub->setEnabled(false);
        m_modificato->set();
        return;
    }
    setWindowTitle(QStringLiteral("MODIFICA DATI ARTICOLO ") + Formats::code(id, 4));
    const auto item = WarehouseStore::validItem(id);
    if (!item) {
        WindowBehaviour::showDbError(this, item.error());
        return;
    }
    if (!item.value()) {
        dialogs().message(this, QStringLiteral("Errore durante il caricamento dati"), QString(), Dialogs::Icon::None);
        return;
    }
    const WarehouseStore::Item& it = *item.value();
    m_catId = it.cat;
    m_txtDes->setText(it.descrizione);
    m_comboUm->setEditText(it.um);
    m_txtQta->setText(StockMovement::show(it.qta));
    {
        // An item whose category is missing from the list keeps it until another is chosen.
        const QSignalBlocker block(m_comboCat);
        mostraCategoria(m_catId);
    }
    m_modificato->clear();
}

void FrmArt::sceltaCategoria(int index)
{
    if (index < 0 || index >= m_comboCod->count()) {
        m_catId = 0;
        return;
    }
    m_catId = m_comboCod->itemText(index).toLongLong();
    m_modificato->set();
}

bool FrmArt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtQta) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_txtQta->setFocus(Qt::MouseFocusReason);
            dialogoQuantita();
            return true;
        }
        if (event->type() == QEvent::KeyPress && opensQuantityDialog(static_cast<QKeyEvent*>(event))) {
            dialogoQuantita();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmArt::dialogoQuantita()
{
    const QString current = m_txtQta->text().isEmpty() ? QStringLiteral("0") : m_txtQta->text();
    const auto answer = dialogs().input(this, QStringLiteral("Inserire nuova QUANTITA':"),
                                        QStringLiteral("Modifica QUANTITA'"), current);
    if (!answer || answer->trimmed().isEmpty())
        return;
    const auto result = StockMovement::setTo(*answer);
    if (!result.ok()) {
        showAmountFailure(this, result.failure, true);
        return;
    }
    m_txtQta->setText(StockMovement::show(result.value));
}

void FrmArt::aggiungi()
{
    const auto answer = dialogs().input(this, QStringLiteral("Quantità da aggiungere ?"),
                                        QStringLiteral("AGGIUNGI QUANTITA'"), QString());
    if (!answer || answer->trimmed().isEmpty())
        return;
    const auto result = StockMovement::load(StockMovement::current(m_txtQta->text()), *answer);
    if (result.failure == StockMovement::Failure::Negative) {
        dialogs().message(this, QStringLiteral("Valore non valido"), QString(), Dialogs::Icon::Critical);
        return;
    }
    if (!result.ok()) {
        showAmountFailure(this, result.failure, false);
        return;
    }
    m_txtQta->setText(StockMovement::show(result.value));
}

void FrmArt::scala()
{
    const auto answer =
        dialogs().input(this, QStringLiteral("Quantità da scalare ?"), QStringLiteral("SCALA QUANTITA'"), QString());
    if (!answer || answer->trimmed().isEmpty())
        return;
    const auto result = StockMovement::unload(StockMovement::current(m_txtQta->text()), *answer);
    switch (result.failure) {
    case StockMovement::Failure::None:
        m_txtQta->setText(StockMovement::show(result.value));
        break;
    case StockMovement::Failure::Negative:
        dialogs().message(this, QStringLiteral("Valore non valido"), QString(), Dialogs::Icon::Critical);
        break;
    case StockMovement::Failure::MoreThanAvailable:
        dialogs().message(this, QStringLiteral("QTA' > della QTA' disponibile"),
                          QStringLiteral("Impossibile procedere"), Dialogs::Icon::Exclamation);
        break;
    case StockMovement::Failure::NotANumber:
    case StockMovement::Failure::Overflow:
        showAmountFailure(this, result.failure, false);
        break;
    }
}

void FrmArt::nuovaCategoria()
{
    const auto answer = dialogs().input(this, QStringLiteral("NOME CATEGORIA ?"),
                                        QStringLiteral("Inserimento NUOVA CATEGORIA"), QString());
    if (!answer || answer->trimmed().isEmpty())
        return;
    const QString name = WarehouseRules::categoryName(*answer);
    // The store refuses a name in use, also one another seat has just saved.
    const auto newId = WarehouseStore::insertCategory(name);
    if (!newId && newId.error().number == DbError::Duplicate) {
        dialogs().message(this, QStringLiteral("Categoria ") + name + QStringLiteral(" già esistente"), QString(),
                          Dialogs::Icon::Exclamation);
        return;
    }
    if (!newId) {
        WindowBehaviour::showDbError(this, newId.error());
        return;
    }
    const qint64 shown = m_catId;
    riempiCategorie();
    if (m_itemId != 0) {
        // An existing item keeps the category it shows; showing it again counts as choosing it.
        {
            const QSignalBlocker block(m_comboCat);
            mostraCategoria(shown);
        }
        m_catId = shown;
        m_modificato->set();
    } else {
        mostraCategoria(newId.value());
    }
}

void FrmArt::giaEsistente()
{
    dialogs().message(this,
                      QStringLiteral("Articolo '") + m_txtDes->text().toUpper() + QStringLiteral("' gia esistente"),
                      QString(), Dialogs::Icon::Critical);
}

void FrmArt::salva()
{
    const ItemCheck::Draft draft{m_itemId, m_catId, m_txtDes->text(), m_comboUm->currentText(), m_txtQta->text()};
    const auto failure = ItemCheck::check(draft);
    if (!failure) {
        WindowBehaviour::showDbError(this, failure.error());
        return;
    }
    switch (failure.value()) {
    case ItemCheck::Failure::None:
        break;
    case ItemCheck::Failure::NoCategory:
        dialogs().message(this, QStringLiteral("Selezionare una CATEGORIA"), QString(), Dialogs::Icon::Exclamation);
        m_comboCat->setFocus();
        return;
    case ItemCheck::Failure::NoDescription:
        dialogs().message(this, QStringLiteral("Inserire una DESCRIZIONE"), QString(), Dialogs::Icon::Exclamation);
        m_txtDes->setFocus();
        return;
    case ItemCheck::Failure::DuplicateDescription:
        giaEsistente();
        return;
    case ItemCheck::Failure::NoUnit:
        dialogs().message(this, QStringLiteral("Inserire o Selezionare UNITA' DI MISURA"), QString(),
                          Dialogs::Icon::Exclamation);
        m_comboUm->setFocus();
        return;
    case ItemCheck::Failure::NoQuantity:
        dialogs().message(this, QStringLiteral("Inserire QUANTITA'"), QString(), Dialogs::Icon::Exclamation);
        m_txtQta->setFocus();
        return;
    }
    if (m_modificato->isSet()) {
        WarehouseStore::Item item{m_itemId, m_catId, draft.descrizione, draft.um, StockMovement::current(draft.qta)};
        const auto saved = WarehouseStore::saveItem(item);
        if (!saved && saved.error().number == DbError::Duplicate) {
            // Saved by another seat since the check.
            giaEsistente();
            return;
        }
        if (!saved) {
            WindowBehaviour::showDbError(this, saved.error());
            return;
        }
        switch (saved->outcome) {
        case WarehouseStore::SaveOutcome::Missing:
            dialogs().message(this, QStringLiteral("Errore"), QString(), Dialogs::Icon::None);
            break;
        case WarehouseStore::SaveOutcome::Modified:
            dialogs().message(this, QStringLiteral("Articolo MODIFICATO con successo"), QString(),
                              Dialogs::Icon::Information);
            break;
        case WarehouseStore::SaveOutcome::Inserted:
            m_itemId = saved->id;
            dialogs().message(this, QStringLiteral("Articolo INSERITO con successo"), QString(),
                              Dialogs::Icon::Information);
            break;
        }
        m_modificato->clear();
    }
    accept();
}
