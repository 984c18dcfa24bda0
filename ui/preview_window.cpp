#include "ui/preview_window.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <array>
#include <cmath>

#include "estimate/run_time_error.h"
#include "printing/picture.h"
#include "report/page_layout.h"
#include "window_kit/run_time_message.h"

namespace ui {
namespace {

using model::ControlKind;
using model::ControlSpec;

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
    addCopyActions();
    List1->setFocus();
}

void FrmPrint::addCopyActions() {
    copyTextAction = new QAction(QStringLiteral("复制文字"), this);
    copyTextAction->setShortcut(QKeySequence::Copy);
    copyPictureAction = new QAction(QStringLiteral("复制图片"), this);
    copyPictureAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    for (QAction* action : {copyTextAction, copyPictureAction}) {
        // The shortcuts are shown in the menu; the keys themselves are taken
        // by eventFilter, which needs neither an active window nor a
        // platform key code.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
    }
    connect(copyTextAction, &QAction::triggered, this, &FrmPrint::copyText);
    connect(copyPictureAction, &QAction::triggered, this, &FrmPrint::copyPicture);
    for (QWidget* focusable : {static_cast<QWidget*>(List1), static_cast<QWidget*>(Command1),
                               static_cast<QWidget*>(Command2)}) {
        focusable->installEventFilter(this);
    }
    List1->viewport()->installEventFilter(this);
}

QAction* FrmPrint::copyActionFor(const QKeyEvent* key) const {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_C && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return copyPictureAction;
    }
    return key->matches(QKeySequence::Copy) ? copyTextAction : nullptr;
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

QStringList FrmPrint::reportLines() const {
    QStringList lines;
    for (int i = 0; i < List1->count(); ++i) {
        lines << List1->item(i)->text();
    }
    return lines;
}

void FrmPrint::copyText() {
    // The clipboard gives each platform its own line ends.
    QGuiApplication::clipboard()->setText(reportLines().join(u'\n'));
}

void FrmPrint::copyPicture() {
    kit::runOperation(this, [this] {
        std::vector<std::string> lines;
        for (const QString& line : reportLines()) {
            lines.push_back(line.toStdString());
        }
        QGuiApplication::clipboard()->setImage(printing::reportPicture(lines, pictureDpi()));
    });
}

int FrmPrint::pictureDpi() const {
    const QScreen* shown = screen();
    const double density = shown ? shown->logicalDotsPerInch() * shown->devicePixelRatio() : 96;
    return std::max(192, static_cast<int>(std::ceil(2 * density)));
}

void FrmPrint::showCopyMenu(const QPoint& globalPos) {
    QMenu menu(this);
    menu.addAction(copyTextAction);
    menu.addAction(copyPictureAction);
    menu.exec(globalPos);
}

QPoint FrmPrint::keyboardMenuPoint() const {
    const QRect shown = List1->viewport()->rect();
    QPoint at = shown.topLeft();
    if (const QListWidgetItem* current = List1->currentItem()) {
        const QRect line = List1->visualItemRect(current);
        if (shown.contains(line.bottomLeft())) {
            at = line.bottomLeft();
        }
    }
    return List1->viewport()->mapToGlobal(at);
}

bool FrmPrint::eventFilter(QObject* watched, QEvent* event) {
    const bool keys =
        event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (keys && watched != List1->viewport()) {
        // Whichever control has focus, the copy keys copy the whole report: the
        // list's own Ctrl+C would copy one line, and the buttons none.
        if (QAction* copy = copyActionFor(static_cast<QKeyEvent*>(event))) {
            // Accepting the override keeps the key from the shortcut map; the
            // key press that follows is the copy.
            if (event->type() == QEvent::KeyPress) {
                copy->trigger();
            }
            event->accept();
            return true;
        }
    }
    if (watched != List1 && watched != List1->viewport()) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::ContextMenu: {
            const auto* request = static_cast<QContextMenuEvent*>(event);
            showCopyMenu(request->reason() == QContextMenuEvent::Mouse ? request->globalPos()
                                                                       : keyboardMenuPoint());
            return true;
        }
        case QEvent::KeyPress: {
            // The menu key comes as a context menu request; Shift+F10 does not everywhere.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
                showCopyMenu(keyboardMenuPoint());
                return true;
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // The right button opens the menu without moving the selection:
            // copying leaves the preview as it was.
            return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
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
