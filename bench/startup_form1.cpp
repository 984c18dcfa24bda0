// The main window started exactly as the program starts it, then quit at the
// first idle moment of the event loop.
#include <QApplication>
#include <QTimer>

#include "ui/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::Form1 form;
    form.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
