// The floor for start-up: a bare window of the main window's client size with
// as many Chinese labels in the default font, shown, then quit at the first
// idle moment of the event loop.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(694, 527);
    constexpr int kLabels = 35;  // as many as the main window has
    for (int i = 0; i < kLabels; ++i) {
        auto* label = new QLabel(QStringLiteral("玻璃面积费用合计：%1").arg(i), &window);
        label->setGeometry(10 + (i % 3) * 220, 10 + (i / 3) * 40, 210, 30);
    }
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
