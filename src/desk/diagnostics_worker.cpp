#include "desk/diagnostics_worker.h"

#include <exception>

#include "jsparser/script_parser.h"
#include "language/language_project.h"

namespace quenlo::desk {

DiagnosticsWorker::DiagnosticsWorker(std::string program_folder, QObject* receiver,
                                     std::function<void(Diagnostics)> deliver)
    : receiver_(receiver),
      deliver_(std::move(deliver)),
      parser_(std::make_shared<ScriptParser>()),
      latest_(std::make_shared<std::atomic<int>>(0)),
      builder_(std::make_shared<language::ShadowBuilder>(std::move(program_folder), parser_)) {
    thread_.setObjectName(QStringLiteral("diagnostics"));
    context_ = new QObject;
    context_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
    thread_.start();
}

DiagnosticsWorker::~DiagnosticsWorker() {
    latest_->fetch_add(1);  // what is queued is dropped
    thread_.quit();
    thread_.wait();
}

void DiagnosticsWorker::request(std::string folder, std::map<std::string, std::string> open_texts,
                                bool build) {
    const int generation = latest_->fetch_add(1) + 1;
    QMetaObject::invokeMethod(
        context_, [latest = latest_, parser = parser_, builder = builder_, receiver = receiver_,
                   deliver = deliver_, generation, build, folder = std::move(folder),
                   texts = std::move(open_texts)]() mutable {
            if (latest->load() != generation) return;
            Diagnostics found;
            try {
                const language::LanguageProject project(folder, texts);
                found = language::reading_diagnostics(project, *parser);
                if (build && latest->load() == generation) {
                    try {
                        language::merge_diagnostics(found, builder->build(project, texts));
                    } catch (const std::exception&) {
                        // No copy of the folder could be made (a full disk): what
                        // the reading found is still worth showing.
                    }
                }
            } catch (const std::exception&) {
                return;  // an unreadable folder has nothing to show
            }
            QMetaObject::invokeMethod(
                receiver, [latest, deliver, generation, found = std::move(found)]() mutable {
                    if (latest->load() == generation) deliver(std::move(found));
                });
        });
}

}  // namespace quenlo::desk
