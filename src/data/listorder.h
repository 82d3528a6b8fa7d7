#pragma once

#include <QString>

#include <iterator>
#include <utility>
#include <vector>

// The order of every list: by Database::sortKey (case and accents aside), then by the
// characters, rows alike in both keeping the order they were read in. The rows are sorted here
// rather than by the engine: a list of thousands of rows then costs no function call per row in
// the query, and both engines give the same order, ties included.
namespace ListOrder {

// The positions of `texts` in list order.
std::vector<qsizetype> positions(const std::vector<QString>& texts);

// Puts the rows from `first` on in the order of their `positions`.
template <typename It> void rearrange(It first, const std::vector<qsizetype>& positions)
{
    std::vector<typename std::iterator_traits<It>::value_type> moved;
    moved.reserve(positions.size());
    for (const qsizetype i : positions)
        moved.push_back(std::move(first[i]));
    std::move(moved.begin(), moved.end(), first);
}

// Sorts [first, last) by the text `textOf` gives for each row, stably.
template <typename It, typename TextOf> void sort(It first, It last, TextOf textOf)
{
    std::vector<QString> texts;
    texts.reserve(static_cast<std::size_t>(std::distance(first, last)));
    for (It it = first; it != last; ++it)
        texts.push_back(textOf(*it));
    rearrange(first, positions(texts));
}

template <typename Rows, typename TextOf> void sort(Rows& rows, TextOf textOf)
{
    ListOrder::sort(rows.begin(), rows.end(), textOf);
}

// Sorts rows already grouped by `groupOf` (read ordered by it) inside each group.
template <typename Rows, typename GroupOf, typename TextOf>
void sortWithinGroups(Rows& rows, GroupOf groupOf, TextOf textOf)
{
    auto first = rows.begin();
    while (first != rows.end()) {
        auto last = first;
        while (last != rows.end() && groupOf(*last) == groupOf(*first))
            ++last;
        ListOrder::sort(first, last, textOf);
        first = last;
    }
}

} // namespace ListOrder
