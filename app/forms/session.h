// What the desktop program holds for its whole run, created in the order of
// start-up: the settings, the defaults record, the work document.
#pragma once

#include "document/document.h"
#include "ui/qt_chart_canvas.h"

#include <memory>

namespace tarvelo {

struct Sessione {
    TDriveMdl settings;
    TDefault defaults;
    std::unique_ptr<Documento> documento;
    ui::QtTextMeasurer misura;
};

} // namespace tarvelo
