#include "treatments/forms/form_tool_trattamenti.h"

#include <QGridLayout>
#include <QIcon>
#include <QToolButton>

namespace tarvelo {

namespace {

struct Voce {
    const char* nome;
    int tag;
    const char* hint;
    const char* figura;
};

constexpr Voce Impianti[] = {
    {"SpeedButton1", 0, "Miscela+Raffreddamento con deumidificazione", "palette_a"},
    {"SpeedButton2", 1, "Raffreddamento con deumidificazione", "palette_b"},
    {"SpeedButton3", 2, "Raffreddamento con deumidificazione+Postriscaldamento", "palette_c"},
    {"SpeedButton4", 3, "Miscela+Riscaldamento e umidificazione adiabatica", "palette_d"},
    {"SpeedButton5", 4, "Miscela+Riscaldamento+Umidificazione con vapore", "palette_e"},
    {"SpeedButton6", 5, "Preriscaldamento+Umidificazione adiabatica+Postriscaldamento",
     "palette_f"},
};

constexpr Voce Trattamenti[] = {
    {"btnMiscela", 1, "Miscela", "palette_miscela"},
    {"SpeedButton8", 2, "Raffreddamento", "palette_raffreddamento"},
    {"SpeedButton9", 3, "Raffreddamento con deumidificazione", "palette_batteria"},
    {"SpeedButton10", 4, "Riscaldamento", "palette_riscaldamento"},
    {"SpeedButton11", 5, "Umidificazione", "palette_umidificazione"},
    {"SpeedButton12", 6, "Unione  (retta carichi ambiente)", "palette_unione"},
};

constexpr int Lato = 44;

} // namespace

TFormToolTrattamenti::TFormToolTrattamenti(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("FormToolTrattamenti"));
    setWindowTitle(QStringLiteral("SELEZIONA UN TRATTAMENTO"));
    auto* griglia = new QGridLayout(this);
    griglia->setContentsMargins(4, 4, 4, 4);
    griglia->setSpacing(2);
    auto aggiungi = [&](const Voce& v, int riga, int colonna, bool impianto) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromUtf8(v.nome));
        b->setProperty("tag", v.tag);
        b->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(v.figura))));
        b->setIconSize(QSize(Lato - 6, Lato - 6));
        b->setFixedSize(Lato, Lato);
        b->setToolTip(QString::fromUtf8(v.hint));
        b->setAccessibleName(QString::fromUtf8(v.hint));
        b->setAutoRaise(true);
        const int tag = v.tag;
        connect(b, &QToolButton::clicked, this, [this, tag, impianto] {
            impianto ? SpeedButton1Click(tag) : btnMiscelaClick(tag);
        });
        griglia->addWidget(b, riga, colonna);
    };
    // Plants on the first row, elementary treatments on the second.
    for (int i = 0; i < 6; ++i) {
        aggiungi(Impianti[i], 0, i, true);
        aggiungi(Trattamenti[i], 1, i, false);
    }
    griglia->setColumnStretch(6, 1);
    setFixedHeight(sizeHint().height());
    setMinimumWidth(sizeHint().width());
}

QToolButton* TFormToolTrattamenti::bottone(const char* nome) const {
    return findChild<QToolButton*>(QString::fromUtf8(nome));
}

void TFormToolTrattamenti::SpeedButton1Click(int tag) {
    hide();
    if (onImpianto)
        onImpianto(tag);
}

void TFormToolTrattamenti::btnMiscelaClick(int tag) {
    hide();
    if (onTrattamento)
        onTrattamento(tag);
}

} // namespace tarvelo
