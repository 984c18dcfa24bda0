#include "window_kit/painted_lines.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace kit {

PaintedLines::PaintedLines(QWidget* container) : QObject(container), container_(container) {
    container->installEventFilter(this);
}

void PaintedLines::add(const QLine& line, const QColor& colour) {
    lines_.append({line, colour});
    container_->update();
}

bool PaintedLines::eventFilter(QObject* watched, QEvent* event) {
    // The container paints its own frame after this, and its children after that.
    if (watched == container_ && event->type() == QEvent::Paint) {
        QPainter painter(container_);
        for (const auto& [line, colour] : lines_) {
            // A pixel wide, from the start point to just before the end point.
            const QRect pixels(std::min(line.x1(), line.x2()), std::min(line.y1(), line.y2()),
                               std::max(1, std::abs(line.dx())), std::max(1, std::abs(line.dy())));
            painter.fillRect(pixels, colour);
        }
    }
    return false;
}

}  // namespace kit
