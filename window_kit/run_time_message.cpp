#include "window_kit/run_time_message.h"

#include <QMessageBox>

#include "estimate/run_time_error.h"

namespace kit {

void runOperation(QWidget* parent, const std::function<void()>& operation) {
    try {
        operation();
    } catch (const estimate::RunTimeError& error) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Quillmere"),
                        QString::fromStdString(error.message()), QMessageBox::Ok, parent);
        box.exec();
    }
}

}  // namespace kit
