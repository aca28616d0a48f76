// The chart canvas on a QPainter: the same routine draws the chart on a
// window, an image, a PDF or SVG page and a printer. Units are those of the
// device the painter works on; font sizes in points become
// `unitsPerPoint` device units, so text measures the same everywhere.
#pragma once

#include "chart/chart_canvas.h"

#include <QFont>
#include <QPainter>
#include <QPoint>

namespace tarvelo::ui {

// A font of the chart in device units.
QFont chartFont(const FontState& f, double unitsPerPoint, const QString& defaultFamily);

// Windows-1252 text of the records as a QString.
QString fromCp1252(std::string_view text);

class QtChartCanvas : public ChartCanvas {
  public:
    QtChartCanvas(QPainter& painter, double unitsPerPoint,
                  QString defaultFamily = QStringLiteral("Arial"));

    void setPen(const PenState& pen) override;
    void setFont(const FontState& font) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    TextSize measure(std::string_view text) override;
    void fillWhite(int left, int top, int right, int bottom) override;
    void textTopLeft(int x, int y, std::string_view text) override;
    void textBaseline(int x, int y, std::string_view text, double degrees) override;
    void circle(int x, int y, int r, Rgb fill) override;

  private:
    QPainter& painter_;
    double unitsPerPoint_;
    QString family_;
    QPoint pen_;
    QColor textColour_ = Qt::black;
};

// Measures labels as the diagram window shows them: Arial at 96 dpi.
class QtTextMeasurer : public TextMeasurer {
  public:
    TextSize measure(const FontState& font, std::string_view text) override;
};

} // namespace tarvelo::ui
