#pragma once

#include <functional>
#include <string>

#include <QString>

#include "shell/PlatformServices.h"

class QMainWindow;

namespace slanter {

using SaveControl = BackgroundControl;

// Runs job on a thread of its own and answers its answer once it has finished, while the
// program's events go on: every window stays usable. The window shows a busy cursor and,
// past a second, a progress bar and a Cancel button (cancelText) at its foot. job must not
// touch the toolkit. Should the program end meanwhile, the job is cancelled and awaited.
std::string RunSaveInBackground(QMainWindow& window, const QString& cancelText,
                                const std::function<std::string(SaveControl&)>& job);

} // namespace slanter
