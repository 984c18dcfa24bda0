#include "ui/preview_window.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <array>

#include "estimate/run_time_error.h"
#include "report/page_layout.h"
#include "window_kit/run_time_message.h"

namespace ui {
namespace {

using kit::ControlKind;
using kit::ControlSpec;

constexpr std::array kControls = {
    ControlSpec{"List1", -1, ControlKind::ListBox, nullptr, nullptr, 960, 480, 6015, 4935, 0,
                "报告预览"},
    ControlSpec{"Command1", -1, ControlKind::CommandButton, nullptr, "打印", 7320, 480, 1095, 435,
                1},
    ControlSpec{"Command2", -1, ControlKind::CommandButton, nullptr, "关闭", 7320, 1080, 1095, 435,
                2},
};

constexpr int kClientWidth = 9045;  // twips
constexpr int kClientHeight = 6300;

}  // namespace

FrmPrint::FrmPrint(report::PrinterFactory printers, QWidget* parent)
    : QDialog(parent), printers_(std::move(printers)) {
    setWindowTitle(QStringLiteral("打印预览"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);  // the caller's scope unloads it
    layout_ = kit::buildLayout(this, kControls);
    List1 = layout_.get<QListWidget>("List1");
    Command1 = layout_.get<QPushButton>("Command1");
    Command2 = layout_.get<QPushButton>("Command2");
    kit::sizeAndCentre(this, kClientWidth, kClientHeight);
    connect(Command1, &QPushButton::clicked, this, &FrmPrint::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmPrint::Command2_Click);
    List1->setFocus();
}

void FrmPrint::addLine(const std::string& line) {
    List1->addItem(QString::fromStdString(line));
}

void FrmPrint::Command1_Click() {
    kit::runOperation(this, [this] {
        auto printer = printers_ ? printers_() : nullptr;
        if (!printer) {
            throw estimate::RunTimeError(estimate::ErrorKind::PrinterError);
        }
        printReport(*printer, List1->count(), [this](int i) {
            List1->setCurrentRow(i);
            return List1->currentItem()->text().toStdString();
        });
    });
}

void FrmPrint::Command2_Click() {
    reject();
}

void FrmPrint::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace ui
