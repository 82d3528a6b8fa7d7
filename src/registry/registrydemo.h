#pragma once

#include "data/dberror.h"

// Sample customers for a demonstration working folder.
namespace RegistryDemo {

// Adds about twenty customers in one transaction; nothing is added on failure.
DbStatus fill();

} // namespace RegistryDemo
