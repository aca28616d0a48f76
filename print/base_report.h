// The report object the drawing sheet is composed on: page geometry and
// sections, a print position, pen, brush and font, text with sub- and
// superscripts, table cells with box lines and shade, a word-wrapped memo
// and a footer, all in report units (1/300 inch). It keeps the state and
// lays things out; the device it draws on only draws.
#pragma once

#include "print/report_device.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

enum class Giustifica { Sinistra, Destra, Centro };

// Box lines of a table cell.
namespace bordo {
inline constexpr int Sinistro = 1, Destro = 2, Alto = 4, Basso = 8, Tutti = 15;
}

class TBaseReport {
  public:
    explicit TBaseReport(ReportDevice& device);

    ReportDevice& device() { return device_; }

    // The page and its unprintable margins.
    int larghezzaPagina() const { return pagina_.larghezza; }
    int altezzaPagina() const { return pagina_.altezza; }
    int margineSxNonStampabile() const { return pagina_.margineSx; }
    int margineDxNonStampabile() const { return pagina_.margineDx; }
    int margineAltoNonStampabile() const { return pagina_.margineAlto; }
    int margineBassoNonStampabile() const { return pagina_.margineBasso; }

    // The printable section.
    void setSezione(int sinistra, int alto, int destra, int basso);
    int sezioneSx() const { return sx_; }
    int sezioneDx() const { return dx_; }
    int sezioneAlto() const { return alto_; }
    int sezioneBasso() const { return basso_; }

    // The print position; Y is the baseline of the text.
    int X() const { return x_; }
    int Y() const { return y_; }
    void setX(int x) { x_ = x; }
    void setY(int y) { y_ = y; }
    void vaiA(int x, int y);

    void setPenna(const PennaReport& p) { penna_ = p; }
    const PennaReport& penna() const { return penna_; }
    void setPennello(const PennelloReport& p) { pennello_ = p; }
    void muoviA(int x, int y);
    void lineaA(int x, int y);
    void rettangolo(int x1, int y1, int x2, int y2);
    void ellisse(int x1, int y1, int x2, int y2);

    // Font: each setting applies to the texts printed after it.
    void setFont(std::string nome, double punti);
    void setGrassetto(bool on) { font_.grassetto = on; }
    void setCorsivo(bool on) { font_.corsivo = on; }
    void setPedice(bool on);
    void setApice(bool on);
    void setColoreTesto(Rgb c) { font_.colore = c; }
    void setRotazione(int gradi) { font_.rotazione = gradi; }
    const FontReport& font() const { return font_; }

    // Row spacing: the font's own, or one set by the user.
    int altezzaRiga();
    void setAltezzaRigaUtente(int h);
    void altezzaRigaDalFont() { rigaUtente_ = 0; }
    int altezzaRigaFont() { return device_.altezzaRiga(font_); }
    int larghezzaTesto(std::string_view testo) { return device_.larghezzaTesto(font_, testo); }

    // Text at the print position (a tab character moves to the next table
    // cell), then the position moves on.
    void stampa(std::string_view testo);
    void stampaACapo(std::string_view testo);
    void aCapo();
    void stampaXY(int x, int y, std::string_view testo);
    // On the last line of the section.
    void stampaUltimaRiga(std::string_view testo, Giustifica g);

    // Table cells. A cell at x < 0 starts right after the previous one.
    void pulisciTab();
    void impostaTab(int x, Giustifica g, int larghezza, int margine, int bordi, int ombra);
    // To the next cell of the row: its shade and box lines (less those in
    // `senzaBordi`) are drawn, and the texts that follow go inside it.
    void tab(int senzaBordi = 0);

    // A memo of at most `righe` lines, word-wrapped between x1 and x2 from
    // the print position down; line breaks of the text are kept.
    void stampaMemo(std::string_view testo, int righe, int x1, int x2);

  private:
    struct Cella {
        int x, larghezza, margine, bordi, ombra;
        Giustifica g;
    };
    void testoQui(std::string_view testo);
    int spostamentoBase();

    ReportDevice& device_;
    Pagina pagina_;
    int sx_ = 0, dx_ = 0, alto_ = 0, basso_ = 0;
    int x_ = 0, y_ = 0;
    int penX_ = 0, penY_ = 0;
    PennaReport penna_;
    PennelloReport pennello_;
    FontReport font_;
    bool pedice_ = false, apice_ = false;
    int rigaUtente_ = 0;
    std::vector<Cella> celle_;
    int cella_ = -1; // the cell the texts go in, -1 outside the table
};

} // namespace tarvelo
