#include "backoffice/AttrDialogParts.h"

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

AttrButtons newAttrButtons(QWidget* parent) {
    AttrButtons b;
    b.confirm = new QPushButton(QStringLiteral("确定"), parent);
    b.cancel = new QPushButton(QStringLiteral("取消"), parent);
    b.apply = new QPushButton(QStringLiteral("应用"), parent);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    for (QPushButton* button : {b.confirm, b.cancel, b.apply}) {
        button->setAutoDefault(false);
        b.row->addWidget(button);
    }
    return b;
}
