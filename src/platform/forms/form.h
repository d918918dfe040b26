// SPDX-License-Identifier: MIT
#pragma once

// Windows and their lifetime. A window class has one default instance, held
// by a process-wide FormReference and created on first use; the instance
// outlives its window: loading builds the window from its design, unloading
// destroys the window and its controls, and showing an unloaded instance
// loads it anew. The process ends when the last loaded window is unloaded,
// whatever its kind: Qt's last-window rule, which every window takes part in.

#include "platform/forms/formlayout.h"

#include <QMainWindow>

#include <memory>
#include <string_view>
#include <vector>

namespace platform {

// A loaded window: its controls built from the design, a fixed-size client
// area (maximizing may still enlarge it; the controls keep their places).
// A design that fixes the background also fixes the colours drawn on it,
// whatever the desktop's theme.
class FormWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit FormWindow(const FormDesign &design);

    QWidget *clientArea() const { return m_clientArea; }
    // The controls built from the design, in its order.
    const std::vector<QWidget *> &controls() const { return m_controls; }
    // The control of that name; nullptr when the design has none.
    QWidget *control(std::string_view name) const;

    void setVisible(bool visible) override;

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Fixes the window's size and place as it is first shown, once
    // subclasses have added their menus, which the client area lies below.
    void settle();
    void keepDesignedSize();

    const FormDesign &m_design;
    QWidget *m_clientArea = nullptr;
    std::vector<QWidget *> m_controls;
    QSize m_normalSize;
    bool m_sizeLimitsPending = false;
};

class FormInstance
{
public:
    FormInstance() = default;
    FormInstance(const FormInstance &) = delete;
    FormInstance &operator=(const FormInstance &) = delete;
    virtual ~FormInstance();

    // The loaded window, or nullptr.
    FormWindow *window() const { return m_window; }

    FormWindow &load();
    // Loads if needed and shows the window modeless with no owner, raised
    // and active; never a second window.
    void show();
    void unload();

protected:
    virtual FormWindow *createWindow() = 0;

private:
    void detach(FormWindow *window);

    FormWindow *m_window = nullptr;
};

// The process-wide name of a window class's default instance.
template<typename Instance>
class FormReference
{
public:
    Instance *operator->() { return &instance(); }
    Instance &operator*() { return instance(); }

private:
    Instance &instance()
    {
        if (!m_instance)
            m_instance = std::make_unique<Instance>();
        return *m_instance;
    }
    std::unique_ptr<Instance> m_instance;
};

} // namespace platform
