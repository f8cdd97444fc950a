#include "frame/AboutUnit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/ClickLabelUnit.h"
#include "platform/Browser.h"
#include "platform/DrawnImages.h"
#include "platform/Errors.h"

const QString TaboutForm::webAddress = QStringLiteral("http://www.example.com/");
const QString TaboutForm::secondWebAddress = QStringLiteral("http://www.example.org/");

namespace {
TClickLabel* addressLine(const QString& caption, const QString& address, QWidget* parent) {
    auto* label = new TClickLabel(caption + QStringLiteral("<a href=\"%1\">%1</a>").arg(address), parent);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setCursor(Qt::PointingHandCursor);
    QObject::connect(label, &TClickLabel::clicked, parent, [address] { runGuarded([&] { openWebPage(address); }); });
    return label;
}
}  // namespace

TaboutForm::TaboutForm(QWidget* parent) : TexclusiveForm(parent) {
    setWindowTitle(QStringLiteral("关于"));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(20, 20, 20, 16);
    outer->setSpacing(20);
    auto* emblem = new QLabel(this);
    emblem->setPixmap(aboutEmblem(96));
    emblem->setAlignment(Qt::AlignTop);
    outer->addWidget(emblem);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(6);
    auto* product = new QLabel(QStringLiteral("禾岚餐饮软件"), this);
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    lines->addWidget(product);
    lines->addWidget(new QLabel(QStringLiteral("版本1.1"), this));
    lines->addWidget(new QLabel(QStringLiteral("联系电话：000-00000000"), this));
    webLabel = addressLine(QStringLiteral("网址："), webAddress, this);
    secondWebLabel = addressLine(QStringLiteral("网址："), secondWebAddress, this);
    lines->addWidget(webLabel);
    lines->addWidget(secondWebLabel);
    lines->addWidget(new QLabel(QStringLiteral("电子邮件：service@example.com"), this));
    lines->addStretch();
    okBtn = new QPushButton(QStringLiteral("确定"), this);
    okBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    lines->addLayout(buttons);
    outer->addLayout(lines, 1);
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(420, 240);
}
