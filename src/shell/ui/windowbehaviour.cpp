#include "shell/ui/windowbehaviour.h"

#include "data/customerlist.h"
#include "data/runtimeerrors.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/accessiblecombo.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cmath>

namespace {

QRect availableScreen(const QWidget* w)
{
    QScreen* screen = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

// The designed background: a quiet steel-grey gradient.
QPixmap builtInBackground(const QSize& size)
{
    QPixmap pix(size.isEmpty() ? QSize(16, 16) : size);
    QPainter p(&pix);
    QLinearGradient g(0, 0, 0, pix.height());
    g.setColorAt(0, QColor(0xE8, 0xEB, 0xEE));
    g.setColorAt(1, QColor(0xC9, 0xCF, 0xD6));
    p.fillRect(pix.rect(), g);
    return pix;
}

// Keeps the window's background stretched over the whole window as it is resized.
class BackgroundKeeper : public QObject {
public:
    explicit BackgroundKeeper(QWidget* window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
        window->setAutoFillBackground(true);
    }
    void setPicture(const QPixmap& picture)
    {
        m_picture = picture;
        apply();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Resize)
            apply();
        return false;
    }

private:
    void apply()
    {
        const QSize size = m_window->size().expandedTo(QSize(1, 1));
        const QPixmap pix = m_picture.isNull()
                                ? builtInBackground(size)
                                : m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPalette pal = m_window->palette();
        pal.setBrush(QPalette::Window, QBrush(pix));
        m_window->setPalette(pal);
    }

    QWidget* m_window;
    QPixmap m_picture;
};

} // namespace

namespace WindowBehaviour {

int twipsToPixels(int twips, const QWidget* reference)
{
    const double dpi =
        reference ? reference->logicalDpiX()
                  : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInchX() : 96.0);
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

void sizeAndCentre(QWidget* window, int widthTwips, int heightTwips)
{
    const int w = twipsToPixels(widthTwips, window);
    const int h = twipsToPixels(heightTwips, window);
    window->resize(w, h);
    const QRect screen = availableScreen(window);
    // A screen smaller than the window puts it partly off screen, as computed.
    window->move(screen.x() + (screen.width() - w) / 2, screen.y() + (screen.height() - h) / 2);
}

void centreOnly(QWidget* window)
{
    const QRect screen = availableScreen(window);
    const QSize size = window->size();
    window->move(screen.x() + (screen.width() - size.width()) / 2, screen.y() + (screen.height() - size.height()) / 2);
}

void setBackground(QWidget* window, const QString& relativeFile)
{
    QPixmap pix;
    const QString file = app().path(relativeFile);
    if (QFile::exists(file))
        pix.load(file);
    BackgroundKeeper* keeper = nullptr;
    for (QObject* child : window->children())
        if ((keeper = dynamic_cast<BackgroundKeeper*>(child)))
            break;
    if (!keeper)
        keeper = new BackgroundKeeper(window);
    keeper->setPicture(pix);
}

bool checkDateBox(QLineEdit* box)
{
    box->setText(Formats::reformatDate(box->text()));
    if (Formats::parseDate(box->text()))
        return true;
    dialogs().message(box->window(), QStringLiteral("Data non valida"), QString(), Dialogs::Icon::Critical);
    // Back into the box once the current focus change has finished.
    QTimer::singleShot(0, box, [box] { box->setFocus(); });
    return false;
}

std::optional<int> askYear(QWidget* parent)
{
    const auto answer = dialogs().input(parent, QStringLiteral("Inserire ANNO"), QString(),
                                        QString::number(QDate::currentDate().year()));
    if (!answer || answer->trimmed().isEmpty())
        return std::nullopt;
    const auto value = Formats::parseNumber(*answer);
    if (!value) {
        showRuntimeError(parent, RuntimeErrors::TypeMismatch);
        return std::nullopt;
    }
    const Decimal nearest = value->rounded(0);
    if (nearest < Decimal(1) || nearest > Decimal(9999)) {
        showRuntimeError(parent, RuntimeErrors::Overflow);
        return std::nullopt;
    }
    return static_cast<int>(nearest.integerPart());
}

DbStatus riempiClienti(QComboBox* ids, QComboBox* names)
{
    ids->clear();
    names->clear();
    const auto customers = validCustomersByName();
    if (!customers)
        return customers.error();
    fillCustomerLists(ids, names, customers.value());
    return std::nullopt;
}

void fillCustomerLists(QComboBox* ids, QComboBox* names, const QList<CustomerEntry>& customers)
{
    QStringList idTexts;
    QStringList nameTexts;
    for (const CustomerEntry& c : customers) {
        idTexts << QString::number(c.id);
        nameTexts << c.nome;
    }
    ids->addItems(idTexts);
    names->addItems(nameTexts);
}

void showDbError(QWidget* parent, const DbError& error)
{
    dialogs().message(parent, error.text, error.title(), Dialogs::Icon::Critical);
}

void showRuntimeError(QWidget* parent, int code)
{
    dialogs().message(parent, RuntimeErrors::text(code), RuntimeErrors::title(code), Dialogs::Icon::Critical);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (!tooltip.isEmpty())
        b->setToolTip(tooltip);
    setAccessible(b, caption.isEmpty() ? tooltip : caption);
    return b;
}

QLineEdit* amountBox(QWidget* parent, const QString& name)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(name);
    b->setReadOnly(true);
    b->setAlignment(Qt::AlignRight);
    return b;
}

void setAccessible(QWidget* control, const QString& name)
{
    QString clean = name;
    clean.remove(u'&');
    control->setAccessibleName(clean);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        AccessibleCombo::install(combo);
}

} // namespace WindowBehaviour

FocusFrame::FocusFrame(QWidget* window, bool editorVariant)
    : QObject(window), m_shape(new QFrame(window)), m_editorVariant(editorVariant)
{
    m_shape->setObjectName(QStringLiteral("Shape1"));
    m_shape->setFrameShape(QFrame::Box);
    m_shape->setLineWidth(2);
    m_shape->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 2px solid #1f5fa8; background: transparent; }"));
    m_shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_shape->setAccessibleName(QStringLiteral("Cornice del campo attivo"));
    m_shape->hide();
}

void FocusFrame::track(QWidget* control)
{
    control->installEventFilter(this);
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        frame(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

void FocusFrame::frame(QWidget* control)
{
    if (m_editorVariant)
        m_shape->hide();
    QWidget* window = m_shape->parentWidget();
    const QRect r(control->mapTo(window, QPoint(0, 0)), control->size());
    const int margin = std::max(1, WindowBehaviour::twipsToPixels(4, window));
    m_shape->setGeometry(r.adjusted(-margin, -margin, margin, margin));
    m_shape->show();
    m_shape->lower();
}

void ModifiedFlag::watch(QLineEdit* box)
{
    connect(box, &QLineEdit::textChanged, this, [this] { m_set = true; });
}

void ModifiedFlag::watch(QPlainTextEdit* box)
{
    connect(box, &QPlainTextEdit::textChanged, this, [this] { m_set = true; });
}

void ModifiedFlag::watch(QComboBox* combo)
{
    connect(combo, &QComboBox::currentTextChanged, this, [this] { m_set = true; });
}

void ModifiedFlag::watch(QAbstractButton* button)
{
    connect(button, &QAbstractButton::clicked, this, [this] { m_set = true; });
}
