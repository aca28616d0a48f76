#include "app/qt_on_demand.h"

#include "ui/qt_chart_services.h"
#include "ui/qt_print_services.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdlib>
#include <iostream>

namespace tarvelo {

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith("QStandardPaths:"))
        return;
    std::cerr << message.toStdString() << "\n";
}

} // namespace

void messaggiQtSilenziosi() {
    qInstallMessageHandler(quietMessages);
}

QtSuRichiesta::QtSuRichiesta(char* argv0) : argv_{argv0, nullptr} {}

QtSuRichiesta::~QtSuRichiesta() {
    qtPrint_.reset();
    qtChart_.reset();
    gui_.reset();
}

void QtSuRichiesta::avvia() {
    if (gui_)
        return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    messaggiQtSilenziosi();
    gui_ = std::make_unique<QGuiApplication>(argc_, argv_);
    // Qt has set the C library to the session's locale; the command's
    // numbers keep the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    qtChart_ = std::make_unique<ui::QtChartServices>();
    qtPrint_ = std::make_unique<ui::QtPrintServices>();
}

TextSize QtSuRichiesta::Misura::measure(const FontState& font, std::string_view text) {
    qt.avvia();
    return qt.qtChart_->misura().measure(font, text);
}

TextMeasurer& QtSuRichiesta::Chart::misura() {
    return qt.misura_;
}

Esito QtSuRichiesta::Chart::esporta(const std::string& dirArchivi, int code, const TTestataChart& h,
                                    const std::string& out, bool video, int dpi,
                                    const TLavoro* lavoro) {
    qt.avvia();
    return qt.qtChart_->esporta(dirArchivi, code, h, out, video, dpi, lavoro);
}

Esito QtSuRichiesta::Print::stampa(const DatiStampa& dati, const DestinazioneStampa& dove) {
    qt.avvia();
    return qt.qtPrint_->stampa(dati, dove);
}

} // namespace tarvelo
