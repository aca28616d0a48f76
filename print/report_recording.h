// The pages of a composition as recorded operations: what the preview shows
// and sends to the printer, kept in the page file TEMP.RPP. The file is our
// own line format (one operation per line, texts in hexadecimal), written
// atomically and checked field by field when read back.
#pragma once

#include "document/file_io.h"
#include "print/report_device.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvelo {

inline constexpr const char* NomePaginaAnteprima = "TEMP.RPP";

struct OperazioneReport {
    enum class Tipo : std::uint8_t { Linea, Rettangolo, Ellisse, Testo };
    Tipo tipo = Tipo::Linea;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // a text's position in x1, y1
    bool conPenna = true;
    PennaReport penna;
    PennelloReport pennello;
    FontReport font;
    std::string testo; // Windows-1252
    bool operator==(const OperazioneReport&) const = default;
};

struct PaginaRegistrata {
    std::vector<OperazioneReport> operazioni;
    bool operator==(const PaginaRegistrata&) const = default;
};

struct Registrazione {
    Pagina pagina;
    std::vector<PaginaRegistrata> pagine;
    bool operator==(const Registrazione&) const = default;
};

// Records what is drawn on it; page and text metrics come from `misura`
// (the back end the pages will be shown or printed on measures the same).
class RegistratoreReport : public ReportDevice {
  public:
    explicit RegistratoreReport(ReportDevice& misura);

    const Registrazione& registrazione() const { return r_; }
    Registrazione&& prendi() { return std::move(r_); }
    void nuovaPagina() { r_.pagine.emplace_back(); }

    Pagina pagina() const override { return r_.pagina; }
    int larghezzaTesto(const FontReport& font, std::string_view testo) override;
    int altezzaRiga(const FontReport& font) override;
    int ascesa(const FontReport& font) override;
    void linea(int x1, int y1, int x2, int y2, const PennaReport& penna) override;
    void rettangolo(int x1, int y1, int x2, int y2, const PennaReport* penna,
                    const PennelloReport& pennello) override;
    void ellisse(int x1, int y1, int x2, int y2, const PennaReport& penna,
                 const PennelloReport& pennello) override;
    void testo(int x, int y, const FontReport& font, std::string_view testo) override;

  private:
    void aggiungi(OperazioneReport op);
    ReportDevice& misura_;
    Registrazione r_;
};

// Draws one recorded page on a device.
void riproduci(const PaginaRegistrata& pagina, ReportDevice& device);

std::string testoRpp(const Registrazione& r);
Esito leggiTestoRpp(std::string_view testo, Registrazione& r);
Esito salvaRpp(const std::string& path, const Registrazione& r);
Esito leggiRpp(const std::string& path, Registrazione& r);

} // namespace tarvelo
