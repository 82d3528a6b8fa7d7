#pragma once

#include "data/dberror.h"

// Sample DDTs of last year and this one: both transport options and none, with and without a
// pick-up date and time, one long enough to take several pages.
namespace DdtDemo {

DbStatus fill();

} // namespace DdtDemo
