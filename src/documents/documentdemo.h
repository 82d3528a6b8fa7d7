#pragma once

#include "data/dberror.h"

// Sample documents of last year and this one: short letters and one long enough for two pages.
namespace DocumentDemo {

DbStatus fill();

} // namespace DocumentDemo
