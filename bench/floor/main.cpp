// SPDX-License-Identifier: MIT
// The floor for startup: the smallest Qt Widgets program that shows one empty window of the main window's
// size. With --text it also shows one line of text in the main window's font, which is what first brings
// up the font system (fontconfig and FreeType): the floor for any window that shows text at all.
#include <cstring>

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(894, 372);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* line = new QLineEdit(QStringLiteral("12"), &window);
        line->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    }
    window.show();
    return QApplication::exec();
}
