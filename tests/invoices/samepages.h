#pragma once

#include "printing/page.h"

#include <gtest/gtest.h>
#include <vector>

// Whether two papers draw the same items in the same order; the first difference otherwise.
inline ::testing::AssertionResult samePages(const std::vector<Page>& a, const std::vector<Page>& b) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "pages: " << a.size() << " and " << b.size();
    for (std::size_t p = 0; p < a.size(); ++p) {
        const auto& x = a[p].items();
        const auto& y = b[p].items();
        if (x.size() != y.size())
            return ::testing::AssertionFailure()
                   << "page " << p + 1 << " items: " << x.size() << " and " << y.size();
        for (std::size_t i = 0; i < x.size(); ++i) {
            const DrawItem& u = x[i];
            const DrawItem& v = y[i];
            if (u.kind != v.kind || u.x != v.x || u.y != v.y || u.x2 != v.x2 || u.y2 != v.y2 ||
                u.text != v.text || !(u.font == v.font) || u.colour != v.colour || u.filled != v.filled)
                return ::testing::AssertionFailure()
                       << "page " << p + 1 << " item " << i << ": \"" << u.text.toStdString() << "\" and \""
                       << v.text.toStdString() << "\"";
        }
    }
    return ::testing::AssertionSuccess();
}
