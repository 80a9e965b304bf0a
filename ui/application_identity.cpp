// SPDX-License-Identifier: MIT
#include "application_identity.h"

#include "version.h"

#include <QGuiApplication>

void set_application_identity() {
    QGuiApplication::setApplicationName(QStringLiteral("qxr-fanuc"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QXR_FANUC_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QXR_APP_ID));
}
