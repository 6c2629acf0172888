#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

namespace lc {

// The clock's mascot: a small builder in a hard hat, one arm raised in greeting.
// It stands with its feet at `base` and is `height` pixels tall (about 0.75 of
// that wide); the figure is filled in `color`, its eyes, vest stripe and the edge
// of the hat's brim are cut out in `detail`.
void drawMascot(QPainter& painter, QPointF base, double height, const QColor& color,
                const QColor& detail);

} // namespace lc
