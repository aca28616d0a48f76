#include "ui/qt_print_services.h"

#include "print/report_recording.h"
#include "ui/qt_report_device.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tarvelo::ui {

std::vector<std::string> elencoStampanti() {
    std::vector<std::string> v;
    for (const QString& n : QPrinterInfo::availablePrinterNames())
        v.push_back(n.toStdString());
    return v;
}

std::string stampantePredefinita() {
    return QPrinterInfo::defaultPrinterName().toStdString();
}

bool scegliStampante(QPrinter& printer, const std::string& nome, std::string& errore) {
    const QString n =
        nome.empty() ? QPrinterInfo::defaultPrinterName() : QString::fromStdString(nome);
    if (n.isEmpty()) {
        errore = QPrinterInfo::availablePrinterNames().isEmpty()
                     ? "Nessuna stampante installata!"
                     : "nessuna stampante predefinita: indicarne una per nome";
        return false;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(n);
    if (info.isNull()) {
        errore = "la stampante " + n.toStdString() + " non esiste";
        return false;
    }
    printer.setPrinterName(n);
    if (!printer.isValid()) {
        errore = "la stampante " + n.toStdString() + " non è utilizzabile";
        return false;
    }
    return true;
}

Esito salvaFoglioPdf(const DatiStampa& dati, const std::string& out,
                     const AvanzamentoStampa& avanzamento) {
    QtMisuraReport misura; // A4
    Registrazione r;
    if (Esito e = ComponiFoglio(dati, misura, r, avanzamento); !e.ok)
        return e;
    return scriviPdf(r, out);
}

Esito QtPrintServices::stampa(const DatiStampa& dati, const DestinazioneStampa& dove) {
    using Tipo = DestinazioneStampa::Tipo;
    if (dove.tipo == Tipo::Stampante) {
        QPrinter printer(QPrinter::HighResolution);
        std::string errore;
        if (!scegliStampante(printer, dove.stampante, errore))
            return Esito::fallito(errore);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setDocName(QStringLiteral("Applicazione psicrometria"));
        QtMisuraReport misura(paginaStampante(printer));
        Registrazione r;
        if (Esito e = ComponiFoglio(dati, misura, r); !e.ok)
            return e;
        return stampaPagine(r, printer, 1, static_cast<int>(r.pagine.size()));
    }
    if (dove.tipo == Tipo::Pdf)
        return salvaFoglioPdf(dati, dove.percorso);
    QtMisuraReport misura; // A4
    Registrazione r;
    if (Esito e = ComponiFoglio(dati, misura, r); !e.ok)
        return e;
    return scriviPng(r, dove.percorso, dove.dpi);
}

} // namespace tarvelo::ui
