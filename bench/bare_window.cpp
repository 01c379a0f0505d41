// The floor of the window's start-up: an empty Qt window of the program's window's size, up to its
// first shown frame. With --with-text it also shows one line of Japanese text, which brings in
// what any window with text needs first: the font configuration, a Japanese font and its shaping.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

#include "first_frame.hpp"

int main(int argc, char* argv[]) {
    QApplication qt_application(argc, argv);
    QWidget window;
    window.resize(445, 360);
    if (argc > 1 && std::strcmp(argv[1], "--with-text") == 0) {
        new QLabel(QStringLiteral("天気"), &window);
    }
    rozuduzod::bench::ReportFirstFrame(window);
    window.show();
    return QApplication::exec();
}
