#pragma once

#include <QDialog>
#include <QStringList>
#include <string>

#include "report/line_printer.h"
#include "window_kit/layout_builder.h"

class QAction;
class QKeyEvent;
class QListWidget;
class QPushButton;

namespace ui {

// The print preview: the report lines in a list, "打印" to print them and "关闭"
// to close. Shown modally over the main window and discarded when closed, so
// every preview starts from an empty list. The window copies the whole report,
// as text (Ctrl+C) or as a picture (Ctrl+Shift+C), wherever focus is in it, and
// from the list's context menu, to send it in a chat message.
class FrmPrint : public QDialog {
    Q_OBJECT

  public:
    FrmPrint(report::PrinterFactory printers, QWidget* parent);

    void addLine(const std::string& line);

    void Command1_Click();  // "打印": one new document of every line
    void Command2_Click();  // "关闭"
    // Put the whole report on the clipboard, every line in order; nothing else
    // changes, the list's selection included.
    void copyText();
    void copyPicture();

    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QAction* copyTextAction = nullptr;     // "复制文字"
    QAction* copyPictureAction = nullptr;  // "复制图片"

  protected:
    // Enter does not print and Escape does not close: the window has neither a
    // default nor a cancel button.
    void keyPressEvent(QKeyEvent* event) override;
    // The copy keys wherever focus is, and the list's context menu, from the
    // mouse, the menu key or Shift+F10.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void addCopyActions();
    // The copy a key asks for: Ctrl+C (or the platform's other copy keys) the
    // text, Ctrl+Shift+C the picture; null for any other key.
    QAction* copyActionFor(const QKeyEvent* key) const;
    // The list's lines as it shows them, without selecting any.
    QStringList reportLines() const;
    void showCopyMenu(const QPoint& globalPos);
    // Below the current line, or the list's top corner: where a menu opened from
    // the keyboard appears.
    QPoint keyboardMenuPoint() const;
    // Twice the screen's pixel density, so the picture reads well on a phone.
    int pictureDpi() const;

    kit::BuiltLayout layout_;
    report::PrinterFactory printers_;
};

}  // namespace ui
