#include "ui/message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QStyle>

namespace tarvelo::ui {

void adattaAlTitolo(QMessageBox& box) {
    // The title bar holds the caption, the icon and three frame buttons;
    // what the frame needs is not known before the box is shown, so it is
    // taken generously from the style's title-bar metrics.
    const QFont titolo = QApplication::font("QMdiSubWindowTitleBar");
    const int bottoni = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int larghezza = QFontMetrics(titolo).horizontalAdvance(box.windowTitle()) + bottoni + 24;
    if (auto* g = qobject_cast<QGridLayout*>(box.layout())) {
        g->addItem(new QSpacerItem(larghezza, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                   g->rowCount(), 0, 1, g->columnCount());
    }
}

void messaggio(QWidget* parent, QMessageBox::Icon icona, const QString& titolo,
               const QString& testo) {
    QMessageBox box(icona, titolo, testo, QMessageBox::Ok, parent);
    adattaAlTitolo(box);
    box.exec();
}

} // namespace tarvelo::ui
