// SPDX-License-Identifier: MIT
#include "platform/desktop/windowframe.h"

#include <QWidget>

#include <windows.h>

namespace platform {

Qt::WindowFlags frameFlags(Frame frame)
{
    // Qt's fixed-size dialog frame is a border that cannot be dragged; the
    // buttons and the thin tool border are settled before the window maps.
    switch (frame) {
    case Frame::FixedSingle:
        return Qt::Window | Qt::MSWindowsFixedSizeDialogHint;
    case Frame::ToolWindow:
        return Qt::Tool | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;
    }
    return Qt::Window;
}

bool frameKeepsSize()
{
    return true;
}

int drawnFrameWidth(Frame)
{
    return 0;
}

void paintDrawnFrame(QWidget &, Frame) {}

void prepareFrameBeforeMap(QWidget &window, Frame frame)
{
    const auto handle = reinterpret_cast<HWND>(window.winId());
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    // Qt leaves out the maximize button of a frame that cannot be dragged,
    // and gives a tool window without a caption a dialog's thick border.
    const LONG_PTR wanted = frame == Frame::FixedSingle ? style | WS_MAXIMIZEBOX
                                                        : (style & ~LONG_PTR(WS_DLGFRAME)) | WS_BORDER;
    if (wanted == style)
        return;
    SetWindowLongPtrW(handle, GWL_STYLE, wanted);
    // Qt reads the frame's new margins as Windows works them out again.
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void settleFrameAfterMap(QWidget &, Frame) {}

} // namespace platform
