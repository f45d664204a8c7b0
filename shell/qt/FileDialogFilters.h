#pragma once

#include <string>

#include <QString>

class QFileDialog;

namespace slanter {

// Gives a file dialog the filter list (description|pattern pairs) and default suffix
// the program's dialogs use, the descriptions shown as written. The columns of the
// dialog's detail list take the width of their longest entry, so that none is cut, and
// the dialog is made wide enough for them; a platform's own dialog, which has no such
// list, keeps its size.
void SetUpFileDialog(QFileDialog& dialog, const std::string& filter, const QString& defaultSuffix);

} // namespace slanter
