#include "app/cli/work_report.h"

#include "document/work_record_ops.h"
#include "treatments/verifiche.h"

#include "engine/altitude.h"
#include "engine/decimal_text.h"
#include "engine/numeric.h"
#include "engine/text.h"

#include <algorithm>
#include <cmath>

namespace tarvelo::cli {

namespace {

template <std::size_t N> std::string utf8(const StringaPascal<N>& s) {
    return cp1252ToUtf8(s.testo());
}

std::size_t puntiInUso(const TLavoro& l) {
    return std::min<std::size_t>(l.NumPunti, TLavoro::MaxPunti);
}
std::size_t trattamentiInUso(const TLavoro& l) {
    return std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
}

std::string num(double v, int decimals) {
    return std::isfinite(v) ? FloatToStrFixed(v, 15, decimals) : "non valido";
}

const char* nomeTipo(std::uint8_t tipo) {
    static const char* const nomi[] = {"miscela",
                                       "raffreddamento",
                                       "raffreddamento con deumidificazione",
                                       "riscaldamento",
                                       "umidificazione adiabatica",
                                       "unione (retta carichi ambiente)",
                                       "umidificazione a vapore"};
    return tipo < 7 ? nomi[tipo] : "sconosciuto";
}

std::string nomeImpianto(std::uint8_t tipo) {
    if (tipo <= 5)
        return std::string("impianto ") + static_cast<char>('A' + tipo);
    if (tipo == 6)
        return "trattamenti manuali";
    return "sconosciuto (" + std::to_string(tipo) + ")";
}

// One labelled line; a value of several lines (CR LF inside the records)
// continues under itself.
std::string riga(const std::string& etichetta, const std::string& valore) {
    constexpr std::size_t Colonna = 26;
    std::string r = "  " + etichetta;
    std::size_t width = 0;
    for (unsigned char c : etichetta)
        width += (c & 0xC0) != 0x80;
    if (width < Colonna)
        r.append(Colonna - width, ' ');
    for (std::size_t i = 0; i < valore.size(); ++i) {
        const char c = valore[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < valore.size() && valore[i + 1] == '\n')
                ++i;
            r += "\n" + std::string(Colonna + 2, ' ');
        } else {
            r += c;
        }
    }
    return r + "\n";
}

std::string unita(std::uint8_t code) {
    const std::string u = UnitaPortata(code);
    return u.empty() ? "codice " + std::to_string(code) : u;
}

} // namespace

std::string lavoroTesto(const TTestataLavoro& h, const TLavoro& l, const LimitiVerifiche* limiti,
                        const std::vector<Suggerimento>* suggerimenti) {
    std::string t = "Testata\n";
    t += riga("Firma", utf8(h.Firma));
    t += riga("Progetto", utf8(h.Progetto));
    t += riga("Piè pagina", utf8(h.PiePagina));
    t += riga("Foglio n.", utf8(h.NumFoglio));
    t += riga("Calcoli validi", h.CalcoliValidi ? "sì" : "no");
    t += riga("Unità portate in stampa", unita(h.UmStampa));
    t += "\nLavoro\n";
    t += riga("Descrizione", utf8(l.Descrizione));
    t += riga("Tipo", nomeImpianto(l.TipoImpianto));
    t += riga("Titolo sequenza", utf8(l.TitoloSequenza));
    // A pressure no chart can have (a damaged header) is named as such, not
    // shown; 0 is a work that names its chart by code only.
    const double pressione = l.TestataChart.pressure;
    if (pressione != 0 && !verificaPressione(pressione).empty())
        t += riga("Diagramma", std::to_string(l.CodiceChart) +
                                   " - intestazione non valida (pressione: " +
                                   verificaPressione(pressione) + ")");
    else
        t += riga("Diagramma", std::to_string(l.CodiceChart) + " - " +
                                   utf8(l.TestataChart.description) + " (" + num(pressione, 0) +
                                   " Pa)");
    t += riga("Codice errore", std::to_string(l.CodiceErrore));
    t += "\nDati della zona\n";
    t += riga("tbs ambiente [°C]", num(l.tbsInt, 1));
    t += riga("UR ambiente [%]", num(l.URInt, 1));
    t += riga("tbs esterna [°C]", num(l.tbsEst, 1));
    t += riga("UR esterna [%]", num(l.UREst, 1));
    t += riga("tbs immissione [°C]", num(l.tbsImm, 1));
    t += riga("t acqua/vapore [°C]", num(l.tH2O, 1));
    t += riga("Carico sensibile [kW]", num(l.Csens, 3));
    t += riga("Carico latente [kW]", num(l.Clat, 3));
    t += riga("Carico umidità [g/s]", num(l.Cx, 3));
    t += riga("Volume [m³]", num(l.Volume, 0));
    t +=
        riga("Portata rinnovo [kg/s]", num(l.Qrinn, 4) + " (mostrata in " + unita(l.umQrinn) + ")");
    t += riga("Portata immissione [kg/s]",
              num(l.Qimm, 4) + " (mostrata in " + unita(l.umQimm) + ")");
    t += riga("t superficiale [°C]", num(l.tSup, 2));
    t += riga("UR punto D [%]", num(l.URD, 2));
    t += "\nRisultati\n";
    t += riga("Qv [m³/h]", num(l.Qv, 1));
    t += riga("Ricambi [1/h]", num(l.QvVol, 2));
    t += riga("Fattore di contatto", num(l.fs, 3));
    t += riga("Regolabilità", num(l.Regolabilita, 3));
    t += riga("Dt riscaldamento [K]", num(l.DtRiscaldamento, 2));

    t += "\nPunti (" + std::to_string(l.NumPunti) + ")\n";
    t += "  n.  nome      tbs     UR     tbu      x        h     tdp     qm\n";
    t += "               [°C]    [%]    [°C]  [g/kg]  [kJ/kg]   [°C]  [kg/s]\n";
    for (std::size_t i = 0; i < puntiInUso(l); ++i) {
        const TPunto& p = l.Punti[i];
        char line[200];
        if (p.InUso && statoNonCalcolato(l, p)) {
            std::snprintf(line, sizeof line, "  %2zu  %-6s (non calcolato)\n", i + 1,
                          utf8(p.Nome).c_str());
            t += line;
            continue;
        }
        std::snprintf(line, sizeof line, "  %2zu  %-6s %6s %6s %7s %7s %8s %7s %7s\n", i + 1,
                      utf8(p.Nome).c_str(), num(p.tbs, 1).c_str(), num(p.UR, 0).c_str(),
                      num(p.tbu, 1).c_str(), num(p.x * 1000.0, 2).c_str(),
                      num(p.h / 1000.0, 2).c_str(), num(p.tdp, 1).c_str(), num(p.qm, 3).c_str());
        t += line;
    }
    t += "\nTrattamenti (" + std::to_string(l.NumTrattamenti) + ")\n";
    for (std::size_t k = 0; k < trattamentiInUso(l); ++k) {
        const TTrattamento& tr = l.Trattamenti[k];
        t += "  " + std::to_string(k + 1) + ". " + nomeTipo(tr.Tipo) + ", punti " +
             std::to_string(tr.Punto1) + " -> " + std::to_string(tr.Punto2);
        if (tr.Punto3 != 0)
            t += " (" + std::to_string(tr.Punto3) + ")";
        t += ": Qtot " + num(tr.Qtot / 1000.0, 3) + " kW, Qsen " + num(tr.Qsen / 1000.0, 3) +
             " kW, dt " + num(tr.dt, 2) + " K, dx " + num(tr.dx, 2) + " g/kg";
        if (tr.Errore != 0)
            t += ", errore " + std::to_string(tr.Errore);
        t += "\n";
    }
    if (limiti) {
        if (const PortataReale q = portataReale(l); q.QvReale > 0) {
            t += "\nPortata reale all'immissione\n";
            t += riga("Qv reale [m³/h]", num(q.QvReale, 1));
            t += riga("Ricambi reali [1/h]", num(q.RicambiReali, 2));
        }
        const std::vector<Verifica> v = verifiche(l, *limiti);
        t += "\nVerifiche (" + std::to_string(v.size()) + ")\n";
        for (const Verifica& c : v)
            t += "  " + std::to_string(c.codice) + " " + nomeLivello(c.livello) + ": " +
                 c.messaggio + "\n";
    }
    if (suggerimenti) {
        t += "\nSuggerimenti (" + std::to_string(suggerimenti->size()) + ")\n";
        if (suggerimenti->empty())
            t += "  nessun dato di progetto, cambiato da solo, fa calcolare lo schema\n";
        for (const Suggerimento& s : *suggerimenti)
            t += "  " + s.campo + ": " + s.messaggio + "\n";
    }
    return t;
}

} // namespace tarvelo::cli
