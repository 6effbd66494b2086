#pragma once
// Saving files that belong together, such as a map and the connections
// file: each is written through QSaveFile, and none replaces its old file
// unless all were written in full. A failure leaves every file as it was; a
// success leaves them all on disk, with the permission bits they had.

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace quenlo::mapeditor {

struct FileToSave {
    QString path;
    QByteArray bytes;
};

// Writes every file or none; fails with "Cannot create file "<path>".
// <reason>" for the first file that could not be written. Should a file fail
// once the ones before it are in place, those get their old content back.
// `before_commit` runs when every file is written and none is in place yet.
void save_files_together(const std::vector<FileToSave>& files,
                         const std::function<void()>& before_commit = {});

}  // namespace quenlo::mapeditor
