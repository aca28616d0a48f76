#include "app/forms/window_layout.h"

namespace tarvelo {

Disposizione disponiFinestre(const FinestreAperte& f) {
    const Rettangolo& m = f.main;
    // A window that does not exist takes no room: the ones placed after it
    // close up.
    const Rettangolo vuoto{};
    Disposizione d;
    d.diagramma = f.diagramma;
    d.palette = f.palette;
    d.tabellaPunti = f.tabellaPunti;
    d.coordinate = f.coordinate;
    d.dettaglio = f.dettaglio;
    Rettangolo palette = f.palette.value_or(vuoto);
    Rettangolo& diag = d.diagramma;

    if (f.schermoW == 800) {
        if (d.tabellaPunti) {
            d.tabellaPunti->top = m.height + 20;
            d.tabellaPunti->left = 0;
        }
        palette.top = 0;
        palette.left = m.width;
        diag.top = m.height;
        diag.left = 0;
        if (d.coordinate) {
            const Rettangolo tp = d.tabellaPunti.value_or(Rettangolo{0, m.height + 20, 0, 0});
            d.coordinate->top = tp.top + tp.height;
            d.coordinate->left = 0;
        }
        if (d.dettaglio) {
            d.dettaglio->top = palette.height;
            d.dettaglio->left = diag.width;
        }
    } else if (f.schermoW == 640) {
        if (d.tabellaPunti) {
            d.tabellaPunti->top = 100;
            d.tabellaPunti->left = 100;
        }
        palette.top = 0;
        palette.left = 0;
        diag.top = m.height;
        diag.left = 0;
        if (d.coordinate) {
            d.coordinate->top = m.height;
            d.coordinate->left = 0;
            d.coordinate->height = 281;
        }
        if (d.dettaglio) {
            d.dettaglio->top = 50;
            d.dettaglio->left = 50;
        }
    } else {
        if (d.tabellaPunti) {
            d.tabellaPunti->top = m.top;
            d.tabellaPunti->left = m.left + m.width;
            d.tabellaPunti->width = f.schermoW - d.tabellaPunti->left;
            d.tabellaPunti->height = m.height;
        }
        palette.top = m.height;
        palette.left = 0;
        palette.width = diag.width;
        if (!f.palette)
            palette.height = 0;
        diag.top = palette.top + palette.height;
        diag.left = m.left;
        if (d.coordinate) {
            d.coordinate->top = palette.top + palette.height + 20;
            d.coordinate->left = 0;
            d.coordinate->height = 270;
        }
        if (d.dettaglio) {
            d.dettaglio->top = palette.top;
            d.dettaglio->left = palette.width + m.left;
        }
    }
    diag.height = f.schermoH - diag.top;
    if (d.dettaglio) {
        d.dettaglio->height = f.schermoH - d.dettaglio->top;
        d.dettaglio->width = f.schermoW - d.dettaglio->left;
    }
    if (f.palette)
        d.palette = palette;
    return d;
}

} // namespace tarvelo
