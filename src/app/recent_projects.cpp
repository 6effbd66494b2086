#include "app/recent_projects.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

namespace quenlo::app {

namespace {

const QString key = QStringLiteral("recentProjects");

}  // namespace

std::vector<std::string> RecentProjects::folders() const {
    std::vector<std::string> folders;
    for (const QString& folder : settings_.value(key).toStringList())
        folders.push_back(QFile::encodeName(folder).toStdString());
    return folders;
}

void RecentProjects::add(const std::string& folder) {
    const QString added = QFile::decodeName(QByteArray::fromStdString(folder));
    QStringList folders = settings_.value(key).toStringList();
    folders.removeAll(added);
    folders.prepend(added);
    settings_.setValue(key, folders.mid(0, limit));
    settings_.sync();
}

}  // namespace quenlo::app
