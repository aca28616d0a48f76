// A chart header (the first 488 bytes) and its chart file (the rest), as a
// catalogue and an archives folder may hold them: shown on screen, replayed
// for print, read out under the mouse.
#include "chart/chart_file.h"
#include "chart/chart_replay.h"
#include "chart/diagram_view.h"
#include "document/chart_header.h"
#include "fuzz_support.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < TTestataChart::Size)
        return 0;
    fuzz::Cartella& c = fuzz::cartella();
    TTestataChart h;
    decode(bytes::ConstImage(data, TTestataChart::Size), h);
    fuzz::scrivi(c.settings.DIR_ARCHIVI + chartFileName(77), data + TTestataChart::Size,
                 size - TTestataChart::Size);
    fuzz::CanvasNullo canvas;
    // As stored, fingerprint and all; then without it, so that a changed
    // file still reaches the decoder.
    replayVideo(c.settings.DIR_ARCHIVI, 77, h, canvas);
    h.fileChecksum = 0;
    const Esito video = replayVideo(c.settings.DIR_ARCHIVI, 77, h, canvas);
    replayStampa(c.settings.DIR_ARCHIVI, 77, h, canvas, PrintPlacement{60, 60, false});
    if (!video.ok)
        return 0;
    const VistaDiagramma v = VistaDiagramma::daTestata(h);
    for (const int X : {0, 100, 500, 32767})
        for (const int Y : {0, 100, 500, 32767})
            if (!v.FUORI_CAMPO(X, Y))
                leggiStato(v, X, Y);
    return 0;
}
