// SPDX-License-Identifier: MIT
#include "platform/forms/formloader.h"

#include "platform/desktop/accessibility.h"
#include "platform/forms/controls.h"
#include "platform/runtime/text.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <vector>

namespace platform {

namespace {

// The free stand-in for Impact, compiled in. Registered on first use only,
// so starting with the tally window alone never pays for it.
QString bundledTitleFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral(":/fonts/NotoSansDisplay-ExtraCondensedBlack.ttf"));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.front();
    }();
    return family;
}

QFont titleFont()
{
    // 20.25 points at the 96 dots per inch the boxes are measured in.
    constexpr int titlePixels = 27;
    QFont impact(QStringLiteral("Impact"));
    impact.setPixelSize(titlePixels);
    // A family that is not installed silently resolves to some other face,
    // even a symbols font, so only a real Impact will do.
    if (QFontInfo(impact).family().compare(QLatin1String("Impact"), Qt::CaseInsensitive) == 0)
        return impact;
    QFont substitute(bundledTitleFamily());
    substitute.setPixelSize(titlePixels);
    // Impact's only weight is as heavy as this face's Black; naming weight and
    // width keeps an installed regular Noto Sans Display from being chosen.
    substitute.setWeight(QFont::Black);
    substitute.setStretch(QFont::ExtraCondensed);
    return substitute;
}

// The control's rectangle in device-independent pixels.
QRect controlRect(const ControlDesign &control)
{
    if (control.family == Family::Line) {
        const int left = pixels(control.left);
        return {left, pixels(control.top), pixels(control.left + control.width) - left, 1};
    }
    return {pixels(control.left), pixels(control.top), pixels(control.width), pixels(control.height)};
}

QWidget *createControl(const ControlDesign &control, const FormDesign &design, QWidget *parent)
{
    switch (control.family) {
    case Family::Text: {
        auto *box = new TextBox(parent);
        // QLineEdit's own default stops at 32767 characters.
        box->setMaxLength(control.maxLength > 0 ? control.maxLength : std::numeric_limits<int>::max());
        return box;
    }
    case Family::Label: {
        auto *label = new QLabel(parent);
        // Marked before the caption is set, which already tells assistive
        // technology of the label.
        if (control.reading == Reading::Value)
            markValue(label);
        else if (control.reading == Reading::Decorative)
            markDecorative(label);
        label->setTextFormat(Qt::PlainText);
        label->setText(toQString(control.text));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(design.wrapLabels);
        if (control.font == FontRole::Title)
            label->setFont(titleFont());
        return label;
    }
    case Family::Line:
        return new LineControl(parent);
    case Family::Shape:
        return new ShapeControl(QColor::fromRgb(control.fill), parent);
    case Family::Image:
        return new ImageControl(toQString(control.text), parent);
    case Family::Button: {
        auto *button = new QPushButton(toQString(control.text), parent);
        // Enter presses the focused button, as Space does, in any window.
        button->setAutoDefault(true);
        return button;
    }
    }
    return nullptr;
}

} // namespace

std::vector<QWidget *> buildControls(QWidget *clientArea, const FormDesign &design)
{
    std::vector<QWidget *> built(design.controls.size());
    std::vector<const ControlDesign *> rearmostFirst;
    rearmostFirst.reserve(design.controls.size());
    for (const ControlDesign &control : design.controls)
        rearmostFirst.push_back(&control);
    std::ranges::sort(rearmostFirst, std::ranges::greater{}, &ControlDesign::stackPlace);

    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const ControlDesign *control : rearmostFirst) {
        QWidget *widget = createControl(*control, design, clientArea);
        built[std::size_t(control - design.controls.data())] = widget;
        widget->setObjectName(toQString(control->name));
        widget->setGeometry(controlRect(*control));
        if (widget->focusPolicy() != Qt::NoFocus && control->tabIndex >= 0)
            tabOrder.emplace_back(control->tabIndex, widget);
        else
            widget->setFocusPolicy(Qt::NoFocus);
    }
    std::ranges::sort(tabOrder, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    return built;
}

QFont dialogFont()
{
    // Arial's metrics at the window system's small dialog size; every
    // caption of the designs fits its box in it. Windows has Arial itself.
    // Made from nothing, not from the application's font as QFont() is, with
    // every property its own: a theme's face, size, weight or slant set for
    // the application, before or after, reaches no window that carries it.
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(11);
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

} // namespace platform
