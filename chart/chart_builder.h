// The chart builder: from tbs min, tbs max, x max and the pressure it
// samples every family of lines of the moist-air chart (relative humidity,
// enthalpy with its scale and ticks, specific volume, wet bulb, dry bulb,
// humidity ratio) with their labels, once for the screen and once for the
// printed sheet, and stores the chart file and its header in the catalogue.
#pragma once

#include "chart/chart_canvas.h"
#include "chart/chart_file.h"
#include "document/chart_header.h"
#include "document/defaults_archive.h"

#include <string>
#include <vector>

namespace tarvelo {

struct ParametriChart {
    int tbsMin = -5, tbsMax = 36; // °C
    int xMax = 26;                // g/kg
    double Patm = 101325.0;       // Pa
    std::string descrizione;      // Windows-1252, lines separated by CR LF
};

struct AreaVideo {
    int width = 1000, height = 700; // paint area of the diagram window, pixels
};

// Checks the parameters before anything is touched: an Italian message when
// they make no chart.
Esito verificaParametri(const ParametriChart& p, const AreaVideo& area);

// The geometry of one version, as the header stores it.
struct ScalaVersione {
    int sx = 0;                                  // units per °C
    int sy = 0;                                  // units per kg/kg
    int y0 = 0;                                  // Y of x = 0
    int W = 0;                                   // width of the field
    int x0 = 0;                                  // X of 0 °C from the left edge of the field
    int xs0 = 0, ys0 = 0, xs1 = 0, ys1 = 0;      // ends of the enthalpy scale line, without x0
    int scalaX = 0, scalaY = 0, scalaAngolo = 0; // its middle (x0 included) and slope
};

// A sample of a chart line: X without x0, Y from the top.
struct Campione {
    int X, Y;
};

class TC_BldChart {
  public:
    // `misura` measures labels in the font of the diagram window.
    TC_BldChart(const ParametriChart& p, TextMeasurer& misura);

    // One pass: the text form of the display list of a version
    // (VersioneVideo or VersioneStampa) and its scales.
    std::string passo(int versione, const AreaVideo& area, ScalaVersione& scala);

  private:
    struct Colonna {
        int Y;
        double t, ps, xs;
    };
    class Emitter;

    void scale(int versione, const AreaVideo& area, ScalaVersione& s);
    int guard(double x) const;
    int ysat(int logicalX) const;
    int yscale(int logicalX) const;
    TextSize misura(const std::string& text) const;

    void umiditaRelativa(Emitter& e);
    void entalpie(Emitter& e, bool ticks);
    void volumi(Emitter& e, bool etichette);
    void bulboUmido(Emitter& e, int passo);
    // A line (specific volume, wet bulb) that starts where it crosses the
    // saturation curve and ends on the bottom edge, one sample at a time.
    struct LineaSottoCurva {
        bool primo = true, disegna = false, sulBordo = false, disegnata = false;
        Campione prev{}, ultimo{};
    };
    void campioneSottoCurva(Emitter& e, LineaSottoCurva& l, Campione c, bool primoSottoDisegna,
                            bool scrivi, int ysat0);
    void bulboSecco(Emitter& e, bool ogniCinque);
    void lineeUmidita(Emitter& e);
    void etichetteBulboSecco(Emitter& e);
    void etichetteUmiditaRelativa(Emitter& e);

    ParametriChart p_;
    TextMeasurer& misura_;
    FontState font_; // the font of the labels being written, for measuring
    int versione_ = VersioneStampa;
    ScalaVersione s_;
    std::vector<Colonna> saturazione_;
    double vMin_ = 0.75, vMax_ = 0, tbuMin_ = 0, tbuMax_ = 0, hMin_ = 0, hMax_ = 0;
};

// "Genera Chart": builds both versions and stores the chart under a new code
// (newChart) or over an existing one ("Il codice non esiste" otherwise).
// Nothing is written unless both versions were built. Returns the code.
struct RisultatoGenerazione {
    Esito esito;
    int codice = 0;
    TTestataChart testata;
    // The failure was in reading or writing the archive, not in the chart
    // asked for.
    bool erroreDisco = false;
};
// `defaults` is the program's own defaults record: a new chart raises its
// NumChart, and the record is written back whole.
RisultatoGenerazione generaChart(const ParametriChart& p, int codice, bool nuovo,
                                 const ArchivioDefault& archivio, TDefault& defaults,
                                 TextMeasurer& misura, const AreaVideo& area,
                                 ChartCanvas* anteprima = nullptr);
// As generaChart, for a caller that already holds the archive's lock
// (ArchivioDefault::pathBlocco) for a longer operation.
RisultatoGenerazione generaChartSottoBlocco(const ParametriChart& p, int codice, bool nuovo,
                                            const ArchivioDefault& archivio, TDefault& defaults,
                                            TextMeasurer& misura, const AreaVideo& area,
                                            ChartCanvas* anteprima = nullptr);
// For callers without a record of their own: the archive's is used.
RisultatoGenerazione generaChart(const ParametriChart& p, int codice, bool nuovo,
                                 const ArchivioDefault& archivio, TextMeasurer& misura,
                                 const AreaVideo& area, ChartCanvas* anteprima = nullptr);

// "Ridisegna": rebuilds the chart `codice` from its own header, at the
// current engine pressure, for a new paint area.
RisultatoGenerazione rigeneraChart(int codice, const ArchivioDefault& archivio,
                                   TextMeasurer& misura, const AreaVideo& area,
                                   ChartCanvas* anteprima = nullptr);

// The screen version of a chart rebuilt in memory for another paint area,
// at the chart's own pressure; nothing is written. `testata` is the chart's
// header with the screen section of that area, its print offset that of
// the version in memory, not of the chart file.
struct VideoInMemoria {
    Esito esito;
    VersioneConvertita versione;
    TTestataChart testata;
};
VideoInMemoria costruisciVideo(const TTestataChart& h, TextMeasurer& misura, const AreaVideo& area);
// True when the header's screen version was built for a paint area of
// this size (the same scales), so it can be shown as it is.
bool videoAdatto(const TTestataChart& h, const AreaVideo& area);

inline constexpr const char* MsgCodiceNonEsiste = "Il codice non esiste";
inline constexpr const char* MsgCatalogoPieno =
    "Il catalogo è pieno: contiene già 201 diagrammi; sovrascriverne uno esistente";

// The chart every new data folder starts with: the generation dialog's
// defaults at standard pressure.
ParametriChart parametriChartIniziale();

// Replays the text form of a screen pass onto a canvas (the preview the
// builder draws while it works).
void disegnaAnteprima(const std::string& testo, ChartCanvas& canvas);

} // namespace tarvelo
