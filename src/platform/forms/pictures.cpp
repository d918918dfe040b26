// SPDX-License-Identifier: MIT
#include "platform/forms/pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QIconEngine>
#include <QImageReader>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

#include <functional>
#include <vector>

namespace platform {

namespace {

// A picture read by the one reader its format names: left to guess, Qt's
// image reader first loads every image format plugin on the system.
QImage readImage(const QString &path, const char *format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// An icon made only when something first draws or measures it.
class LazyIconEngine final : public QIconEngine
{
public:
    explicit LazyIconEngine(std::function<QIcon()> make)
        : m_make(std::move(make))
    {
    }

    QIconEngine *clone() const override { return new LazyIconEngine(*this); }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }

private:
    const QIcon &icon()
    {
        if (m_icon.isNull())
            m_icon = m_make();
        return m_icon;
    }

    std::function<QIcon()> m_make;
    QIcon m_icon;
};

// The desktop's style, but for the extension button's icon, which a menu bar
// asks for as it is built and shows only when its menus do not fit.
class DeferredIconStyle final : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (option || (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton))
            return QProxyStyle::standardIcon(icon, option, widget);
        return QIcon(new LazyIconEngine(
            [style = QPointer<const QStyle>(baseStyle()), icon, widget = QPointer<const QWidget>(widget)] {
                return style ? style->standardIcon(icon, nullptr, widget) : QIcon();
            }));
    }
};

} // namespace

QPixmap loadPicture(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        const QFileInfo file(path);
        QPixmap detailed = QPixmap::fromImage(
            readImage(file.path() + '/' + file.completeBaseName() + QStringLiteral("@2x.png"), "png"));
        if (!detailed.isNull()) {
            detailed.setDevicePixelRatio(2);
            return detailed;
        }
    }
    return QPixmap::fromImage(readImage(path, "bmp"));
}

QIcon lazyIcon(const QString &pattern, std::initializer_list<int> sizes)
{
    return QIcon(new LazyIconEngine([pattern, sizes = std::vector<int>(sizes)] {
        QIcon icon;
        for (int size : sizes) {
            icon.addPixmap(QPixmap::fromImage(readImage(pattern.arg(size), "png")));
            if (qApp->devicePixelRatio() > 1)
                icon.addPixmap(QPixmap::fromImage(readImage(pattern.arg(QString::number(size) + QStringLiteral("@2x")), "png")));
        }
        return icon;
    }));
}

void deferStyleIcons()
{
    QApplication::setStyle(new DeferredIconStyle);
}

} // namespace platform
