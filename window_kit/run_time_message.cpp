#include "window_kit/run_time_message.h"

#include <QMessageBox>

#include "estimate/run_time_error.h"

namespace kit {

void runOperation(QWidget* parent, const std::function<void()>& operation) {
    try {
        operation();
    } catch (const estimate::RunTimeError& error) {
        const QString message = QString::fromStdString(error.message());
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Quillmere"), message,
                        QMessageBox::Ok, parent);
        // An alert: a screen reader speaks the error itself, not the title.
        box.setAccessibleName(message);
        box.exec();
    }
}

}  // namespace kit
