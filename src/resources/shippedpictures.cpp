#include "resources/shippedpictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kButtonSize = 48;

const QColor kSteel(0x3a, 0x4a, 0x5c);
const QColor kRust(0xc0, 0x5a, 0x1e);

void drawPerson(QPainter& p)
{
    p.setBrush(kSteel);
    p.drawEllipse(QPointF(24, 16), 8, 8);
    QPainterPath body;
    body.moveTo(10, 42);
    body.cubicTo(10, 26, 38, 26, 38, 42);
    body.closeSubpath();
    p.drawPath(body);
}

void drawBoxes(QPainter& p)
{
    p.setBrush(QColor(0xb8, 0x86, 0x4b));
    p.drawRect(8, 26, 15, 14);
    p.drawRect(25, 26, 15, 14);
    p.drawRect(16, 11, 15, 14);
    p.setPen(QPen(kSteel, 2));
    p.drawLine(4, 42, 44, 42);
}

void drawTruck(QPainter& p)
{
    p.setBrush(kSteel);
    p.drawRect(5, 14, 24, 18);
    QPainterPath cab;
    cab.moveTo(30, 19);
    cab.lineTo(38, 19);
    cab.lineTo(44, 26);
    cab.lineTo(44, 32);
    cab.lineTo(30, 32);
    cab.closeSubpath();
    p.setBrush(kRust);
    p.drawPath(cab);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(13, 35), 4, 4);
    p.drawEllipse(QPointF(37, 35), 4, 4);
}

void drawSheet(QPainter& p, const QString& mark, const QColor& markColour)
{
    p.setBrush(Qt::white);
    p.setPen(QPen(kSteel, 1.5));
    p.drawRect(11, 5, 26, 36);
    p.setPen(QPen(QColor(0x90, 0x99, 0xa4), 1.5));
    for (int y = 12; y <= 22; y += 5)
        p.drawLine(15, y, 33, y);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(markColour);
    p.drawText(QRect(11, 24, 26, 17), Qt::AlignCenter, mark);
}

void drawExit(QPainter& p)
{
    p.setBrush(QColor(0x6b, 0x4a, 0x2b));
    p.drawRect(10, 6, 20, 36);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kRust, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(24, 24, 43, 24);
    p.drawLine(36, 17, 43, 24);
    p.drawLine(36, 31, 43, 24);
}

void drawArchive(QPainter& p)
{
    p.setBrush(QColor(0xd9, 0xa4, 0x41));
    QPainterPath folder;
    folder.moveTo(5, 12);
    folder.lineTo(18, 12);
    folder.lineTo(22, 16);
    folder.lineTo(43, 16);
    folder.lineTo(43, 40);
    folder.lineTo(5, 40);
    folder.closeSubpath();
    p.drawPath(folder);
    p.setPen(QPen(kSteel, 2));
    p.drawLine(18, 27, 30, 27);
}

} // namespace

namespace ShippedPictures {

QString buttonFile(int index, bool highlighted)
{
    return QStringLiteral("Img/img%1%2.bmp").arg(index + 1).arg(highlighted ? QStringLiteral("_2") : QString());
}

QImage button(int index, bool highlighted)
{
    QImage img(kButtonSize, kButtonSize, QImage::Format_RGB32);
    img.fill(highlighted ? QColor(0xE0, 0xE0, 0xE0) : QColor(0xC0, 0xC0, 0xC0));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (highlighted) {
        // The highlighted picture lifts the symbol with a warm underline.
        p.fillRect(QRect(4, 44, 40, 3), kRust);
    }
    switch (index) {
    case 0:
        drawPerson(p);
        break;
    case 1:
        drawBoxes(p);
        break;
    case 2:
        drawTruck(p);
        break;
    case 3:
        drawSheet(p, QStringLiteral("€"), kRust);
        break;
    case 4:
        drawExit(p);
        break;
    case 5:
        drawSheet(p, QStringLiteral("%"), kSteel);
        break;
    case 6:
        drawSheet(p, QStringLiteral("+"), QColor(0x2e, 0x7d, 0x32));
        break;
    default:
        drawArchive(p);
        break;
    }
    return img;
}

QImage logo(bool colour)
{
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ring = colour ? kRust : QColor(0x30, 0x30, 0x30);
    const QColor fill = colour ? kSteel : QColor(0x10, 0x10, 0x10);
    p.setPen(QPen(ring, 10));
    p.setBrush(fill);
    p.drawEllipse(QPointF(100, 100), 88, 88);
    // An anvil, the trade's sign.
    QPainterPath anvil;
    anvil.moveTo(40, 78);
    anvil.lineTo(150, 78);
    anvil.cubicTo(168, 78, 172, 92, 172, 92);
    anvil.lineTo(130, 96);
    anvil.lineTo(122, 112);
    anvil.lineTo(138, 140);
    anvil.lineTo(62, 140);
    anvil.lineTo(78, 112);
    anvil.lineTo(70, 96);
    anvil.cubicTo(50, 96, 40, 88, 40, 78);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(anvil);
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 142, 200, 36), Qt::AlignCenter, QStringLiteral("CV"));
    return img;
}

QStringList fileNames()
{
    QStringList out;
    for (int i = 0; i < 8; ++i)
        for (bool hl : {false, true})
            out << buttonFile(i, hl).mid(4);
    return out << QStringLiteral("Logo.bmp") << QStringLiteral("LogoBN.bmp");
}

QImage picture(const QString& fileName)
{
    if (fileName == QStringLiteral("Logo.bmp"))
        return logo(true);
    if (fileName == QStringLiteral("LogoBN.bmp"))
        return logo(false);
    for (int i = 0; i < 8; ++i)
        for (bool hl : {false, true})
            if (buttonFile(i, hl).mid(4) == fileName)
                return button(i, hl);
    return {};
}

} // namespace ShippedPictures
