#include "plants/work_recalc.h"

#include "plants/plant_calc.h"
#include "treatments/treatment_bounds.h"
#include "treatments/treatment_calc.h"
#include "treatments/treatment_defaults.h"

#include <algorithm>

namespace tarvelo {

EsitoRicalcolo ricalcolaLavoro(TLavoro& l, const std::string& cartella) {
    EsitoRicalcolo r;
    if (l.TipoImpianto == 6) {
        const int n = std::min<int>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
        for (int k = 1; k <= n; ++k) {
            TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k - 1)];
            if (t.Tipo == TipoUnione && t.Estensione == 0)
                continue;
            prendiPuntiCollegati(l, t);
            applicaPortataImposta(l, t);
            const EsitoCalcolo e = calcolaTrattamento(l, k, {t.Punto1, t.Punto2, t.Punto3});
            if (!e.messaggio.empty())
                r.messaggi.push_back(e.messaggio);
            r.rifiutato = r.rifiutato || e.errore == CodiceFuoriCampo;
        }
        // An input out of range: the work is not calculated any further.
        if (r.rifiutato) {
            r.errori = true;
            return r;
        }
        if (const std::string m = RicalcolaTratti(l); !m.empty() && r.messaggi.empty())
            r.messaggi.push_back(m);
        riassumiTrattamenti(l);
        for (int k = 0; k < n; ++k)
            r.errori = r.errori || l.Trattamenti[static_cast<std::size_t>(k)].Errore != 0;
    } else if (l.TipoImpianto < 6) {
        const EsitoImpianto esito = CalcolaImpianto(l, cartella);
        r.file = esito.file;
        r.codiceImpianto = esito.codice;
        r.errori = esito.codice != 0;
    }
    return r;
}

} // namespace tarvelo
