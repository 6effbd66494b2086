#pragma once
// The about box (`TAboutBox`): the program's name, version, maker and licence.

#include <QDialog>
#include <QPixmap>

namespace quenlo::app {

// The program's picture, drawn at `size` pixels square: also the window icon.
QPixmap quenlo_picture(int size);

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace quenlo::app
