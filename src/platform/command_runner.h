#pragma once

#include <QString>

namespace etq {

// Starts commands outside the program: the one-line print batch of the thermal label job.
class CommandRunner {
  public:
    virtual ~CommandRunner() = default;
    // Runs the batch file as a separate process and returns at once, without waiting for it.
    // A batch that cannot be read or a process that cannot be started raises etq::Error; a
    // batch the runner cannot carry out is reported to the operator and nothing is run.
    virtual void startBatch(const QString& batchPath) = 0;
};

}  // namespace etq
