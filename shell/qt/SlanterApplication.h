#pragma once

#include <QApplication>

namespace slanter {

// The application object. Whatever a window's handler throws and does not catch itself
// ends in the general error box instead of ending the program.
class TSlanterApplication : public QApplication {
    Q_OBJECT

  public:
    TSlanterApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace slanter
