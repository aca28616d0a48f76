// A report device with fixed, font-independent metrics that draws nothing,
// for tests of the sheet's layout that must not depend on the machine's
// fonts: each character `larghezza` units per point wide (bold ones one
// unit more when `grassettoPiuLargo`), a line `altezza` units per point
// high with an ascent of `ascesa` units per point.
#pragma once

#include "print/report_device.h"

namespace tarvelo::test {

struct MisuraReportFissa : ReportDevice {
    MisuraReportFissa(double larghezza, double altezza, double ascesaPerPunto,
                      bool grassettoPiuLargo = false)
        : l_(larghezza), h_(altezza), a_(ascesaPerPunto), g_(grassettoPiuLargo) {}
    Pagina p;
    Pagina pagina() const override { return p; }
    int larghezzaTesto(const FontReport& f, std::string_view t) override {
        return static_cast<int>(static_cast<double>(t.size()) * f.punti * l_ +
                                (g_ && f.grassetto ? static_cast<double>(t.size()) : 0.0));
    }
    int altezzaRiga(const FontReport& f) override { return static_cast<int>(f.punti * h_); }
    int ascesa(const FontReport& f) override { return static_cast<int>(f.punti * a_); }
    void linea(int, int, int, int, const PennaReport&) override {}
    void rettangolo(int, int, int, int, const PennaReport*, const PennelloReport&) override {}
    void ellisse(int, int, int, int, const PennaReport&, const PennelloReport&) override {}
    void testo(int, int, const FontReport&, std::string_view) override {}

  private:
    double l_, h_, a_;
    bool g_;
};

} // namespace tarvelo::test
