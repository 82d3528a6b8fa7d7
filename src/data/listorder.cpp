#include "data/listorder.h"

#include "data/database.h"

#include <algorithm>
#include <numeric>

namespace ListOrder {

namespace {

struct Entry {
    QStringView key;
    qsizetype position;
};

// The sort keys of all `texts` side by side in one text: one allocation for the whole list.
// Most names are plain ASCII and need only lower case; the others go through Database::sortKey.
QString keysOf(const std::vector<QString>& texts, std::vector<qsizetype>& ends)
{
    qsizetype size = 0;
    for (const QString& t : texts)
        size += t.size();
    QString all;
    all.reserve(size);
    ends.reserve(texts.size());
    for (const QString& t : texts) {
        if (std::all_of(t.cbegin(), t.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
            const qsizetype from = all.size();
            all.append(t);
            for (auto it = all.begin() + from; it != all.end(); ++it)
                if (*it >= u'A' && *it <= u'Z')
                    *it = QChar(it->unicode() | 0x20);
        } else {
            all.append(Database::sortKey(t));
        }
        ends.push_back(all.size());
    }
    return all;
}

class Sorter {
public:
    explicit Sorter(const std::vector<QString>& texts) : m_texts(texts) {}

    // Equal keys go by the characters, then by the order read: a total order.
    bool tieBefore(const Entry& a, const Entry& b) const
    {
        if (const int c = m_texts[a.position].compare(m_texts[b.position]))
            return c < 0;
        return a.position < b.position;
    }

    // Three-way radix quicksort (Bentley and Sedgewick) of entries whose keys share their first
    // `depth` characters: a long common start, as in "CARPENTERIA ROSSI ...", is read once per
    // entry rather than once per comparison.
    void sort(Entry* a, qsizetype n, qsizetype depth) const
    {
        while (n > kFew) {
            const int pivot = medianOf3(charAt(a[0], depth), charAt(a[n / 2], depth), charAt(a[n - 1], depth));
            qsizetype lt = 0;
            qsizetype gt = n;
            qsizetype i = 0;
            while (i < gt) {
                const int c = charAt(a[i], depth);
                if (c < pivot)
                    std::swap(a[lt++], a[i++]);
                else if (c > pivot)
                    std::swap(a[i], a[--gt]);
                else
                    ++i;
            }
            sort(a, lt, depth);
            sort(a + gt, n - gt, depth);
            if (pivot < 0) {
                // Keys ended together: equal.
                std::sort(a + lt, a + gt, [this](const Entry& x, const Entry& y) { return tieBefore(x, y); });
                return;
            }
            a += lt;
            n = gt - lt;
            ++depth;
        }
        std::sort(a, a + n, [this, depth](const Entry& x, const Entry& y) {
            if (const int c = x.key.sliced(depth).compare(y.key.sliced(depth)))
                return c < 0;
            return tieBefore(x, y);
        });
    }

private:
    static constexpr qsizetype kFew = 16;

    // The character at `depth`, -1 past the end (a key before every longer one it starts).
    static int charAt(const Entry& e, qsizetype depth) { return depth < e.key.size() ? e.key[depth].unicode() : -1; }

    static int medianOf3(int a, int b, int c) { return std::max(std::min(a, b), std::min(std::max(a, b), c)); }

    const std::vector<QString>& m_texts;
};

} // namespace

std::vector<qsizetype> positions(const std::vector<QString>& texts)
{
    std::vector<qsizetype> ends;
    const QString keys = keysOf(texts, ends);
    std::vector<Entry> entries;
    entries.reserve(texts.size());
    qsizetype from = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        entries.push_back({QStringView(keys).sliced(from, ends[i] - from), static_cast<qsizetype>(i)});
        from = ends[i];
    }
    Sorter(texts).sort(entries.data(), static_cast<qsizetype>(entries.size()), 0);
    std::vector<qsizetype> order;
    order.reserve(entries.size());
    for (const Entry& e : entries)
        order.push_back(e.position);
    return order;
}

} // namespace ListOrder
