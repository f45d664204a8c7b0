#pragma once

class QWidget;

namespace slanter {

// A window's placement lives in the section named like the form's object name
// ("MainForm"), as StoredPlacement keeps it: its normal (restored) geometry and state.

// Whether the user can resize the window; fixed-size windows store no size.
bool IsSizeableFrame(const QWidget& form);

void SaveFormPlacement(const QWidget& form);

// Applies the stored values brought, frame included, within the available area of the
// screen they name (FitFramedPlacement); a value that is missing or does not convert keeps the
// form's present one.
void RestoreFormPlacement(QWidget& form);

} // namespace slanter
