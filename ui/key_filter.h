#pragma once

#include <QObject>
#include <cstdint>

namespace ui {

// The numeric key filter: lets the decimal digits, the point, Backspace (8) and
// Enter (13) through and turns every other key code into 0, which drops the key.
// Codes are signed 16-bit, so every negative code is dropped too. Returns the
// code left in n_KeyAscii.
std::int16_t InputNumb(std::int16_t& n_KeyAscii);

// Applies InputNumb to every character typed into the fields it is installed on,
// whether it arrives as a key press or is committed by an input method. Keys
// that type no character keep working: Tab and Shift+Tab move the focus, Delete
// and the arrows edit, and Ctrl shortcuts (copy, cut, paste, select all, undo)
// reach the field. Pasted text is not filtered; the conversions judge it when an
// operation reads the field.
class KeyFilter : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui
