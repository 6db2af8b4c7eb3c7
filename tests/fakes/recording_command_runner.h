#pragma once

#include "platform/command_runner.h"

#include <QStringList>

#include <functional>

namespace etq::test {

// Records the batches it is asked to start; can run a step of its own at that moment.
struct RecordingCommandRunner : CommandRunner {
    void startBatch(const QString& batchPath) override {
        started.append(batchPath);
        onStart(batchPath);
    }
    QStringList started;
    std::function<void(const QString&)> onStart = [](const QString&) {};
};

}  // namespace etq::test
