#include <QApplication>
#include <cstdio>

#include "app/display_check.h"
#include "printing/system_printers.h"
#include "ui/form1.h"
#include "window_kit/qt_translation.h"
#include "window_kit/toolkit.h"

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs(
            "Quillmere 需要图形桌面：请在桌面环境中运行，或用 xvfb-run 启动。\n"
            "Quillmere needs a graphical desktop: run it on a desktop or under xvfb-run.\n",
            stderr);
        return 2;
    }
    kit::prepareHighDpiScaling();
    QApplication app(argc, argv);
    kit::installQtChineseTexts(app);
    ui::Form1 form(printing::systemPrinters());
    form.show();
    return app.exec();
}
