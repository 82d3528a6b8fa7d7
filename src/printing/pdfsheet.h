#pragma once

#include "printing/fontsubset.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QString>

class PageDeflater;

#include <memory>
#include <vector>

// A PDF of A4 sheets written straight from glyphs, lines, rectangles and pictures. It does what our
// pages need and no more, which makes a register of hundreds of pages several times quicker to write
// than through a general painter. Coordinates are dots of kDpi from the sheet's top-left corner.
class PdfSheet {
public:
    static constexpr int kDpi = 1200;

    explicit PdfSheet(const QString& title);
    ~PdfSheet();
    PdfSheet(const PdfSheet&) = delete;
    PdfSheet& operator=(const PdfSheet&) = delete;

    void newPage();
    // The glyphs of `face` with their pen positions from `origin`; `text` holds one letter per glyph,
    // for copying and searching. False, and nothing drawn, when the face cannot be embedded this way.
    bool glyphs(const QRawFont& face, const QPointF& origin, const QList<quint32>& glyphs,
                const QList<QPointF>& positions, const QString& text, const QColor& colour);
    void line(const QPointF& a, const QPointF& b, double width, const QColor& colour);
    void outline(const QRectF& r, double width, const QColor& colour);
    void fill(const QRectF& r, const QColor& colour);
    void picture(const QRectF& r, const QImage& image);

    // The whole file.
    QByteArray finish();

private:
    struct Font {
        FontSubset subset;
        QByteArray name; // resource name, /F1...
        // The letter each glyph was drawn for, by glyph number; 0 for glyphs not drawn.
        std::vector<char16_t> letters;
    };
    struct Picture {
        QImage image;
        QByteArray name;
    };

    Font* font(const QRawFont& face);
    Font* fontByName(const QRawFont& face);
    void endPage();
    void colour(const QColor& c, bool stroke);
    void pen(double width, const QColor& c);
    void box(const QRectF& r);
    void num(double dots);
    void numY(double dots);
    int reserve();
    void object(int number, const QByteArray& body);
    void stream(int number, const QByteArray& dict, const QByteArray& body, bool deflated);
    void writeFont(const Font& f, int number, int index);

    QString m_title;
    std::unique_ptr<PageDeflater> m_deflater;
    QByteArray m_out;
    QByteArray m_page;
    std::vector<qsizetype> m_offsets;
    std::vector<int> m_pageObjects;
    bool m_pageOpen = false;
    int m_resources = 0;
    QHash<QString, Font*> m_fontsByFace;
    std::vector<std::pair<QRawFont, Font*>> m_recentFaces;
    std::vector<std::unique_ptr<Font>> m_fonts;
    QHash<qint64, Picture> m_pictures;
    // What the page's graphics state already holds, so that it is not written again.
    Font* m_currentFont = nullptr;
    double m_currentSize = -1;
    QRgb m_fillColour = qRgb(0, 0, 0);
    QRgb m_strokeColour = qRgb(0, 0, 0);
    double m_lineWidth = -1;
};
