#include "platform/ProgramStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>
#include <optional>

namespace {
// The style's icon, asked for on first use and drawn from then on exactly as the
// style's own.
class TDeferredStyleIcon : public QIconEngine {
public:
    TDeferredStyleIcon(QStyle* style, QStyle::StandardPixmap which, const QStyleOption* option, const QWidget* widget)
        : style(style), which(which), widget(const_cast<QWidget*>(widget)) {
        if (option) {
            // Only the plain part of the option is kept (its direction picks the arrow's).
            this->option = *option;
            this->option->type = QStyleOption::SO_Default;
            this->option->version = QStyleOption::Version;
        }
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("TDeferredStyleIcon"); }
    QIconEngine* clone() const override { return new TDeferredStyleIcon(*this); }

private:
    const QIcon& icon() {
        if (!loaded) {
            QStyle* from = style ? style.data() : QApplication::style();
            loaded = from->standardIcon(which, option ? &*option : nullptr, widget);
        }
        return *loaded;
    }

    QPointer<QStyle> style;
    QStyle::StandardPixmap which;
    std::optional<QStyleOption> option;
    QPointer<QWidget> widget;  // so does the widget's, without an option
    std::optional<QIcon> loaded;
};

class TProgramStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new TDeferredStyleIcon(baseStyle(), which, option, widget));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};
}  // namespace

void useProgramStyle() {
    QStyle* current = QApplication::style();
    if (dynamic_cast<TProgramStyle*>(current)) return;
    QApplication::setStyle(new TProgramStyle(current));  // takes the platform's style over
}
