// The Qt layer of the sub-commands, started on first use: the commands that
// only calculate (a plant over a climate file, a work read and saved) never
// pay for the platform and its fonts, and the ones that measure, draw or
// print start it the first time they do.
#pragma once

#include "chart/chart_services.h"
#include "print/print_services.h"

#include <memory>

class QGuiApplication;

namespace tarvelo::ui {
class QtChartServices;
class QtPrintServices;
} // namespace tarvelo::ui

namespace tarvelo {

// Sub-commands need no display: fonts and pictures come from the off-screen
// platform. Must be used from the main thread.
class QtSuRichiesta {
  public:
    explicit QtSuRichiesta(char* argv0);
    ~QtSuRichiesta();
    QtSuRichiesta(const QtSuRichiesta&) = delete;
    QtSuRichiesta& operator=(const QtSuRichiesta&) = delete;

    ChartServices& chart() { return chart_; }
    PrintServices& print() { return print_; }

  private:
    void avvia();

    // Measures through Qt, started at the first text measured.
    struct Misura : TextMeasurer {
        QtSuRichiesta& qt;
        explicit Misura(QtSuRichiesta& q) : qt(q) {}
        TextSize measure(const FontState& font, std::string_view text) override;
    };
    struct Chart : ChartServices {
        QtSuRichiesta& qt;
        explicit Chart(QtSuRichiesta& q) : qt(q) {}
        TextMeasurer& misura() override;
        Esito esporta(const std::string& dirArchivi, int code, const TTestataChart& h,
                      const std::string& out, bool video, int dpi,
                      const TLavoro* lavoro = nullptr) override;
    };
    struct Print : PrintServices {
        QtSuRichiesta& qt;
        explicit Print(QtSuRichiesta& q) : qt(q) {}
        Esito stampa(const DatiStampa& dati, const DestinazioneStampa& dove) override;
    };

    int argc_ = 1;
    char* argv_[2];
    std::unique_ptr<QGuiApplication> gui_;
    std::unique_ptr<ui::QtChartServices> qtChart_;
    std::unique_ptr<ui::QtPrintServices> qtPrint_;
    Misura misura_{*this};
    Chart chart_{*this};
    Print print_{*this};
};

// Qt's messages on standard error, without the debug chatter and the
// off-screen platform's notes on where it would keep runtime files.
void messaggiQtSilenziosi();

} // namespace tarvelo
