#pragma once

#include <QLabel>

namespace kit {

// A label whose text wraps at the line pitch of its own font. Chinese text falls
// back to a CJK face whose line height is far taller than the glyphs need, which
// would push a second line of a result caption out of its box and over the
// caption below; the lines are placed here one em apart instead. Top-left aligned, plain
// text, like every caption of the windows.
class CaptionLabel : public QLabel {
    Q_OBJECT

  public:
    explicit CaptionLabel(const QString& text, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kit
