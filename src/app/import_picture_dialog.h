#pragma once
// "Import picture...": a small dialog where the author picks which picture of
// the project to replace and the GIF, PNG or JPEG file to replace it with.

#include <QDialog>
#include <string>

class QComboBox;
class QLineEdit;

namespace quenlo {
class BuildLog;
struct ProjectPicture;
}  // namespace quenlo

namespace quenlo::app {

class ModalRunner;

class TdlgImportPicture : public QDialog {
    Q_OBJECT
public:
    explicit TdlgImportPicture(QWidget* parent = nullptr);

    const ProjectPicture& picture() const;
    std::string source() const;  // the chosen file, empty when none

private:
    void btnBrowseClick();

    QComboBox* cboPicture_ = nullptr;
    QLineEdit* edtFile_ = nullptr;
};

// The command: shows the dialog and, when it is accepted with a file, writes
// the picture's data text into `project_folder` and logs it. A map picture
// that is not 560 x 600 pixels is written all the same, with a warning, since
// the map editor refuses it.
void import_picture_command(QWidget* parent, ModalRunner& modal, const std::string& project_folder,
                            BuildLog& log);

}  // namespace quenlo::app
