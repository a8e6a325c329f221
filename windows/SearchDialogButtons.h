#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;

namespace velatask {

// The row of the search's small dialogs: an OK button (the default, accepting the dialog) and a
// cancel button (rejecting it) at the right.
QHBoxLayout* searchDialogButtons(QDialog* dialog, const QString& okText, const QString& cancelText);

} // namespace velatask
