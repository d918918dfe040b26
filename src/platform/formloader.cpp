// SPDX-License-Identifier: MIT
#include "platform/formloader.h"

#include "platform/controls.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <vector>

namespace platform {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QWidget *createControl(const ControlSpec &control, const FormSpec &spec, QWidget *parent)
{
    switch (control.family) {
    case Family::Text: {
        auto *box = new TextBox(parent);
        // QLineEdit's own default stops at 32767 characters.
        box->setMaxLength(control.maxLength > 0 ? control.maxLength : std::numeric_limits<int>::max());
        return box;
    }
    case Family::Label: {
        auto *label = new QLabel(toQString(control.text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(spec.wrapLabels);
        if (control.font == FontRole::Title)
            label->setFont(titleFont());
        return label;
    }
    case Family::Line:
        return new LineControl(parent);
    case Family::Shape:
        return new ShapeControl(QColor::fromRgb(control.fill), parent);
    case Family::Image: {
        auto *image = new ImageControl(parent);
        image->setPixmap(QPixmap(toQString(control.text)));
        return image;
    }
    case Family::Button:
        return new QPushButton(toQString(control.text), parent);
    }
    return nullptr;
}

} // namespace

QRect controlRect(const ControlSpec &control)
{
    if (control.family == Family::Line) {
        const int left = pixels(control.left);
        return {left, pixels(control.top), pixels(control.left + control.width) - left, 1};
    }
    return {pixels(control.left), pixels(control.top), pixels(control.width), pixels(control.height)};
}

void buildControls(QWidget *clientArea, const FormSpec &spec)
{
    std::vector<const ControlSpec *> rearmostFirst;
    rearmostFirst.reserve(spec.controls.size());
    for (const ControlSpec &control : spec.controls)
        rearmostFirst.push_back(&control);
    std::ranges::sort(rearmostFirst, std::ranges::greater{}, &ControlSpec::stackPlace);

    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const ControlSpec *control : rearmostFirst) {
        QWidget *widget = createControl(*control, spec, clientArea);
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
}

QFont dialogFont()
{
    // Arial's metrics at the window system's small dialog size; every
    // caption of the designs fits its box in it.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return font;
}

QFont titleFont()
{
    QFont font(QStringLiteral("Impact"));
    font.setPointSizeF(20.25);
    return font;
}

} // namespace platform
