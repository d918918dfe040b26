// SPDX-License-Identifier: MIT
#include "platform/forms/form.h"

#include "platform/forms/formloader.h"
#include "platform/runtime/text.h"
#include "platform/desktop/windowframe.h"
#include "platform/desktop/windowsystem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QStyle>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

// The design's background with the ink, fields and selection that are
// readable on it, over the style's own light palette: every role is set, as
// roles set on a widget outlive later application palettes and its controls
// inherit them, and a style may draw a field's frame with any role. The
// window itself, its menus and its message boxes keep the desktop's colours.
QPalette designPalette(QColor background)
{
    const QPalette standard = QApplication::style()->standardPalette();
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colourGroup = QPalette::ColorGroup(group);
            const auto colourRole = QPalette::ColorRole(role);
            if (colourRole != QPalette::NoRole)
                palette.setBrush(colourGroup, colourRole, standard.brush(colourGroup, colourRole));
        }
    }
    palette.setColor(QPalette::Window, background);
    for (QPalette::ColorRole ink : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(ink, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

constexpr Qt::WindowStates sizedByWindowSystem = Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized;

} // namespace

FormWindow::FormWindow(const FormDesign &design)
    : QMainWindow(nullptr, frameFlags(design.frame))
    , m_design(design)
    , m_clientArea(new QWidget(this))
{
    setObjectName(toQString(design.name));
    setWindowTitle(toQString(design.caption));
    setAttribute(Qt::WA_DeleteOnClose);
    // Every window keeps the program running, a tool window too, which Qt
    // would leave out of its last-window rule.
    setAttribute(Qt::WA_QuitOnClose);
    // Every box is measured in the design's font, the window's own, so that
    // an application font a platform theme sets (qt6ct, KDE) cannot reach it.
    setFont(dialogFont());
    setCentralWidget(m_clientArea);
    const int frame = drawnFrameWidth(design.frame);
    setContentsMargins(frame, frame, frame, frame);
    m_clientArea->setMinimumSize(pixels(design.clientWidth), pixels(design.clientHeight));
    if (design.background != noBackground) {
        m_clientArea->setPalette(designPalette(QColor::fromRgb(design.background)));
        m_clientArea->setAutoFillBackground(true);
    }
    m_controls = buildControls(m_clientArea, design);
}

QWidget *FormWindow::control(std::string_view name) const
{
    const auto found = std::ranges::find(m_design.controls, name, &ControlDesign::name);
    return found == m_design.controls.end() ? nullptr : m_controls[std::size_t(found - m_design.controls.begin())];
}

void FormWindow::settle()
{
    layout()->activate();
    m_normalSize = sizeHint();
    if (frameKeepsSize()) {
        setMinimumSize(m_normalSize);
        resize(m_normalSize);
    } else {
        // Fixed until the window is on screen: tiling compositors float a window
        // whose least and largest sizes agree, and decide so once, when it maps.
        setFixedSize(m_normalSize);
        m_sizeLimitsPending = windowSystemSetsSize();
    }
    if (m_design.placed) {
        // The client area, below the menu bar, is what has a place.
        const QPoint clientInWindow = m_clientArea->mapTo(this, QPoint(0, 0));
        setGeometry(QRect(QPoint(pixels(m_design.clientLeft), pixels(m_design.clientTop)) - clientInWindow,
                          m_normalSize));
    }
}

void FormWindow::setVisible(bool visible)
{
    const bool mapping = visible && !isVisible();
    if (mapping && m_normalSize.isEmpty())
        settle();
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
    if (event->type() == QEvent::WindowStateChange && !m_normalSize.isEmpty() && !windowSystemSetsSize()
        && !frameKeepsSize()) {
        if (isMaximized()) {
            setMinimumSize(m_normalSize);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!isMinimized()) {
            setFixedSize(m_normalSize);
        }
    }
    QMainWindow::changeEvent(event);
}

void FormWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (windowSystemSetsSize() && !m_normalSize.isEmpty() && size() != m_normalSize)
        QMetaObject::invokeMethod(this, &FormWindow::keepDesignedSize, Qt::QueuedConnection);
}

void FormWindow::keepDesignedSize()
{
    // Only a resize the window system has configured leads here, so the
    // state is the configured one too. A normal window may commit a smaller
    // size than offered (so a dragged frame springs back); a maximized or
    // fullscreen one must keep the size it was given.
    const bool sized = (windowState() & sizedByWindowSystem)
        || (windowHandle() && (windowHandle()->windowStates() & sizedByWindowSystem));
    if (!sized && size() != m_normalSize)
        resize(m_normalSize);
}

void FormWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    paintDrawnFrame(*this, m_design.frame);
    // The first picture maps the window; after that the designed size is
    // only the least, and the normal state returns to it (resizeEvent).
    if (std::exchange(m_sizeLimitsPending, false))
        QMetaObject::invokeMethod(this, [this] { setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); }, Qt::QueuedConnection);
}

// Only at the process's end, by exit() too, which a window system that goes
// away calls with Qt's per-thread data already gone: a window destroyed then
// would crash the process on its way out. The process takes it instead.
FormInstance::~FormInstance() = default;

FormWindow &FormInstance::load()
{
    if (!m_window) {
        m_window = createWindow();
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
    if (window == m_window)
        m_window = nullptr;
}

} // namespace platform
