// The drawing sheet of the command line, on Qt: PDF and PNG on A4, or a
// printer of the system (through CUPS) on its own paper.
#pragma once

#include "print/print_services.h"

#include <string>

class QPrinter;

namespace tarvelo::ui {

// The printers of the system and the default one ("" when none).
std::vector<std::string> elencoStampanti();
std::string stampantePredefinita();
// The printer of that name (the default one when empty); false, with the
// reason, when there is none.
bool scegliStampante(QPrinter& printer, const std::string& nome, std::string& errore);

// The sheet as a PDF on A4, as the command line and the print dialog's
// "Salva come PDF" write it: composed (showing `avanzamento`), then written
// whole or not at all.
Esito salvaFoglioPdf(const DatiStampa& dati, const std::string& out,
                     const AvanzamentoStampa& avanzamento = {});

class QtPrintServices : public PrintServices {
  public:
    Esito stampa(const DatiStampa& dati, const DestinazioneStampa& dove) override;
};

} // namespace tarvelo::ui
