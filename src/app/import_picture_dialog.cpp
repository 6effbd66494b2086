#include "app/import_picture_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QToolButton>

#include "app/modal_runner.h"
#include "foundation/build_log.h"
#include "project/import_picture.h"
#include "project/map_editor_files.h"

namespace quenlo::app {

namespace {

QString from_utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool is_map_picture(const ProjectPicture& picture) {
    return picture.file.starts_with("mapimage");
}

}  // namespace

TdlgImportPicture::TdlgImportPicture(QWidget* parent) : QDialog(parent) {
    setObjectName("dlgImportPicture");
    setWindowTitle(QStringLiteral("Import picture"));

    cboPicture_ = new QComboBox(this);
    cboPicture_->setObjectName("cboPicture");
    for (const ProjectPicture& picture : project_pictures)
        cboPicture_->addItem(
            QStringLiteral("%1 (%2)").arg(from_utf8(picture.caption), from_utf8(picture.file)));

    edtFile_ = new QLineEdit(this);
    edtFile_->setObjectName("edtFile");
    edtFile_->setMinimumWidth(320);
    auto* browse = new QToolButton(this);
    browse->setObjectName("btnBrowse");
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Choose a GIF, PNG or JPEG file"));
    connect(browse, &QToolButton::clicked, this, &TdlgImportPicture::btnBrowseClick);
    auto* file_row = new QHBoxLayout;
    file_row->addWidget(edtFile_, 1);
    file_row->addWidget(browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Picture:"), cboPicture_);
    form->addRow(QStringLiteral("File:"), file_row);
    form->addRow(buttons);
}

const ProjectPicture& TdlgImportPicture::picture() const {
    return project_pictures.at(static_cast<std::size_t>(cboPicture_->currentIndex()));
}

std::string TdlgImportPicture::source() const {
    return QFile::encodeName(edtFile_->text().trimmed()).toStdString();
}

void TdlgImportPicture::btnBrowseClick() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Import picture"), edtFile_->text(),
        QStringLiteral("Pictures (*.gif *.png *.jpg *.jpeg);;All files (*)"));
    if (!file.isEmpty()) edtFile_->setText(file);
}

void import_picture_command(QWidget* parent, ModalRunner& modal, const std::string& project_folder,
                            BuildLog& log) {
    TdlgImportPicture dialog(parent);
    if (modal.exec_modal(dialog) != QDialog::Accepted || dialog.source().empty()) return;
    import_picture(project_folder, dialog.picture(), dialog.source(), log);
    if (!is_map_picture(dialog.picture())) return;
    const QSize size =
        QImageReader(QFile::decodeName(QByteArray::fromStdString(dialog.source()))).size();
    if (size == QSize(map_picture_width, map_picture_height)) return;
    const std::string found =
        size.isValid() ? std::to_string(size.width()) + "x" + std::to_string(size.height())
                       : std::string("of a size that cannot be read");
    log.log_line("WARNING: a map picture must be " + std::to_string(map_picture_width) + "x" +
                 std::to_string(map_picture_height) + " pixels, this one is " + found +
                 "; the map editor refuses it.");
}

}  // namespace quenlo::app
