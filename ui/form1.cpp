#include "ui/form1.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include "estimate/cost.h"
#include "estimate/panels.h"
#include "report/report.h"
#include "ui/form1_layout.h"
#include "ui/homepage.h"
#include "ui/preview_window.h"
#include "ui/program_icon.h"
#include "window_kit/run_time_message.h"

namespace ui {
namespace {

std::string text(const QLineEdit* field) {
    return field->text().toStdString();
}

std::string caption(const QLabel* label) {
    return label->text().toStdString();
}

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
    layout_ = kit::buildLayout(this, form1Controls(), form1Lines());
    findControls();
    applyLooks();
    wireEvents();
    linkLabelsToFields();
    kit::sizeAndCentre(this, kForm1Width, kForm1Height);
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
    // Under the banner it was never seen; off the window nothing can reach it.
    unseenResult_.reset(Label_HeJi[2]);
    Label_HeJi[2]->setParent(nullptr);
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

void Form1::applyLooks() {
    QPalette banner = Picture1->palette();
    banner.setColor(QPalette::Window, QColor(224, 224, 224));
    Picture1->setPalette(banner);
    for (const char* name : {"Label11", "Label25", "Label2", "Label24"}) {
        auto* label = layout_.get<QLabel>(name);
        label->setAutoFillBackground(false);  // the strip shows through
        label->setWordWrap(false);            // one line each
    }

    QFont title = font();
    // 黑体 where the system has it, else a CJK sans-serif that shows the same text.
    title.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"),
                       QStringLiteral("Noto Sans CJK SC"), title.family()});
    title.setPointSize(12);
    title.setBold(true);
    title.setItalic(true);
    Label11->setFont(title);

    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Label2->setPalette(red);

    QFont link = font();
    link.setFamilies({QStringLiteral("MS Sans Serif"), link.family()});
    link.setPointSizeF(8.25);
    link.setBold(true);
    link.setUnderline(false);
    Label24->setFont(link);
    QPalette green = Label24->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    Label24->setPalette(green);
    Label24->setText(QString::fromUtf8(kHomepageGreeting) +
                     QUrl(QString::fromUtf8(kHomepageUrl)).host());
}

void Form1::linkLabelsToFields() {
    // Each field with a label beside it is linked to it, so a screen reader
    // names the one by the other.
    for (const Buddy& buddy : form1Buddies()) {
        layout_.get<QLabel>(buddy.label, buddy.labelIndex)
            ->setBuddy(layout_.get<QWidget>(buddy.field, buddy.fieldIndex));
    }
}

void Form1::wireEvents() {
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Com_Count, &QPushButton::clicked, this, &Form1::Com_Count_Click);
    connect(Com_Print, &QPushButton::clicked, this, &Form1::Com_Print_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    Label24->installEventFilter(this);
    for (QLineEdit* field : {T_Main[0], T_Main[1], T_Main[2], T_FU[0], T_FU[1], T_FU[2], T_mb,
                             Text1, Text2, Text3, Text4}) {
        field->installEventFilter(&keyFilter_);
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

void Form1::Command2_Click() {
    kit::runOperation(this, [this] {
        estimate::panelSizes({text(T_Main[0]), text(T_Main[1]), text(T_Main[2]), text(Text2)},
                             [this](int i, const std::string& caption) {
                                 LabSize[i]->setResultText(fromUtf8(caption));
                             });
    });
}

void Form1::Command1_Click() {
    kit::runOperation(this, [this] {
        const std::string line = plates_.add({text(T_FU[0]), text(T_FU[1]), text(T_FU[2])});
        List1->addItem(fromUtf8(line));
    });
}

void Form1::Com_Count_Click() {
    kit::runOperation(this, [this] {
        const estimate::CostFields fields{text(Text1),     text(T_mb),      text(T_Main[0]),
                                          text(T_Main[1]), text(T_Main[2]), text(Text2),
                                          text(Text3),     text(Text4)};
        estimate::costCalculation(fields, plates_, [this](int i, const std::string& caption) {
            Label_HeJi[i]->setResultText(fromUtf8(caption));
        });
    });
}

void Form1::Com_Print_Click() {
    kit::runOperation(this, [this] {
        report::ReportSource source;
        const auto label = [this](const char* name) { return caption(layout_.get<QLabel>(name)); };
        source.sizeLabels = {label("Label20"), label("Label21"), label("Label22")};
        source.sizes = {caption(LabSize[0]), caption(LabSize[1]), caption(LabSize[2])};
        // The plate lines are read by selecting each in turn; the last stays selected.
        for (int i = 0; i < List1->count(); ++i) {
            List1->setCurrentRow(i);
            source.plateLines.push_back(List1->currentItem()->text().toStdString());
        }
        source.costLabels = {label("Label15"), label("Label16"), label("Label17"),
                             label("Label18")};
        source.costs = {caption(Label_HeJi[0]), caption(Label_HeJi[1]), caption(Label_HeJi[3]),
                        caption(Label_HeJi[4])};

        FrmPrint preview(printers_, this);
        for (const std::string& line : report::buildReport(source)) {
            preview.addLine(line);
        }
        preview.exec();
    });
}

void Form1::Command5_Click() {
    close();
}

void Form1::Label24_Click() {
    // A machine with no browser simply opens nothing; the link reports no error.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(kHomepageUrl)));
}

}  // namespace ui
