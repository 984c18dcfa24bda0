#include "ui/form1.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include "model/form1_layout.h"
#include "model/homepage.h"
#include "ui/preview_window.h"
#include "ui/program_icon.h"
#include "window_kit/run_time_message.h"

namespace ui {
namespace {

using model::Role;

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

Form1::Form1(report::PrinterFactory printers, QWidget* parent)
    : QWidget(parent), keyFilter_(this), printers_(std::move(printers)) {
    setWindowTitle(QStringLiteral("Quillmere"));
    setWindowIcon(programIcon());
    // A 9-point face of the default font: the captions were laid out for it.
    QFont base = font();
    base.setPointSize(9);
    setFont(base);
    layout_ = kit::buildLayout(this, model::form1Controls(), model::form1Lines());
    findControls();
    applyRoles();
    applyLooks();
    model_.setView(this);
    kit::sizeAndCentre(this, model::kForm1Width, model::kForm1Height);
    T_Main[0]->setFocus();
}

void Form1::findControls() {
    for (int i = 0; i < 3; ++i) {
        T_Main[i] = layout_.get<QLineEdit>("T_Main", i);
        T_FU[i] = layout_.get<QLineEdit>("T_FU", i);
        LabSize[i] = layout_.get<kit::CaptionLabel>("LabSize", i);
    }
    for (int i = 0; i < 5; ++i) {
        Label_HeJi[i] = layout_.get<kit::CaptionLabel>("Label_HeJi", i);
    }
    T_mb = layout_.get<QLineEdit>("T_mb");
    Text1 = layout_.get<QLineEdit>("Text1");
    Text2 = layout_.get<QLineEdit>("Text2");
    Text3 = layout_.get<QLineEdit>("Text3");
    Text4 = layout_.get<QLineEdit>("Text4");
    Command1 = layout_.get<QPushButton>("Command1");
    Command2 = layout_.get<QPushButton>("Command2");
    Com_Count = layout_.get<QPushButton>("Com_Count");
    Com_Print = layout_.get<QPushButton>("Com_Print");
    Command5 = layout_.get<QPushButton>("Command5");
    List1 = layout_.get<QListWidget>("List1");
    Picture1 = layout_.get<QWidget>("Picture1");
    Label11 = layout_.get<QLabel>("Label11");
    Label2 = layout_.get<QLabel>("Label2");
    Label24 = layout_.get<QLabel>("Label24");
}

void Form1::applyRoles() {
    for (const model::ControlSpec& entry : model::form1Controls()) {
        QWidget* widget = layout_.get<QWidget>(entry.name, entry.index);
        const std::string control = model::controlName(entry);
        switch (entry.role) {
            case Role::UnseenResult:
                // Off the window nothing can reach it, a screen reader included.
                widget->setParent(nullptr);
                unseen_.emplace_back(widget);
                break;
            case Role::Field:
                widget->installEventFilter(&keyFilter_);
                break;
            case Role::Link:
                widget->installEventFilter(this);
                break;
            case Role::Names: {
                // A screen reader names a field, or the list, by the label beside it.
                QWidget* named = layout_.find(entry.names);
                if (named->focusPolicy() != Qt::NoFocus) {
                    static_cast<QLabel*>(widget)->setBuddy(named);
                }
                break;
            }
            case Role::Close:
                connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                        &QWidget::close);
                break;
            default:
                if (model::Form1Model::operates(control)) {
                    connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                            [this, control] { click(control); });
                }
                break;
        }
    }
}

void Form1::applyLooks() {
    for (const model::ControlSpec& entry : model::form1Controls()) {
        QWidget* widget = layout_.find(entry.name, entry.index);
        auto* label = qobject_cast<QLabel*>(widget);
        if (entry.kind == model::ControlKind::PictureBox) {
            // The banner: a grey strip whose labels show it through, one line each.
            QPalette banner = widget->palette();
            banner.setColor(QPalette::Window, QColor(224, 224, 224));
            widget->setPalette(banner);
            for (QLabel* shown :
                 widget->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
                shown->setAutoFillBackground(false);
                shown->setWordWrap(false);
            }
        } else if (entry.role == Role::Heading) {
            QFont title = font();
            // 黑体 where the system has it, else a CJK sans-serif that shows the same text.
            title.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"),
                               QStringLiteral("Noto Sans CJK SC"), title.family()});
            title.setPointSize(12);
            title.setBold(true);
            title.setItalic(true);
            label->setFont(title);
        } else if (entry.role == Role::Emphasis) {
            QPalette red = label->palette();
            red.setColor(QPalette::WindowText, QColor(255, 0, 0));
            label->setPalette(red);
        } else if (entry.role == Role::Link) {
            QFont link = font();
            link.setFamilies({QStringLiteral("MS Sans Serif"), link.family()});
            link.setPointSizeF(8.25);
            link.setBold(true);
            link.setUnderline(false);
            label->setFont(link);
            QPalette green = label->palette();
            green.setColor(QPalette::WindowText, QColor(0, 128, 0));
            label->setPalette(green);
            label->setText(QString::fromUtf8(model::kHomepageGreeting) +
                           QUrl(QString::fromUtf8(model::kHomepageUrl)).host());
        }
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label24 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label24_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::click(const std::string& control) {
    kit::runOperation(this, [&] {
        for (const std::string& field : model_.fields()) {
            model_.setField(field, layout_.get<QLineEdit>(field.c_str())->text().toStdString());
        }
        const auto report = model_.operate(control);
        if (!report) {
            return;
        }
        // The plate list ends with its last line selected, as when the lines
        // were read by selecting each in turn.
        if (List1->count() > 0) {
            List1->setCurrentRow(List1->count() - 1);
        }
        FrmPrint preview(printers_, this);
        for (const std::string& line : *report) {
            preview.addLine(line);
        }
        preview.exec();
    });
}

void Form1::captionWritten(const std::string& control, const std::string& text) {
    layout_.get<kit::CaptionLabel>(control.c_str())->setResultText(fromUtf8(text));
}

void Form1::plateListed(const std::string& line) {
    List1->addItem(fromUtf8(line));
}

void Form1::Command2_Click() {
    click("Command2");
}

void Form1::Command1_Click() {
    click("Command1");
}

void Form1::Com_Count_Click() {
    click("Com_Count");
}

void Form1::Com_Print_Click() {
    click("Com_Print");
}

void Form1::Command5_Click() {
    close();
}

void Form1::Label24_Click() {
    // A machine with no browser simply opens nothing; the link reports no error.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(model::kHomepageUrl)));
}

}  // namespace ui
