// What the command line needs from the drawing layer to print a sheet: the
// page of the destination, text measured on it, and the pages written as a
// PDF, a picture or sent to a printer. The executable supplies the Qt
// implementation; tests supply their own.
#pragma once

#include "document/file_io.h"
#include "print/stampa_foglio.h"

#include <string>

namespace tarvelo {

struct DestinazioneStampa {
    enum class Tipo { Pdf, Png, Stampante };
    Tipo tipo = Tipo::Pdf;
    std::string percorso;  // PDF or PNG
    int dpi = 300;         // PNG
    std::string stampante; // empty: the default printer
};

class PrintServices {
  public:
    virtual ~PrintServices() = default;
    // Composes the sheet for the destination's page (the printer's paper,
    // or A4 for a file) and writes or prints it; nothing is left behind
    // when it fails.
    virtual Esito stampa(const DatiStampa& dati, const DestinazioneStampa& dove) = 0;
};

} // namespace tarvelo
