// What the command line needs from the drawing layer for charts: text
// measured as the diagram window measures it, and pictures of a chart.
// The executable supplies the Qt implementation; tests supply their own.
#pragma once

#include "chart/chart_canvas.h"
#include "document/chart_header.h"
#include "document/file_io.h"
#include "document/work_records.h"

#include <string>

namespace tarvelo {

class ChartServices {
  public:
    virtual ~ChartServices() = default;
    virtual TextMeasurer& misura() = 0;
    // PNG, SVG or PDF by the extension of `out`; the print version unless
    // `video`; `dpi` applies to a PNG of the print version. With a work,
    // its treatments and points are drawn over the chart.
    virtual Esito esporta(const std::string& dirArchivi, int code, const TTestataChart& h,
                          const std::string& out, bool video, int dpi,
                          const TLavoro* lavoro = nullptr) = 0;
};

} // namespace tarvelo
