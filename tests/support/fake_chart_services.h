// Chart services for command-line tests: fixed text metrics, and exports
// that are only written down.
#pragma once

#include "chart/chart_services.h"
#include "support/fixed_measurer.h"

#include <string>

namespace tarvelo::test {

// Measures with fixed metrics and records what it was asked to export.
struct FakeServices : ChartServices {
    FixedMeasurer fixed;
    std::string exported;
    TextMeasurer& misura() override { return fixed; }
    Esito esporta(const std::string&, int code, const TTestataChart& h, const std::string& out,
                  bool video, int dpi, const TLavoro* lavoro = nullptr) override {
        exported = std::to_string(code) + " " + out + " " + (video ? "video" : "stampa") + " " +
                   std::to_string(dpi) + " " + std::to_string(h.tbsMax);
        if (lavoro)
            exported += " lavoro " + std::to_string(lavoro->NumPunti);
        return {};
    }
};

} // namespace tarvelo::test
