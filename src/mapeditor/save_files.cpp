#include "mapeditor/save_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>
#include <optional>

#include "foundation/error.h"
#include "foundation/safe_write.h"

namespace quenlo::mapeditor {

namespace {

Error cannot_create(const QString& path, const QString& reason) {
    return Error("Cannot create file \"" + QFile::encodeName(path).toStdString() + "\". " +
                 reason.toStdString());
}

// The content a file has now, or nothing when there is no such file.
std::optional<QByteArray> current_content(const QString& path) {
    QFile file(path);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) throw cannot_create(path, file.errorString());
    return file.readAll();
}

// Puts back what a file held before it was replaced, as well as possible.
void restore(const QString& path, const std::optional<QByteArray>& old) {
    if (!old) {
        QFile::remove(path);
        return;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(*old) == old->size()) file.commit();
}

}  // namespace

void save_files_together(const std::vector<FileToSave>& files,
                         const std::function<void()>& before_commit) {
    std::vector<std::unique_ptr<QSaveFile>> written;
    std::vector<std::optional<QByteArray>> old;
    for (const FileToSave& file : files) {
        auto save = std::make_unique<QSaveFile>(file.path);
        if (!save->open(QIODevice::WriteOnly)) throw cannot_create(file.path, save->errorString());
        if (save->write(file.bytes) != file.bytes.size())
            throw cannot_create(file.path, save->errorString());
        old.push_back(current_content(file.path));
        written.push_back(std::move(save));
    }
    if (before_commit) before_commit();
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i]->commit()) continue;
        const Error failure = cannot_create(files[i].path, written[i]->errorString());
        for (std::size_t j = 0; j < i; ++j) restore(files[j].path, old[j]);
        throw failure;
    }
    // QSaveFile syncs each file before its rename; the renames are on disk
    // only once their folders are synced too.
    for (const FileToSave& file : files) sync_folder_of(QFile::encodeName(file.path).toStdString());
}

}  // namespace quenlo::mapeditor
