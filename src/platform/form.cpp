// SPDX-License-Identifier: MIT
#include "platform/form.h"

#include "platform/formloader.h"
#include "platform/windowframe.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenuBar>

namespace platform {

namespace {

int loadedWindows = 0;

std::function<void()> &lastWindowUnloaded()
{
    static std::function<void()> handler = [] { QCoreApplication::quit(); };
    return handler;
}

} // namespace

int loadedWindowCount()
{
    return loadedWindows;
}

std::function<void()> setLastWindowUnloadedHandler(std::function<void()> handler)
{
    return std::exchange(lastWindowUnloaded(), std::move(handler));
}

FormWindow::FormWindow(const FormDesign &design)
    : QMainWindow(nullptr, frameFlags(design.frame))
    , m_design(design)
    , m_clientArea(new QWidget(this))
{
    setObjectName(QString::fromUtf8(design.name.data(), qsizetype(design.name.size())));
    setWindowTitle(QString::fromUtf8(design.caption.data(), qsizetype(design.caption.size())));
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(m_clientArea);
    m_clientArea->setMinimumSize(pixels(design.clientWidth), pixels(design.clientHeight));
    if (design.background != noBackground) {
        QPalette palette = m_clientArea->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(design.background));
        m_clientArea->setPalette(palette);
        m_clientArea->setAutoFillBackground(true);
    }
    buildControls(m_clientArea, design);
}

void FormWindow::settle()
{
    layout()->activate();
    m_normalSize = sizeHint();
    setFixedSize(m_normalSize);
    if (m_design.placed) {
        const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
        // The client area, below the menu bar, is what has a place.
        setGeometry(QRect(QPoint(pixels(m_design.clientLeft), pixels(m_design.clientTop) - menuHeight),
                          m_normalSize));
    }
}

void FormWindow::setVisible(bool visible)
{
    const bool mapping = visible && !isVisible();
    if (mapping)
        prepareFrameBeforeMap(*this, m_design.frame);
    QMainWindow::setVisible(visible);
    if (mapping)
        settleFrameAfterMap(*this, m_design.frame);
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT closed();
}

void FormWindow::changeEvent(QEvent *event)
{
    // A fixed size keeps the user from dragging the frame; a maximized window
    // must still be free to grow, and the controls stay where they are.
    if (event->type() == QEvent::WindowStateChange && !m_normalSize.isEmpty()) {
        if (isMaximized()) {
            setMinimumSize(m_normalSize);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!isMinimized()) {
            setFixedSize(m_normalSize);
        }
    }
    QMainWindow::changeEvent(event);
}

FormInstance::~FormInstance()
{
    // Only at the process's end; nothing may run for the window any more.
    if (FormWindow *window = std::exchange(m_window, nullptr); window && QCoreApplication::instance())
        delete window;
}

FormWindow &FormInstance::load()
{
    if (!m_window) {
        m_window = createWindow();
        m_window->settle();
        ++loadedWindows;
        const auto detachThis = [this, window = m_window] { detach(window); };
        QObject::connect(m_window, &FormWindow::closed, m_window, detachThis);
        QObject::connect(m_window, &QObject::destroyed, m_window, detachThis);
    }
    return *m_window;
}

void FormInstance::show()
{
    FormWindow &window = load();
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    window.activateWindow();
}

void FormInstance::unload()
{
    if (m_window)
        m_window->close();
}

void FormInstance::detach(FormWindow *window)
{
    // A window closed earlier may be destroyed after its instance loaded anew.
    if (!window || window != m_window)
        return;
    m_window = nullptr;
    --loadedWindows;
    if (loadedWindows == 0 && lastWindowUnloaded())
        lastWindowUnloaded()();
}

} // namespace platform
