#include "printing/pdfsheet.h"

#include "printing/pagedeflater.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPointsPerDot = 72.0 / PdfSheet::kDpi;
// A4 in whole points, as Qt writes it.
constexpr double kHeight = 842;
// Page streams are mostly text positions and glyph numbers: the quickest compression already
// makes them a fifth of their size.
constexpr int kPageCompression = 1;
// Faces and pictures are written once: they get the usual compression.
constexpr int kFontCompression = 6;

const char kHex[] = "0123456789ABCDEF";

void appendFixed(QByteArray& out, double v, int decimals)
{
    const double scale = decimals == 3 ? 1000.0 : 100.0;
    long long n = std::llround(v * scale);
    if (n < 0) {
        out.append('-');
        n = -n;
    }
    const long long whole = n / static_cast<long long>(scale);
    long long frac = n % static_cast<long long>(scale);
    char buf[24];
    int len = 0;
    long long w = whole;
    do {
        buf[len++] = static_cast<char>('0' + w % 10);
        w /= 10;
    } while (w);
    while (len)
        out.append(buf[--len]);
    if (frac) {
        int digits = decimals;
        while (frac % 10 == 0) {
            frac /= 10;
            --digits;
        }
        out.append('.');
        char f[4];
        for (int i = digits - 1; i >= 0; --i) {
            f[i] = static_cast<char>('0' + frac % 10);
            frac /= 10;
        }
        out.append(f, digits);
    }
}

void appendHex16(QByteArray& out, quint32 v)
{
    const char b[4] = {kHex[(v >> 12) & 15], kHex[(v >> 8) & 15], kHex[(v >> 4) & 15], kHex[v & 15]};
    out.append(b, 4);
}

QByteArray utf16Text(const QString& s)
{
    QByteArray out("<FEFF");
    for (const QChar c : s)
        appendHex16(out, c.unicode());
    out.append('>');
    return out;
}

} // namespace

PdfSheet::PdfSheet(const QString& title) : m_title(title), m_deflater(std::make_unique<PageDeflater>(kPageCompression))
{
    m_out.reserve(1 << 20);
    m_out.append("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    m_offsets.assign(5, 0); // 0 free, 1 catalogue, 2 page tree, 3 information, 4 resources
    m_resources = 4;
}

PdfSheet::~PdfSheet() = default;

int PdfSheet::reserve()
{
    m_offsets.push_back(0);
    return static_cast<int>(m_offsets.size()) - 1;
}

void PdfSheet::object(int number, const QByteArray& body)
{
    m_offsets[number] = m_out.size();
    m_out.append(QByteArray::number(number));
    m_out.append(" 0 obj\n");
    m_out.append(body);
    m_out.append("\nendobj\n");
}

void PdfSheet::stream(int number, const QByteArray& dict, const QByteArray& body, bool deflated)
{
    m_offsets[number] = m_out.size();
    m_out.append(QByteArray::number(number));
    m_out.append(" 0 obj\n<< ");
    m_out.append(dict);
    if (deflated)
        m_out.append(" /Filter /FlateDecode");
    m_out.append(" /Length ");
    m_out.append(QByteArray::number(body.size()));
    m_out.append(" >>\nstream\n");
    m_out.append(body);
    m_out.append("\nendstream\nendobj\n");
}

void PdfSheet::num(double dots)
{
    appendFixed(m_page, dots * kPointsPerDot, 2);
    m_page.append(' ');
}

void PdfSheet::numY(double dots)
{
    appendFixed(m_page, kHeight - dots * kPointsPerDot, 2);
    m_page.append(' ');
}

void PdfSheet::newPage()
{
    endPage();
    m_pageOpen = true;
    m_page.clear();
    m_page.reserve(64 * 1024);
    // A new page starts from the default state; the cap and join are those of Qt's square pens.
    m_currentFont = nullptr;
    m_currentSize = -1;
    m_fillColour = qRgb(0, 0, 0);
    m_strokeColour = qRgb(0, 0, 0);
    m_lineWidth = -1;
    m_page.append("2 J 2 j\n");
}

void PdfSheet::endPage()
{
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    // The page and its content get numbers in a row now; both are written once compressed.
    m_pageObjects.push_back(reserve());
    reserve();
    m_deflater->add(std::move(m_page));
    m_page = QByteArray();
}

void PdfSheet::colour(const QColor& c, bool stroke)
{
    const QRgb rgb = c.rgb();
    QRgb& current = stroke ? m_strokeColour : m_fillColour;
    if (rgb == current)
        return;
    current = rgb;
    appendFixed(m_page, qRed(rgb) / 255.0, 3);
    m_page.append(' ');
    appendFixed(m_page, qGreen(rgb) / 255.0, 3);
    m_page.append(' ');
    appendFixed(m_page, qBlue(rgb) / 255.0, 3);
    m_page.append(stroke ? " RG\n" : " rg\n");
}

PdfSheet::Font* PdfSheet::font(const QRawFont& face)
{
    // A page changes among a few faces many times: they are told apart by identity first.
    for (const auto& [known, f] : m_recentFaces)
        if (known == face)
            return f;
    Font* f = fontByName(face);
    m_recentFaces.emplace_back(face, f);
    return f;
}

PdfSheet::Font* PdfSheet::fontByName(const QRawFont& face)
{
    const QString key = face.familyName() + QLatin1Char('|') + face.styleName();
    if (const auto it = m_fontsByFace.constFind(key); it != m_fontsByFace.cend())
        return *it;
    Font* made = nullptr;
    if (auto subset = FontSubset::of(face)) {
        m_fonts.push_back(std::make_unique<Font>(Font{std::move(*subset), {}, {}}));
        made = m_fonts.back().get();
        made->name = "F" + QByteArray::number(m_fonts.size());
    }
    m_fontsByFace.insert(key, made);
    return made;
}

bool PdfSheet::glyphs(const QRawFont& face, const QPointF& origin, const QList<quint32>& glyphs,
                      const QList<QPointF>& positions, const QString& text, const QColor& c)
{
    Font* f = font(face);
    if (!f || glyphs.size() != text.size() || positions.size() != glyphs.size())
        return false;
    if (!m_pageOpen)
        newPage();
    colour(c, false);
    const double size = face.pixelSize();
    if (f != m_currentFont || size != m_currentSize) {
        m_currentFont = f;
        m_currentSize = size;
        m_page.append('/');
        m_page.append(f->name);
        m_page.append(' ');
        appendFixed(m_page, size * kPointsPerDot, 3);
        m_page.append(" Tf\n");
    }
    m_page.append("BT ");
    num(origin.x() + positions.first().x());
    numY(origin.y() + positions.first().y());
    m_page.append("Td [<");
    const double perUnit = size / f->subset.unitsPerEm();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const quint32 g = glyphs[i];
        if (i > 0) {
            // Where the face's own advance would put this glyph, against where the layout put it.
            const double nominal = positions[i - 1].x() + f->subset.advance(glyphs[i - 1]) * perUnit;
            const long shift = std::lround((nominal - positions[i].x()) / size * 1000);
            if (shift != 0) {
                m_page.append("> ");
                m_page.append(QByteArray::number(static_cast<qlonglong>(shift)));
                m_page.append(" <");
            }
        }
        appendHex16(m_page, g);
        if (g >= f->letters.size())
            f->letters.resize(g + 1, 0);
        if (!f->letters[g])
            f->letters[g] = text[i].unicode();
    }
    m_page.append(">] TJ ET\n");
    return true;
}

void PdfSheet::pen(double width, const QColor& c)
{
    if (!m_pageOpen)
        newPage();
    colour(c, true);
    if (width != m_lineWidth) {
        m_lineWidth = width;
        appendFixed(m_page, width * kPointsPerDot, 3);
        m_page.append(" w\n");
    }
}

void PdfSheet::box(const QRectF& r)
{
    num(r.left());
    numY(r.bottom());
    num(r.width());
    num(r.height());
}

void PdfSheet::line(const QPointF& a, const QPointF& b, double width, const QColor& c)
{
    pen(width, c);
    num(a.x());
    numY(a.y());
    m_page.append("m ");
    num(b.x());
    numY(b.y());
    m_page.append("l S\n");
}

void PdfSheet::outline(const QRectF& r, double width, const QColor& c)
{
    pen(width, c);
    box(r);
    m_page.append("re S\n");
}

void PdfSheet::fill(const QRectF& r, const QColor& c)
{
    if (!m_pageOpen)
        newPage();
    colour(c, false);
    box(r);
    m_page.append("re f\n");
}

void PdfSheet::picture(const QRectF& r, const QImage& image)
{
    if (image.isNull())
        return;
    if (!m_pageOpen)
        newPage();
    auto it = m_pictures.find(image.cacheKey());
    if (it == m_pictures.end())
        it = m_pictures.insert(image.cacheKey(),
                               Picture{image, "Im" + QByteArray::number(m_pictures.size() + 1)});
    m_page.append("q ");
    num(r.width());
    m_page.append("0 0 ");
    num(r.height());
    num(r.left());
    numY(r.bottom());
    m_page.append("cm /");
    m_page.append(it->name);
    m_page.append(" Do Q\n");
}

void PdfSheet::writeFont(const Font& f, int number, int index)
{
    const FontSubset& s = f.subset;
    QSet<quint32> used;
    for (quint32 g = 0; g < f.letters.size(); ++g)
        if (f.letters[g])
            used.insert(g);
    // The six letters in front tell a viewer the face is a part of the one named.
    QByteArray tag = "CORV";
    tag.append(static_cast<char>('A' + index / 26 % 26));
    tag.append(static_cast<char>('A' + index % 26));
    const QByteArray base = tag + '+' + s.postScriptName().toLatin1();

    const int cid = reserve();
    const int descriptor = reserve();
    const int file = reserve();
    const int unicode = reserve();
    const auto units = [&s](int v) { return QByteArray::number(std::lround(v * 1000.0 / s.unitsPerEm())); };

    object(number, "<< /Type /Font /Subtype /Type0 /BaseFont /" + base + " /Encoding /Identity-H /DescendantFonts [" +
                       QByteArray::number(cid) + " 0 R] /ToUnicode " + QByteArray::number(unicode) + " 0 R >>");

    std::vector<quint32> sorted(used.begin(), used.end());
    std::sort(sorted.begin(), sorted.end());
    QByteArray widths = "[";
    for (const quint32 g : sorted)
        widths += QByteArray::number(g) + " [" + units(s.advance(g)) + "] ";
    widths += "]";
    object(cid, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + base +
                    " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor " +
                    QByteArray::number(descriptor) + " 0 R /CIDToGIDMap /Identity /W " + widths + " >>");

    const int* box = s.box();
    object(descriptor, "<< /Type /FontDescriptor /FontName /" + base + " /Flags 32 /FontBBox [" + units(box[0]) +
                           ' ' + units(box[1]) + ' ' + units(box[2]) + ' ' + units(box[3]) +
                           "] /ItalicAngle 0 /Ascent " + units(s.ascent()) + " /Descent " + units(s.descent()) +
                           " /CapHeight " + units(s.ascent()) + " /StemV 80 /FontFile2 " + QByteArray::number(file) +
                           " 0 R >>");

    const QByteArray face = s.file(used);
    stream(file, "/Length1 " + QByteArray::number(face.size()), PageDeflater::deflated(face, kFontCompression), true);

    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (std::size_t from = 0; from < sorted.size(); from += 100) {
        const std::size_t to = std::min(sorted.size(), from + 100);
        cmap += QByteArray::number(static_cast<qulonglong>(to - from)) + " beginbfchar\n";
        for (std::size_t i = from; i < to; ++i) {
            cmap += '<';
            appendHex16(cmap, sorted[i]);
            cmap += "> <";
            appendHex16(cmap, f.letters[sorted[i]]);
            cmap += ">\n";
        }
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    stream(unicode, QByteArray(), cmap, false);
}

QByteArray PdfSheet::finish()
{
    if (!m_pageOpen && m_pageObjects.empty())
        newPage();
    endPage();
    const std::vector<QByteArray> contents = m_deflater->finish();
    for (std::size_t i = 0; i < m_pageObjects.size(); ++i) {
        const int page = m_pageObjects[i];
        const int content = page + 1;
        object(page, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources 4 0 R /Contents " +
                         QByteArray::number(content) + " 0 R >>");
        stream(content, QByteArray(), contents[i], true);
    }

    QByteArray fonts;
    int index = 0;
    for (const auto& f : m_fonts) {
        const int number = reserve();
        writeFont(*f, number, index++);
        fonts += '/' + f->name + ' ' + QByteArray::number(number) + " 0 R ";
    }
    QByteArray pictures;
    for (auto it = m_pictures.cbegin(); it != m_pictures.cend(); ++it) {
        const QImage rgba = it->image.convertToFormat(QImage::Format_RGBA8888);
        QByteArray rgb;
        QByteArray alpha;
        rgb.reserve(rgba.width() * rgba.height() * 3);
        bool opaque = true;
        for (int y = 0; y < rgba.height(); ++y) {
            const uchar* p = rgba.constScanLine(y);
            for (int x = 0; x < rgba.width(); ++x, p += 4) {
                rgb.append(reinterpret_cast<const char*>(p), 3);
                alpha.append(static_cast<char>(p[3]));
                opaque = opaque && p[3] == 255;
            }
        }
        const QByteArray size = " /Width " + QByteArray::number(rgba.width()) + " /Height " +
                                QByteArray::number(rgba.height()) + " /BitsPerComponent 8";
        QByteArray mask;
        if (!opaque) {
            const int m = reserve();
            stream(m, "/Type /XObject /Subtype /Image /ColorSpace /DeviceGray" + size, PageDeflater::deflated(alpha, kFontCompression), true);
            mask = " /SMask " + QByteArray::number(m) + " 0 R";
        }
        const int number = reserve();
        stream(number, "/Type /XObject /Subtype /Image /ColorSpace /DeviceRGB" + size + mask, PageDeflater::deflated(rgb, kFontCompression), true);
        pictures += '/' + it->name + ' ' + QByteArray::number(number) + " 0 R ";
    }
    object(m_resources, "<< /ProcSet [/PDF /Text /ImageC] /Font << " + fonts + ">> /XObject << " + pictures + ">> >>");

    QByteArray kids;
    for (const int p : m_pageObjects)
        kids += QByteArray::number(p) + " 0 R ";
    object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(m_pageObjects.size()) + " >>");
    object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    const QByteArray now = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    object(3, "<< /Title " + utf16Text(m_title) + " /Creator (Corvalisto) /Producer (Corvalisto) /CreationDate (D:" +
                  now + "Z) >>");

    const qsizetype xref = m_out.size();
    m_out += "xref\n0 " + QByteArray::number(m_offsets.size()) + "\n0000000000 65535 f \n";
    for (std::size_t i = 1; i < m_offsets.size(); ++i)
        m_out += QByteArray::number(m_offsets[i]).rightJustified(10, '0') + " 00000 n \n";
    m_out += "trailer\n<< /Size " + QByteArray::number(m_offsets.size()) +
             " /Root 1 0 R /Info 3 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return m_out;
}
