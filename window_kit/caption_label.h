#pragma once

#include <QLabel>

namespace kit {

// A label whose text wraps at the line pitch of its own font. Chinese text falls
// back to a CJK face whose line height is far taller than the glyphs need, which
// would push a second line of a result caption out of its box and over the
// caption below; the lines are placed here one em apart instead, and a line that
// does not fit whole in the box is not drawn at all, so no fragment of it shows.
// Top-left aligned, plain text, like every caption of the windows.
//
// A result caption also has a fixed name: a screen reader hears the name and
// then what the caption shows ("前后长面尺寸 60 * 40 *  2 块"), and hears it
// again each time an operation writes a new result.
class CaptionLabel : public QLabel {
    Q_OBJECT

  public:
    explicit CaptionLabel(const QString& text, QWidget* parent = nullptr);

    // Makes this a result caption spoken as `name` followed by its text.
    void setResultName(const QString& name);
    // Shows a new result and announces it to assistive technology.
    void setResultText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void updateSpokenName();

    QString resultName_;
};

}  // namespace kit
