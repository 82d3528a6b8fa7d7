#pragma once

// Joins the windows of one subsystem to those of a higher one, which the lower cannot name: the
// DDT register's invoicing, the customer's electronic invoice data, the registers' pdf command.
namespace PaperWindows {

void install();

} // namespace PaperWindows
