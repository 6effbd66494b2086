#include "desk/project_panel.h"

#include <QDir>
#include <QHeaderView>

#include "language/language_features.h"
#include "language/language_project.h"

namespace quenlo::desk {

namespace {

constexpr int file_data = Qt::UserRole;
constexpr int line_data = Qt::UserRole + 1;

const QStringList roles = {"Rooms",   "Objects", "Messages", "Variables",
                           "Scripts", "Texts",   "Maps",     "Pictures"};

}  // namespace

QString file_role(const QString& name) {
    const QString lower = name.toLower();
    if (lower == QStringLiteral("rooms.qnr")) return QStringLiteral("Rooms");
    if (lower == QStringLiteral("objects.qno")) return QStringLiteral("Objects");
    if (lower == QStringLiteral("messages.qnr")) return QStringLiteral("Messages");
    if (lower == QStringLiteral("variables.qnv")) return QStringLiteral("Variables");
    if (lower.endsWith(QStringLiteral(".qna"))) return QStringLiteral("Scripts");
    if (lower.endsWith(QStringLiteral(".qni")) || lower.endsWith(QStringLiteral(".txt")))
        return QStringLiteral("Texts");
    if (lower.endsWith(QStringLiteral(".gif")) || lower.endsWith(QStringLiteral(".png")) ||
        lower.endsWith(QStringLiteral(".jpg")) || lower.contains(QStringLiteral("image")))
        return QStringLiteral("Pictures");
    if (lower.startsWith(QStringLiteral("map")) || lower == QStringLiteral("connections.qn"))
        return QStringLiteral("Maps");
    return {};
}

ProjectPanel::ProjectPanel(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("projectPanel"));
    setHeaderHidden(true);
    setColumnCount(1);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item, int) {
        const QString file = item->data(0, file_data).toString();
        if (!file.isEmpty())
            emit place_chosen(file.toStdString(), item->data(0, line_data).toInt());
    });
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int) { emit itemActivated(item, 0); });
}

void ProjectPanel::show_project(const language::LanguageProject* project) {
    clear();
    if (!project) return;
    std::map<QString, QTreeWidgetItem*> groups;
    for (const QString& role : roles) {
        auto* group = new QTreeWidgetItem(this, QStringList{role});
        group->setFlags(Qt::ItemIsEnabled);
        groups[role] = group;
    }
    const QDir folder(QString::fromStdString(project->folder()));
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        const QString role = file_role(name);
        if (role.isEmpty()) continue;
        auto* item = new QTreeWidgetItem(groups[role], QStringList{name});
        const bool editable = language::is_source_file(name.toStdString()) ||
                              name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
        if (editable) {
            item->setData(0, file_data, name);
            item->setData(0, line_data, 0);
        }
        if (!language::is_source_file(name.toStdString())) continue;
        for (const language::Symbol& symbol :
             language::document_symbols(*project, name.toStdString())) {
            auto* child =
                new QTreeWidgetItem(item, QStringList{QString::fromStdString(symbol.name)});
            child->setToolTip(0, QString::fromStdString(symbol.detail));
            child->setData(0, file_data, name);
            child->setData(0, line_data, static_cast<int>(symbol.where.range.line));
        }
    }
    for (auto& [role, group] : groups) {
        if (group->childCount() == 0)
            delete group;
        else
            group->setExpanded(true);
    }
}

QTreeWidgetItem* ProjectPanel::entry(const QString& file, const QString& name) const {
    for (QTreeWidgetItemIterator it(const_cast<ProjectPanel*>(this)); *it; ++it) {
        QTreeWidgetItem* item = *it;
        if (item->data(0, file_data).toString() != file) continue;
        if (name.isEmpty() ? item->text(0) == file : item->text(0) == name) return item;
    }
    return nullptr;
}

}  // namespace quenlo::desk
