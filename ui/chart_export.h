// Pictures of a chart: the print version on a sheet of its virtual size
// with the axis titles, or the screen version at the size it was generated
// for, as PNG, SVG or PDF (chosen by the file's extension).
#pragma once

#include "document/chart_header.h"
#include "document/file_io.h"
#include "document/work_records.h"

#include <QSize>

#include <string>

namespace tarvelo::ui {

enum class ChartVersione { Stampa, Video };

struct OpzioniEsportazione {
    ChartVersione versione = ChartVersione::Stampa;
    int dpi = 300; // PNG of the print version: pixels per inch of the sheet
    // A work whose treatments and points are drawn over the chart: as the
    // diagram draws them on the screen version, as the sheet on the print one.
    const TLavoro* lavoro = nullptr;
};

// The sheet the print version is laid out on, in report units (1/300 inch),
// and where the chart's origin lies on it.
struct FoglioChart {
    QSize size;
    int offsetX, offsetY;
};
FoglioChart foglioStampa(const TTestataChart& h);
// The image a screen version fills: its field with both margins.
QSize areaVideo(const TTestataChart& h);

Esito esportaChart(const std::string& dirArchivi, int code, const TTestataChart& h,
                   const std::string& out, const OpzioniEsportazione& opzioni);

} // namespace tarvelo::ui
