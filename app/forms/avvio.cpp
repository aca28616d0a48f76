#include "app/forms/avvio.h"

#include "app/forms/main_window.h"
#include "app/forms/splash_about.h"
#include "chart/forms/form_diagramma.h"
#include "chart/initial_chart.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <clocale>
#include <csignal>
#include <filesystem>
#include <iostream>

// Resources of a static library are registered by hand, outside any
// namespace.
static void registraRisorse() {
    Q_INIT_RESOURCE(splash);
    Q_INIT_RESOURCE(icons);
}

namespace tarvelo {

int avviaProgramma(int& argc, char** argv, const cli::AvvioGrafico& avvio,
                   const std::string& exeFolder) {
    QElapsedTimer clock;
    clock.start();
    // A pipe whose reader went away is an error of the save, not the end
    // of the program with the work in it.
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    // Qt has set the C library to the session's locale; numbers in files,
    // logs and charts keep the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    registraRisorse();
    // Qt's own dialogs (files, colours, fonts, message boxes) in Italian.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTranslator traduzioni;
    if (traduzioni.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioni);
    QApplication::setApplicationName(QStringLiteral("Diagramma psicrometrico"));

    // A work named on the command line is found from where the program was
    // started, before start-up enters the works folder.
    std::string file = avvio.file;
    if (!file.empty()) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(file, ec);
        if (!ec)
            file = absolute.string();
    }

    Sessione s;
    // 1. Settings: folders and options; a new data folder gets its layout
    // and its first chart.
    const std::string dati = locateDataFolder(avvio.dati, exeFolder);
    std::vector<std::string> creati;
    if (Esito e = preparaCartellaDati(dati, creati); !e.ok) {
        ui::errore(nullptr, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
        return 1;
    }
    s.settings = TDriveMdl::crea(dati);
    for (const std::string& a : s.settings.avvisi)
        std::cerr << "tarvelo: attenzione: " << a << "\n";
    bool creato = false;
    if (Esito e = assicuraChartIniziale(s.settings, s.misura, creato); !e.ok)
        ui::avverte(nullptr, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
    if (Esito e = s.settings.entraCartellaLavori(); !e.ok)
        ui::avverte(nullptr, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
    // 2. The defaults record.
    if (Esito e = s.settings.archivio().leggiDefault(s.defaults); !e.ok)
        ui::avverte(nullptr, QStringLiteral("TARVELO"), QString::fromStdString(e.errore));
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
    if (!file.empty() && avvio.esciDopoDisegno)
        main.apriFile(file); // timed: drawn at once, no dialog waits for placing
    else if (!file.empty())
        main.apriAllAvvio(file);
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
