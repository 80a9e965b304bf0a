// SPDX-License-Identifier: MIT
#include "application_identity.h"
#include "form1.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>

namespace {

// Without a display Qt would abort with a message about platform plugins; say plainly what is wrong instead.
bool has_display() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const auto is_set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return is_set("DISPLAY") || is_set("WAYLAND_DISPLAY") || is_set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (!has_display()) {
        std::fputs("qxr-fanuc needs a desktop display and none is available (DISPLAY and WAYLAND_DISPLAY are "
                   "unset); to generate statements without one, use qxr-fanuc-cli.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    set_application_identity();
    Form1 form;
    form.show();
    return QApplication::exec();
}
