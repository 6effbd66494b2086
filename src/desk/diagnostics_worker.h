#pragma once
// The project's diagnostics as the editor has it, computed on a thread of its
// own so that typing never waits for them. Each request is a reading of the
// open texts; a request overtaken by a newer one before it starts is dropped,
// and only the newest answer is delivered.

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "language/project_diagnostics.h"

namespace quenlo {
class ScriptParser;
}

namespace quenlo::desk {

using Diagnostics = std::vector<language::PlacedDiagnostic>;

class DiagnosticsWorker : public QObject {
    Q_OBJECT
public:
    // Answers arrive on the thread of `receiver`, through `deliver`.
    DiagnosticsWorker(QObject* receiver, std::function<void(Diagnostics)> deliver);
    ~DiagnosticsWorker() override;

    // Checks `folder` with `open_texts` standing for their files.
    void request(std::string folder, std::map<std::string, std::string> open_texts);

private:
    QThread thread_;
    QObject* receiver_;
    std::function<void(Diagnostics)> deliver_;
    std::shared_ptr<ScriptParser> parser_;
    std::shared_ptr<std::atomic<int>> latest_;
    QObject* context_ = nullptr;  // lives on the thread; requests run there
};

}  // namespace quenlo::desk
