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

void CaptionLabel::setResultName(const QString& name) {
    resultName_ = name;
    updateSpokenName();
}

void CaptionLabel::setResultText(const QString& text) {
    setText(text);
    updateSpokenName();
}

void CaptionLabel::updateSpokenName() {
    // A new accessible name is announced as a name change, which screen
    // readers speak for the caption.
    const QString spoken = text().isEmpty() ? resultName_ : resultName_ + ' ' + text();
    if (!resultName_.isEmpty() && spoken != accessibleName()) {
        setAccessibleName(spoken);
    }
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
    int whole = 0;  // lines whose one-em box lies inside the label
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width());
        // Baseline at the font's own ascent below the line's top.
        line.setPosition(QPointF(0, top + metrics.ascent() - line.ascent()));
        top += pitch;
        if (top <= height()) {
            ++whole;
        }
    }
    layout.endLayout();
    for (int i = 0; i < whole; ++i) {
        layout.lineAt(i).draw(&painter, QPointF(0, 0));
    }
}

}  // namespace kit
