#include "ui/qt_chart_canvas.h"

#include "engine/text.h"

#include <QFontMetrics>
#include <QPen>

#include <cmath>

namespace tarvelo::ui {

QString fromCp1252(std::string_view text) {
    const std::string utf8 = cp1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont chartFont(const FontState& f, double unitsPerPoint, const QString& defaultFamily) {
    QFont font(f.family.empty() ? defaultFamily : QString::fromStdString(f.family));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(f.size * unitsPerPoint))));
    font.setBold(f.style == 0);
    font.setItalic(f.style == 1);
    font.setUnderline(f.style == 2);
    font.setStrikeOut(f.style == 3);
    font.setKerning(false);
    return font;
}

QtChartCanvas::QtChartCanvas(QPainter& painter, double unitsPerPoint, QString defaultFamily)
    : painter_(painter), unitsPerPoint_(unitsPerPoint), family_(std::move(defaultFamily)) {
    painter_.setFont(chartFont(FontState{}, unitsPerPoint_, family_));
}

void QtChartCanvas::setPen(const PenState& p) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    QPen pen(QColor(p.colour.r, p.colour.g, p.colour.b));
    pen.setWidth(std::max(1, p.width));
    pen.setStyle(p.style >= 0 && p.style <= 5 ? styles[p.style] : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void QtChartCanvas::setFont(const FontState& font) {
    painter_.setFont(chartFont(font, unitsPerPoint_, family_));
    textColour_ = QColor(font.colour.r, font.colour.g, font.colour.b);
}

void QtChartCanvas::circle(int x, int y, int r, Rgb fill) {
    painter_.save();
    painter_.setBrush(QColor(fill.r, fill.g, fill.b));
    painter_.drawEllipse(QPoint(x, y), r, r);
    painter_.restore();
}

void QtChartCanvas::moveTo(int x, int y) {
    pen_ = QPoint(x, y);
}

void QtChartCanvas::lineTo(int x, int y) {
    const QPoint to(x, y);
    painter_.drawLine(pen_, to);
    pen_ = to;
}

TextSize QtChartCanvas::measure(std::string_view text) {
    const QFontMetrics m(painter_.font());
    return {m.horizontalAdvance(fromCp1252(text)), m.height()};
}

void QtChartCanvas::fillWhite(int left, int top, int right, int bottom) {
    painter_.fillRect(QRect(left, top, right - left, bottom - top), Qt::white);
}

// Text is written in the font's colour (black unless set), whatever the pen.
void QtChartCanvas::textTopLeft(int x, int y, std::string_view text) {
    const QFontMetrics m(painter_.font());
    painter_.save();
    painter_.setPen(textColour_);
    painter_.drawText(QPoint(x, y + m.ascent()), fromCp1252(text));
    painter_.restore();
}

void QtChartCanvas::textBaseline(int x, int y, std::string_view text, double degrees) {
    painter_.save();
    painter_.setPen(textColour_);
    painter_.translate(x, y);
    painter_.rotate(-degrees);
    painter_.drawText(QPoint(0, 0), fromCp1252(text));
    painter_.restore();
}

TextSize QtTextMeasurer::measure(const FontState& font, std::string_view text) {
    const QFontMetrics m(chartFont(font, 96.0 / 72.0, QStringLiteral("Arial")));
    return {m.horizontalAdvance(fromCp1252(text)), m.height()};
}

} // namespace tarvelo::ui
