#include "document/work_record_ops.h"

#include <algorithm>
#include <cstdlib>

namespace tarvelo {

std::uint8_t hitTestHandle(const TLavoro& l, int x, int y) {
    const std::size_t n = std::min<std::size_t>(l.NumPunti, TLavoro::MaxPunti);
    for (std::size_t i = 0; i < n; ++i) {
        const TPunto& p = l.Punti[i];
        // Coordinates come from files: widen before subtracting.
        const long long dx = static_cast<long long>(p.X) - x, dy = static_cast<long long>(p.Y) - y;
        if (std::llabs(dx) <= 3 && std::llabs(dy) <= 3)
            return p.Maniglia;
    }
    return NessunaManiglia;
}

void setLabelPosition(TPunto& p, int code) {
    if (code == EtichSopra) {
        p.EtichDx = 0;
        p.EtichDyStampa = -25;
        p.EtichDyVideo = -25;
    } else if (code == EtichSotto) {
        p.EtichDx = 0;
        p.EtichDyStampa = 60;
        p.EtichDyVideo = 8;
    }
}

bool roomForTreatment(const TLavoro& l) {
    return l.NumPunti <= 17 && l.NumTrattamenti <= 9;
}

} // namespace tarvelo
