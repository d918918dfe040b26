// SPDX-License-Identifier: MIT
// The tally window as it must look with the texts a test expects, drawn in
// a process of its own by the program's own window code with Windows'
// glyphs: each control named is given its text, count fields first, so
// that a label shows the text expected, not what the recalculation made of
// the counts. Saves the client area as a picture and prints each named
// control's rectangle in it (left top width height), to cut the same
// rectangle from a screen shot of the real window.
// Usage: tally_picture.exe PICTURE.png NAME=TEXT...

#include "platform/forms/formloader.h"
#include "ui/tally_window/tallywindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setFont(platform::dialogFont());
    if (argc < 2) {
        std::fputs("usage: tally_picture.exe PICTURE.png NAME=TEXT...\n", stderr);
        return 2;
    }
    ui::TallyWindow window;
    window.show();
    QList<QPair<QWidget *, QString>> texts;
    for (int i = 2; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const qsizetype equals = argument.indexOf(u'=');
        QWidget *control = window.control(argument.left(equals).toStdString());
        if (equals < 0 || !control) {
            std::fprintf(stderr, "no control %s\n", argv[i]);
            return 2;
        }
        texts.append({control, argument.mid(equals + 1)});
    }
    for (const auto &[control, text] : texts)
        if (auto *field = qobject_cast<QLineEdit *>(control))
            field->setText(text);
    for (const auto &[control, text] : texts) {
        if (auto *label = qobject_cast<QLabel *>(control))
            label->setText(text);
        const QRect r = control->geometry();
        std::printf("%s %d %d %d %d\n", qPrintable(control->objectName()), r.left(), r.top(), r.width(), r.height());
    }
    std::fflush(stdout);
    return window.clientArea()->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
