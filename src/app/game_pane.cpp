#include "app/game_pane.h"

#include <QLabel>
#include <QStackedWidget>
#include <QWebEngineView>

namespace quenlo::app {

namespace {

// Small enough for a window of 1093 by 614 to hold the log beside it.
constexpr QSize smallest_game(240, 160);

}  // namespace

GamePane::GamePane(QWidget* parent) : QDockWidget(QStringLiteral("Game"), parent) {
    setObjectName("dockGame");
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    stack_ = new QStackedWidget(this);
    stack_->setMinimumSize(smallest_game);
    auto* waiting =
        new QLabel(QStringLiteral("Generate the project (F9) to play it here."), stack_);
    waiting->setObjectName("lblGameWaiting");
    waiting->setAlignment(Qt::AlignCenter);
    waiting->setWordWrap(true);
    stack_->addWidget(waiting);
    setWidget(stack_);
}

// The Chromium behind the view starts only when a page is first shown.
void GamePane::show_page(const QUrl& page) {
    if (page.isEmpty()) return;
    if (!view_) {
        view_ = new QWebEngineView(stack_);
        view_->setObjectName("webGame");
        stack_->addWidget(view_);
    }
    stack_->setCurrentWidget(view_);
    // A served page reloads itself when told of the build.
    if (page.isLocalFile() || view_->url() != page) view_->load(page);
}

void GamePane::clear() {
    if (view_) view_->setUrl(QUrl(QStringLiteral("about:blank")));
    stack_->setCurrentIndex(0);
}

}  // namespace quenlo::app
