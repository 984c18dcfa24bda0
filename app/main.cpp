#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "printing/system_printers.h"
#include "ui/form1.h"

namespace {

// Without a display the toolkit would abort with a message about plugins; say
// plainly what is needed instead.
bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!hasDisplay()) {
        std::fputs(
            "Quillmere 需要图形桌面：请在桌面环境中运行，或用 xvfb-run 启动。\n"
            "Quillmere needs a graphical desktop: run it on a desktop or under xvfb-run.\n",
            stderr);
        return 2;
    }
    QApplication app(argc, argv);
    ui::Form1 form(printing::systemPrinters());
    form.show();
    return app.exec();
}
