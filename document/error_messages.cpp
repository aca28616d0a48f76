#include "document/error_messages.h"

#include <map>

namespace tarvelo {

std::string MessaggioErrore(int codice) {
    static const std::map<int, const char*> tabella = {
        {1, "tbs int > tbs ext"},
        {2, "Qrinnovo > Qimmisione"},
        {3, "tbs imm < tbs int"},
        {4, "Volume <=0"},
        {5, "Csen+Clat<=0"},
        {6, "Qimm<=0"},
        {7, "tbs int < tbs ext"},
        {8, "30 <= URd% < 100"},
        {101, "Qimm<=0"},
        {102, "qmD<>qmC -----> aumentare tbs imm"},
        {202, "la retta C-D non interseca la curva di saturazione"},
        {203, "(ts<-20)"},
        {204, "(ts>tbsD)"},
        {205, "la retta C-D non interseca la curva di saturazione "},
        {206, "Il punto D deve avere al max. UR=99%"},
        {207, "Il numero di ricircoli Qv/Vol dovrebbe superare 4-5!"},
        {208, "(tE-tB)<=0"},
        {209, "La tbsD non dovrebbe superare i 45°C"},
        {210, "regolabilità del sistema < 0.4"},
        {212, "la retta A-C non interseca la curva di saturazione"},
        {213, "(ts<-20)"},
        {214, "(ts>tbsC)"},
        {215, "la retta A-C non interseca la curva di saturazione"},
        {216, "Il punto C deve avere al max. UR=99%"},
        {217, "tD<t0 or hD<h0 (retta C-D troppo inclinata!)"},
        {300, "Portata di miscela <=0"},
        {301, "Portata1 > Portata miscela"},
        {302, "h1=h2"},
        {303, "Portata<=0"},
        {304, "Totale<=0"},
        {305, "t0>=tbs2"},
        {306, "qimm<=0"},
        {307, "Sensibile=0"},
        {308, "h0>h2"},
        {309, "S=T"},
        {310,
         "La retta \"Raffreddamento con deumidificazione\" non interseca la curva di saturazione"},
        {311, "ts>tbs2"},
        {312, "ts=tbs1"},
        {313, "Dato fuori dal campo di validità"},
        {314, "Portata1 < 0"},
        {402, "La retta A-C non interseca la curva di saturazione"},
        {405, "La retta A-C non interseca la curva di saturazione"},
        {406, "Il punto C deve avere al max. UR=99%"},
        {407, "tbsD < tbsC"},
        {408, "UR dell punto C >=100"},
        {409, "Il tratto ts-C interseca la curva di saturazione"},
        {410, "qx < 0"},
        {411, "tbsA < tbsC"},
        {412, "tbsD < tbsE"},
        {413, "B1.w<= ts.w"},
        {420, "Calcolo impossibile: divisione per zero con i dati inseriti"},
        {421, "Qrinnovo <= 0"},
        {422, "La ricerca dell'umidità del punto D non converge"},
        {1000, "UR1>100"},
        {2000, "UR2>100"},
        {3000, "URmiscela>100"},
        {4000, "Il Tratto ts-Pto2 interseca la curva di saturazione"},
    };
    const auto it = tabella.find(codice);
    return it == tabella.end() ? std::string() : it->second;
}

} // namespace tarvelo
