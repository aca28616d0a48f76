// The chart services of the command line, on Qt.
#pragma once

#include "chart/chart_services.h"
#include "ui/qt_chart_canvas.h"

namespace tarvelo::ui {

class QtChartServices : public ChartServices {
  public:
    TextMeasurer& misura() override { return misura_; }
    Esito esporta(const std::string& dirArchivi, int code, const TTestataChart& h,
                  const std::string& out, bool video, int dpi,
                  const TLavoro* lavoro = nullptr) override;

  private:
    QtTextMeasurer misura_;
};

} // namespace tarvelo::ui
