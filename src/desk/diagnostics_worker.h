#pragma once
// The project's diagnostics as the editor has it, computed on a thread of its
// own so that typing never waits for them. Each request is a reading of the
// open texts; a request overtaken by a newer one before it starts is dropped,
// and only the newest answer is delivered. After a save a real build of the
// texts (in a copy of the folder) adds the build's errors and warnings.

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
    // Answers arrive on the thread of `receiver`, through `deliver`. Builds
    // look for "base.qn" in `program_folder`.
    DiagnosticsWorker(std::string program_folder, QObject* receiver,
                      std::function<void(Diagnostics)> deliver);
    ~DiagnosticsWorker() override;

    // Checks `folder` with `open_texts` standing for their files.
    void request(std::string folder, std::map<std::string, std::string> open_texts,
                 bool build = false);

private:
    QThread thread_;
    QObject* receiver_;
    std::function<void(Diagnostics)> deliver_;
    std::shared_ptr<ScriptParser> parser_;
    std::shared_ptr<std::atomic<int>> latest_;
    std::shared_ptr<language::ShadowBuilder> builder_;  // used on the thread only
    QObject* context_ = nullptr;                        // lives on the thread; requests run there
};

}  // namespace quenlo::desk
