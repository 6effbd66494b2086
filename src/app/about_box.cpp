#include "app/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "foundation/workspace.h"

namespace quenlo::app {

namespace {

constexpr const char* licence =
    "Free software by the Quenlo authors, licensed under\n"
    "the GNU General Public License, version 3 or later.\n"
    "It comes with no warranty.";

}  // namespace

// A map of four rooms on a parchment square: what Quenlo builds adventures of.
QPixmap quenlo_picture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(QPen(QColor(90, 60, 20), unit * 0.6));
    painter.setBrush(QColor(240, 225, 180));
    painter.drawRoundedRect(QRectF(unit, unit, 14 * unit, 14 * unit), 2 * unit, 2 * unit);

    painter.setPen(QPen(QColor(0, 0, 255), unit * 0.7));
    painter.drawLine(QPointF(5 * unit, 5 * unit), QPointF(11 * unit, 5 * unit));
    painter.drawLine(QPointF(5 * unit, 5 * unit), QPointF(5 * unit, 11 * unit));
    painter.drawLine(QPointF(11 * unit, 5 * unit), QPointF(11 * unit, 11 * unit));
    painter.setPen(QPen(QColor(128, 0, 128), unit * 0.6));
    painter.setBrush(QColor(255, 255, 255));
    for (const QPointF centre : {QPointF(5, 5), QPointF(11, 5), QPointF(5, 11), QPointF(11, 11)})
        painter.drawRect(
            QRectF((centre.x() - 1.6) * unit, (centre.y() - 1.6) * unit, 3.2 * unit, 3.2 * unit));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(QPointF(11 * unit, 11 * unit), unit, unit);
    return picture;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(QStringLiteral("About"));

    auto* picture = new QLabel(this);
    picture->setPixmap(quenlo_picture(96));
    picture->setAlignment(Qt::AlignTop);

    const QString version = QString::fromUtf8(quenlo_version.data(), quenlo_version.size());
    auto* text = new QLabel(this);
    text->setObjectName("lblAbout");
    text->setTextFormat(Qt::PlainText);
    text->setText(
        QStringLiteral("Quenlo ") + version +
        QStringLiteral(
            "\n\nHyperlink text adventures for the web browser,\nwritten in Italian.\n\n") +
        QString::fromUtf8(licence));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addSpacing(12);
    row->addWidget(text, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace quenlo::app
