#pragma once
#include <functional>

class QDialog;

namespace tornaly {

// Shows a dialog modally. Tests install a runner that fills the dialog's
// fields and presses its buttons instead of waiting for a person.
using ModalRunner = std::function<int(QDialog&)>;
int RunModal(QDialog& dialog);
// Installs a runner (empty: back to QDialog::exec); returns the previous one.
ModalRunner SetModalRunner(ModalRunner runner);

} // namespace tornaly
