#include "app/forms/avvio.h"

#include "app/forms/main_window.h"
#include "app/forms/splash_about.h"
#include "chart/form_diagramma.h"
#include "chart/initial_chart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <iostream>

// Resources of a static library are registered by hand, outside any
// namespace.
static void registraRisorse() {
    Q_INIT_RESOURCE(splash);
}

namespace tarvelo {

int avviaProgramma(int& argc, char** argv, const cli::AvvioGrafico& avvio,
                   const std::string& exeFolder) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    registraRisorse();
    QApplication::setApplicationName(QStringLiteral("Diagramma psicrometrico"));

    Sessione s;
    // 1. Settings: folders and options; a new data folder gets its layout
    // and its first chart.
    const std::string dati = locateDataFolder(avvio.dati, exeFolder);
    std::vector<std::string> creati;
    if (Esito e = preparaCartellaDati(dati, creati); !e.ok) {
        QMessageBox::critical(nullptr, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
        return 1;
    }
    s.settings = TDriveMdl::crea(dati);
    for (const std::string& a : s.settings.avvisi)
        std::cerr << "tarvelo: attenzione: " << a << "\n";
    bool creato = false;
    if (Esito e = assicuraChartIniziale(s.settings, s.misura, creato); !e.ok)
        QMessageBox::warning(nullptr, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
    if (Esito e = s.settings.entraCartellaLavori(); !e.ok)
        QMessageBox::warning(nullptr, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
    // 2. The defaults record.
    if (Esito e = s.settings.archivio().leggiDefault(s.defaults); !e.ok)
        QMessageBox::warning(nullptr, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
    // 3. The document header and the work record.
    s.documento = std::make_unique<Documento>(s.settings, s.defaults);
    ui::QtDocumentUi header(nullptr);
    s.documento->inizializzaTestata(header.dataBreve());
    // 5. The splash.
    if (!avvio.senzaSplash && !avvio.esciDopoDisegno) {
        TFormSplash splash;
        splash.exec();
    }
    // 6. The main window and the message loop.
    TFormMain main(s);
    main.show();
    if (!avvio.file.empty())
        main.apriFile(avvio.file);
    if (avvio.esciDopoDisegno) {
        QTimer::singleShot(0, &main, [&] {
            main.diagramma()->paintASHRAE()->repaint();
            std::cout << "diagramma disegnato in " << clock.elapsed() << " ms\n";
            QApplication::exit(0);
        });
    }
    return QApplication::exec();
}

} // namespace tarvelo
