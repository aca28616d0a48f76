#include "print/base_report.h"

#include <algorithm>

namespace tarvelo {

TBaseReport::TBaseReport(ReportDevice& device) : device_(device), pagina_(device.pagina()) {
    setSezione(pagina_.margineSx, pagina_.margineAlto, pagina_.larghezza - pagina_.margineDx,
               pagina_.altezza - pagina_.margineBasso);
    vaiA(sx_, alto_);
}

void TBaseReport::setSezione(int sinistra, int alto, int destra, int basso) {
    sx_ = sinistra;
    alto_ = alto;
    dx_ = destra;
    basso_ = basso;
}

void TBaseReport::vaiA(int x, int y) {
    x_ = x;
    y_ = y;
}

void TBaseReport::muoviA(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void TBaseReport::lineaA(int x, int y) {
    device_.linea(penX_, penY_, x, y, penna_);
    muoviA(x, y);
}

void TBaseReport::rettangolo(int x1, int y1, int x2, int y2) {
    device_.rettangolo(x1, y1, x2, y2, penna_.stile == 5 ? nullptr : &penna_, pennello_);
}

void TBaseReport::ellisse(int x1, int y1, int x2, int y2) {
    device_.ellisse(x1, y1, x2, y2, penna_, pennello_);
}

void TBaseReport::setFont(std::string nome, double punti) {
    font_.nome = std::move(nome);
    font_.punti = punti;
}

void TBaseReport::setPedice(bool on) {
    pedice_ = on;
    if (on)
        apice_ = false;
}

void TBaseReport::setApice(bool on) {
    apice_ = on;
    if (on)
        pedice_ = false;
}

int TBaseReport::altezzaRiga() {
    return rigaUtente_ > 0 ? rigaUtente_ : altezzaRigaFont();
}

void TBaseReport::setAltezzaRigaUtente(int h) {
    rigaUtente_ = std::max(1, h);
}

// A subscript sits a third of its ascent below the line, a superscript half
// of it above.
int TBaseReport::spostamentoBase() {
    const int a = device_.ascesa(font_);
    return pedice_ ? a / 3 : apice_ ? -a / 2 : 0;
}

void TBaseReport::testoQui(std::string_view testo) {
    if (testo.empty())
        return;
    const int w = larghezzaTesto(testo);
    int x = x_;
    if (cella_ >= 0) {
        const Cella& c = celle_[static_cast<std::size_t>(cella_)];
        if (c.g == Giustifica::Destra)
            x = c.x + c.larghezza - c.margine - w;
        else if (c.g == Giustifica::Centro)
            x = c.x + (c.larghezza - w) / 2;
    }
    device_.testo(x, y_ + spostamentoBase(), font_, testo);
    x_ = x + w;
}

void TBaseReport::stampa(std::string_view testo) {
    std::size_t inizio = 0;
    for (;;) {
        const std::size_t t = testo.find('\t', inizio);
        testoQui(testo.substr(inizio, t == std::string_view::npos ? t : t - inizio));
        if (t == std::string_view::npos)
            return;
        tab();
        inizio = t + 1;
    }
}

void TBaseReport::stampaACapo(std::string_view testo) {
    stampa(testo);
    aCapo();
}

void TBaseReport::aCapo() {
    y_ += altezzaRiga();
    x_ = sx_;
    cella_ = -1;
}

void TBaseReport::stampaXY(int x, int y, std::string_view testo) {
    vaiA(x, y);
    const int c = cella_;
    cella_ = -1;
    testoQui(testo);
    cella_ = c;
}

void TBaseReport::stampaUltimaRiga(std::string_view testo, Giustifica g) {
    const int y = basso_ - (altezzaRigaFont() - device_.ascesa(font_));
    const int w = larghezzaTesto(testo);
    const int x = g == Giustifica::Destra   ? dx_ - w
                  : g == Giustifica::Centro ? (sx_ + dx_ - w) / 2
                                            : sx_;
    stampaXY(x, y, testo);
}

void TBaseReport::pulisciTab() {
    celle_.clear();
    cella_ = -1;
}

void TBaseReport::impostaTab(int x, Giustifica g, int larghezza, int margine, int bordi,
                             int ombra) {
    if (x < 0)
        x = celle_.empty() ? sx_ : celle_.back().x + celle_.back().larghezza;
    celle_.push_back(Cella{x, larghezza, margine, bordi, std::clamp(ombra, 0, 100), g});
}

void TBaseReport::tab(int senzaBordi) {
    if (cella_ + 1 >= static_cast<int>(celle_.size()))
        return; // past the last cell: the text goes on where it is
    ++cella_;
    const Cella& c = celle_[static_cast<std::size_t>(cella_)];
    // The row's box: the line height around the text, the text's ascent
    // plus half of the spare height above the baseline.
    const int h = altezzaRiga();
    const int sopra = device_.ascesa(font_) + std::max(0, h - altezzaRigaFont()) / 2;
    const int y1 = y_ - sopra, y2 = y1 + h;
    const int x1 = c.x, x2 = c.x + c.larghezza;
    if (c.ombra > 0) {
        const auto grigio = static_cast<std::uint8_t>(255 - (255 * c.ombra + 50) / 100);
        device_.rettangolo(x1, y1, x2, y2, nullptr, PennelloReport{{grigio, grigio, grigio}, true});
    }
    const int bordi = c.bordi & ~senzaBordi;
    if (bordi & bordo::Sinistro)
        device_.linea(x1, y1, x1, y2, penna_);
    if (bordi & bordo::Destro)
        device_.linea(x2, y1, x2, y2, penna_);
    if (bordi & bordo::Alto)
        device_.linea(x1, y1, x2, y1, penna_);
    if (bordi & bordo::Basso)
        device_.linea(x1, y2, x2, y2, penna_);
    x_ = c.x + c.margine;
}

void TBaseReport::stampaMemo(std::string_view testo, int righe, int x1, int x2) {
    const int larghezza = x2 - x1;
    int riga = 0;
    auto emetti = [&](std::string_view r) {
        if (riga >= righe)
            return;
        stampaXY(x1, y_, r);
        y_ += altezzaRiga();
        ++riga;
    };
    std::size_t inizio = 0;
    while (inizio <= testo.size() && riga < righe) {
        std::size_t fine = testo.find_first_of("\r\n", inizio);
        if (fine == std::string_view::npos)
            fine = testo.size();
        std::string_view paragrafo = testo.substr(inizio, fine - inizio);
        // Words go on the line while they fit; a word longer than the line
        // is cut where it stops fitting.
        std::string corrente;
        std::size_t p = 0;
        while (p < paragrafo.size()) {
            const std::size_t spazio = paragrafo.find(' ', p);
            const std::size_t e = spazio == std::string_view::npos ? paragrafo.size() : spazio;
            const std::string parola(paragrafo.substr(p, e - p));
            const std::string prova = corrente.empty() ? parola : corrente + ' ' + parola;
            if (larghezzaTesto(prova) <= larghezza) {
                corrente = prova;
            } else if (!corrente.empty()) {
                emetti(corrente);
                corrente = parola;
            } else {
                corrente = parola;
            }
            while (larghezzaTesto(corrente) > larghezza && corrente.size() > 1) {
                std::size_t n = corrente.size();
                while (n > 1 && larghezzaTesto(std::string_view(corrente).substr(0, n)) > larghezza)
                    --n;
                emetti(std::string_view(corrente).substr(0, n));
                corrente.erase(0, n);
            }
            p = e + 1;
        }
        if (!corrente.empty() || paragrafo.empty())
            emetti(corrente);
        if (fine < testo.size() && testo[fine] == '\r' && fine + 1 < testo.size() &&
            testo[fine + 1] == '\n')
            ++fine;
        inizio = fine + 1;
        if (fine >= testo.size())
            break;
    }
}

} // namespace tarvelo
