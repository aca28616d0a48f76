// The folder file and the options file, as start-up reads them.
#include "fuzz_support.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string dir = fuzz::cartella().prefisso() + "ini/";
    std::filesystem::create_directories(dir);
    fuzz::scrivi(dir + "TARVEX.INI", data, size);
    fuzz::scrivi(dir + "TRV.INI", data, size);
    const TDriveMdl s = TDriveMdl::crea(dir);
    fuzz::verifica(s.stampa.MaskData.size() <= 12 && s.stampa.StrPag.size() <= 80,
                   "una maschera oltre la sua misura");
    return 0;
}
