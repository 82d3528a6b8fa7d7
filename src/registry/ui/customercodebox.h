#pragma once

class QComboBox;
class QWidget;

// The hidden list of customer codes beside a customer list ("ComboIdCli"), entry for entry.
namespace CustomerCodeBox {

QComboBox* create(QWidget* parent);

} // namespace CustomerCodeBox
