#pragma once

#include "data/dberror.h"

// Sample quotes of last year and this one: for registry customers and with typed header lines,
// one text long enough to take two pages.
namespace QuoteDemo {

DbStatus fill();

} // namespace QuoteDemo
