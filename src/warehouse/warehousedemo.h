#pragma once

#include "data/dberror.h"

// Sample warehouse of a metalwork shop: five categories and their items.
namespace WarehouseDemo {

// Adds the categories and items in one transaction; nothing is added when a step fails.
DbStatus fill();

} // namespace WarehouseDemo
