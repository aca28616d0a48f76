#include "ui/cursors.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>

namespace tarvelo::ui {

QCursor croceCerchiato() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& [colour, width] : {std::pair{Qt::white, 3}, std::pair{Qt::black, 1}}) {
        p.setPen(QPen(colour, width));
        p.drawEllipse(QPointF(15.5, 15.5), 9, 9);
        p.drawLine(15, 2, 15, 29);
        p.drawLine(2, 15, 29, 15);
    }
    p.end();
    return QCursor(pixmap, 15, 15);
}

} // namespace tarvelo::ui
