#include "window_kit/caption_label.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

namespace kit {

CaptionLabel::CaptionLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QFontMetricsF metrics(font());
    // One em from line to line: the pitch the window's captions were laid out
    // for, two lines to a result caption's box.
    const qreal pitch = QFontInfo(font()).pixelSize();
    QTextLayout layout(text(), font(), this);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                  : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width());
        // Baseline at the font's own ascent below the line's top.
        line.setPosition(QPointF(0, top + metrics.ascent() - line.ascent()));
        top += pitch;
    }
    layout.endLayout();
    layout.draw(&painter, QPointF(0, 0));
}

}  // namespace kit
