#pragma once

#include <QColor>
#include <QLine>
#include <QList>
#include <QObject>

namespace kit {

// Draws a container's straight lines under its controls, as part of the
// container's own painting. The lines are decoration: unlike line widgets they
// are no objects a screen reader could land on.
class PaintedLines : public QObject {
    Q_OBJECT

  public:
    explicit PaintedLines(QWidget* container);

    // A line from (x1, y1) to (x2, y2) in the container's pixels, one pixel wide.
    void add(const QLine& line, const QColor& colour);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* container_;
    QList<std::pair<QLine, QColor>> lines_;
};

}  // namespace kit
