#include "backoffice/AttrDialogCommon.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "platform/JpegImage.h"

namespace {
constexpr int pictureSide = 64;
}

QLabel* newDialogPicture(const QString& resource, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setFixedSize(pictureSide, pictureSide);
    const QImage image = readJpeg(resource);
    if (!image.isNull())
        picture->setPixmap(QPixmap::fromImage(image.scaled(pictureSide, pictureSide, Qt::KeepAspectRatio,
                                                           Qt::SmoothTransformation)));
    return picture;
}

QFormLayout* addNameHeader(QBoxLayout* layout, QLabel* picture, QLineEdit* storedName) {
    auto* line = new QFrame(storedName->parentWidget());
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* header = new QHBoxLayout;
    header->setSpacing(16);
    header->addWidget(picture);
    header->addWidget(storedName, 1, Qt::AlignVCenter);
    auto* fields = new QFormLayout;
    fields->setLabelAlignment(Qt::AlignRight);
    layout->addLayout(header);
    layout->addWidget(line);
    layout->addLayout(fields);
    return fields;
}

QBoxLayout* newAttrButtons(QWidget* parent, QPushButton*& confirm, QPushButton*& cancel, QPushButton*& apply) {
    confirm = new QPushButton(QStringLiteral("确定"), parent);
    cancel = new QPushButton(QStringLiteral("取消"), parent);
    apply = new QPushButton(QStringLiteral("应用"), parent);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : {confirm, cancel, apply}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    return row;
}
