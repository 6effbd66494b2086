#include "app/play_session.h"

#include <QFile>

#include "foundation/error.h"

#ifdef QUENLO_WITH_PREVIEW
#include "preview/preview_server.h"
#endif

namespace quenlo::app {

#ifdef QUENLO_WITH_PREVIEW
struct PlaySession::Server {
    PreviewServer preview;
    QUrl address;
};

namespace {

// The served page, or none when no port is free. The game's script errors
// come on the server's thread, and reach the window as a queued signal.
std::unique_ptr<PlaySession::Server> start_server(const std::string& folder, PlaySession& session) {
    auto server = std::make_unique<PlaySession::Server>();
    const auto report = [&session](const std::vector<std::string>& lines) {
        QStringList shown;
        for (const std::string& line : lines) shown << QString::fromStdString(line);
        emit session.script_error(shown);
    };
    try {
        const int port = server->preview.start(folder, false, default_preview_port, report);
        server->address = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
        return server;
    } catch (const Error&) {
        return nullptr;
    }
}

}  // namespace
#else
struct PlaySession::Server {};

namespace {

std::unique_ptr<PlaySession::Server> start_server(const std::string&, PlaySession&) {
    return nullptr;
}

}  // namespace
#endif

PlaySession::PlaySession(std::string project_folder)
    : folder_(std::move(project_folder)), server_(start_server(folder_, *this)), watcher_(folder_) {
    watching_ = std::thread([this] {
        while (watcher_.wait_for_change(stop_)) emit source_saved();
    });
}

PlaySession::~PlaySession() {
    stop_ = true;
    watching_.join();
}

void PlaySession::project_saved() {
    emit source_saved();
}

void PlaySession::build_finished(const BuildResult& result) {
#ifdef QUENLO_WITH_PREVIEW
    if (server_) {
        server_->preview.build_finished(folder_, result);
        if (result.succeeded) page_ = server_->address;
        return;
    }
#endif
    if (result.succeeded && !result.pages.empty())
        page_ = QUrl::fromLocalFile(QString::fromStdString(result.pages.front()));
}

}  // namespace quenlo::app
