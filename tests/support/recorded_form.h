#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QtTest>
#include <memory>
#include <vector>

#include "support/modal_driver.h"
#include "support/recording_printer.h"
#include "ui/form1.h"

namespace testing_support {

// The main window, printing to a recording printer, shown and active; null if it
// never came up.
inline std::unique_ptr<ui::Form1> shownForm(std::vector<RecordingPrinter::Document>* printed) {
    auto form = std::make_unique<ui::Form1>(
        [printed] { return std::make_unique<RecordingPrinter>(printed); });
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get())) {
        return nullptr;
    }
    return form;
}

// Presses the button and dismisses the message box its operation shows; returns
// the box's text, "" when none was shown, or "timed out".
inline QString pressAndDismiss(QAbstractButton* button) {
    QString message;
    ModalDriver driver([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            message = box->text();
        }
        modal->close();
    });
    QTest::mouseClick(button, Qt::LeftButton);
    return driver.timedOut() ? QString("timed out") : message;
}

}  // namespace testing_support
