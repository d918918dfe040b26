// SPDX-License-Identifier: MIT
// A window as it must look with the texts a test expects, drawn in a process
// of its own by the program's own window code with the system's glyphs: each
// control named is given its text, count fields first, so that a label shows
// the text expected, not what the recalculation made of the counts. Saves
// the window, its own frame and menu bar included, as a picture; prints
// where the window system placed it and its size (window X Y WIDTH HEIGHT:
// where the real window lies too, the windows being placed alike), then
// each named control's
// rectangle in the window (NAME LEFT TOP WIDTH HEIGHT), to cut the same
// rectangles from a screen shot of the real window.
// Usage: form_picture FORM PICTURE.png NAME=TEXT...   (FORM: Form1, Form2, Form3)

#include "platform/forms/formloader.h"
#include "ui/about/aboutwindow.h"
#include "ui/about/form2layout.h"
#include "ui/about/form3layout.h"
#include "ui/tally_window/tallywindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setFont(platform::dialogFont());
    if (argc < 3) {
        std::fputs("usage: form_picture FORM PICTURE.png NAME=TEXT...\n", stderr);
        return 2;
    }
    std::unique_ptr<platform::FormWindow> window;
    if (std::strcmp(argv[1], "Form1") == 0)
        window = std::make_unique<ui::TallyWindow>();
    else
        window = std::make_unique<ui::AboutWindow>(std::strcmp(argv[1], "Form2") == 0 ? ui::form2 : ui::form3);
    window->show();
    QApplication::processEvents();
    QList<QPair<QWidget *, QString>> texts;
    for (int i = 3; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const qsizetype equals = argument.indexOf(u'=');
        QWidget *control = window->control(argument.left(equals).toStdString());
        if (!control) {
            std::fprintf(stderr, "no control %s\n", argv[i]);
            return 2;
        }
        texts.append({control, equals < 0 ? QString() : argument.mid(equals + 1)});
    }
    for (const auto &[control, text] : texts)
        if (auto *field = qobject_cast<QLineEdit *>(control); field && !text.isNull())
            field->setText(text);
    const QPoint at = window->mapToGlobal(QPoint());
    std::printf("window %d %d %d %d\n", at.x(), at.y(), window->width(), window->height());
    for (const auto &[control, text] : texts) {
        if (auto *label = qobject_cast<QLabel *>(control); label && !text.isNull())
            label->setText(text);
        const QRect r(control->mapTo(window.get(), QPoint()), control->size());
        std::printf("%s %d %d %d %d\n", qPrintable(control->objectName()), r.left(), r.top(), r.width(), r.height());
    }
    std::fflush(stdout);
    return window->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
