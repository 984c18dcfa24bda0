#pragma once

#include <QGuiApplication>
#include <QtGlobal>

// The one place where the code differs between the two Qts the program is built
// on: Qt 6, and Qt 5.15 for the 32-bit Windows program (Windows 7 and later).

namespace kit {

// Call before the application object is made. Qt 6 scales every window for the
// screen's density by the exact factor (125 % is 1.25); Qt 5 scales only when
// asked to, before the application exists, and rounds the factor to a whole
// number unless told to pass it through. Both then lay the window out the same.
inline void prepareHighDpiScaling() {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

}  // namespace kit
