#pragma once

#include <functional>

#include <QObject>

namespace slanter {

// Ends the program from outside (a termination signal) whatever dialog is open. Every
// dialog, open now or shown later, is answered as if cancelled, so that the code waiting on
// it goes on and returns; the main window closes as its Exit command closes it; and its
// Closed signal then ends every running event loop. A request that comes before the main
// event loop runs (a message about a picture named on the command line) is kept in
// Requested, and the loop must then not start.
class ProgramEnd : public QObject {
  public:
    explicit ProgramEnd(std::function<void()> closeMainWindow);

    void Request();
    bool Requested() const { return requested_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> closeMainWindow_;
    bool requested_ = false;
};

} // namespace slanter
