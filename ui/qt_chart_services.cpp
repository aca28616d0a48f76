#include "ui/qt_chart_services.h"

#include "ui/chart_export.h"

namespace tarvelo::ui {

Esito QtChartServices::esporta(const std::string& dirArchivi, int code, const TTestataChart& h,
                               const std::string& out, bool video, int dpi, const TLavoro* lavoro) {
    OpzioniEsportazione o;
    o.versione = video ? ChartVersione::Video : ChartVersione::Stampa;
    o.dpi = dpi;
    o.lavoro = lavoro;
    return esportaChart(dirArchivi, code, h, out, o);
}

} // namespace tarvelo::ui
