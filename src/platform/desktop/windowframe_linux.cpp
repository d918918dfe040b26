// SPDX-License-Identifier: MIT
#include "platform/desktop/windowframe.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

#include <cstdint>
#include <optional>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

Qt::WindowFlags frameFlags(Frame frame)
{
    switch (frame) {
    case Frame::FixedSingle:
        return Qt::Window;
    case Frame::ToolWindow:
        return Qt::Tool | Qt::FramelessWindowHint;
    }
    return Qt::Window;
}

int drawnFrameWidth(Frame frame)
{
    return frame == Frame::ToolWindow ? 1 : 0;
}

void paintDrawnFrame(QWidget &window, Frame frame)
{
    const int width = drawnFrameWidth(frame);
    if (width == 0)
        return;
    // Dark under every theme, as a window manager's thin frame is; filled,
    // not stroked, so that no scale factor smears it.
    const QColor ink(64, 64, 64);
    const QRect r = window.rect();
    QPainter painter(&window);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), ink);
    painter.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), ink);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), ink);
    painter.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), ink);
}

bool frameKeepsSize()
{
    return false;
}

namespace {

struct Native
{
    xcb_connection_t *connection;
    xcb_window_t window;
};

std::optional<Native> native(QWidget &window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return std::nullopt;
    return Native{x11->connection(), xcb_window_t(window.winId())};
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, false, std::uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The Motif hints, which X11 window managers read for decorations.
constexpr std::uint32_t mwmHintsFunctions = 1u << 0;
constexpr std::uint32_t mwmHintsDecorations = 1u << 1;
constexpr std::uint32_t mwmFuncMove = 1u << 2;
constexpr std::uint32_t mwmFuncClose = 1u << 5;

} // namespace

void prepareFrameBeforeMap(QWidget &window, Frame frame)
{
    if (frame != Frame::ToolWindow)
        return;
    const std::optional<Native> x = native(window);
    if (!x)
        return;
    // No decorations, the frame is the window's own; moving and closing stay,
    // as through the window system's own keys.
    const std::array<std::uint32_t, 5> motif{
        mwmHintsFunctions | mwmHintsDecorations, mwmFuncMove | mwmFuncClose, 0, 0, 0};
    const xcb_atom_t motifHints = atom(x->connection, "_MOTIF_WM_HINTS");
    xcb_change_property(x->connection, XCB_PROP_MODE_REPLACE, x->window, motifHints, motifHints, 32,
                        std::uint32_t(motif.size()), motif.data());
    // An unmapped window's state is its own to set; Qt adds its states to it.
    const xcb_atom_t skipTaskbar = atom(x->connection, "_NET_WM_STATE_SKIP_TASKBAR");
    xcb_change_property(x->connection, XCB_PROP_MODE_REPLACE, x->window, atom(x->connection, "_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, 1, &skipTaskbar);
    // Window managers keep utility windows above the rest of their program.
    const xcb_atom_t normal = atom(x->connection, "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(x->connection, XCB_PROP_MODE_REPLACE, x->window,
                        atom(x->connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &normal);
}

void settleFrameAfterMap(QWidget &window, Frame frame)
{
    if (frame != Frame::ToolWindow)
        return;
    if (const std::optional<Native> x = native(window)) {
        // A window with no owner stacks and minimizes on its own.
        xcb_delete_property(x->connection, x->window, XCB_ATOM_WM_TRANSIENT_FOR);
        xcb_flush(x->connection);
    }
}

} // namespace platform
