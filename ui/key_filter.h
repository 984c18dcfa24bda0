#pragma once

#include <QObject>

namespace ui {

// Applies InputNumb (model/input_numb.h) to every character typed into the fields it is installed
// on, whether it arrives as a key press or is committed by an input method. Keys that type no
// character keep working: Tab and Shift+Tab move the focus, Delete and the arrows edit, and Ctrl
// shortcuts (copy, cut, paste, select all, undo) reach the field. Pasted text is not filtered; the
// conversions judge it when an operation reads the field.
class KeyFilter : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui
