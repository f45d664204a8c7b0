#pragma once

#include <functional>

#include <QObject>

class QSocketNotifier;

namespace slanter {

// Turns a request to end the process (SIGINT, SIGTERM, SIGHUP: Ctrl+C in a terminal, the
// session ending) into a call on the user-interface thread, so that the program ends
// as its Exit command does: placements saved, temporary pictures removed. One at a time.
class TerminationSignals : public QObject {
    Q_OBJECT

  public:
    explicit TerminationSignals(std::function<void()> onRequest);
    ~TerminationSignals() override;

  private:
    void Receive();

    std::function<void()> onRequest_;
    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr; // a child of this object
};

} // namespace slanter
