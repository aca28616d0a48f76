#include "treatments/forms/form_condizioni_punti.h"

#include "engine/format_mask.h"
#include "engine/text.h"
#include "ui/locale_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvelo {

namespace {

struct Colonna {
    const char* titolo;
    const char* unita;
    const char* maschera;
};
constexpr Colonna Colonne[] = {
    {"Punto", "", nullptr},    {"tbs ", "°C", "###.##"},  {"UR", "%", "###.##"},
    {"tbu", "°C", "###.##"},   {"tsa", "°C", "###.##"},   {"x", "g/kg", "###.##"},
    {"h", "kJ/kg", "###.###"}, {"v", "m3/kg", "###.###"},
};

QTableWidget* nuovaTabella(QWidget* parent) {
    auto* t = new QTableWidget(0, 8, parent);
    t->setObjectName(QStringLiteral("OvcTable1"));
    t->setAccessibleName(QStringLiteral("Condizioni dei punti"));
    QStringList titoli;
    for (const Colonna& c : Colonne)
        titoli << QString::fromUtf8(c.titolo).trimmed() +
                      (*c.unita ? QStringLiteral("\n") + QString::fromUtf8(c.unita)
                                : QStringLiteral("\n "));
    t->setHorizontalHeaderLabels(titoli);
    t->verticalHeader()->setVisible(false);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->horizontalHeader()->setDefaultSectionSize(58);
    t->setColumnWidth(0, 46);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return t;
}

int larghezzaTabella(const QTableWidget* t) {
    int w = 2 * t->frameWidth() + t->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < t->columnCount(); ++c)
        w += t->columnWidth(c);
    return w;
}

} // namespace

void riempiTabellaPunti(QTableWidget* t, const TLavoro& l) {
    t->setUpdatesEnabled(false);
    t->setRowCount(0);
    const int n = std::min<int>(l.NumPunti, TLavoro::MaxPunti);
    for (int i = 1; i <= n; ++i) {
        const TPunto& p = l.Punti[static_cast<std::size_t>(i - 1)];
        if (p.InUso != 1)
            continue;
        const int r = t->rowCount();
        t->insertRow(r);
        const double valori[] = {0, p.tbs, p.UR, p.tbu, p.tdp, p.x * 1000.0, p.h / 1000.0, p.v};
        for (int c = 0; c < 8; ++c) {
            auto* item = new QTableWidgetItem(
                c == 0 ? QString::fromStdString(cp1252ToUtf8(p.Nome.testo()))
                       : ui::testoNumero(FormatMask(Colonne[c].maschera, valori[c])).trimmed());
            item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (c == 0)
                item->setData(Qt::UserRole, i);
            t->setItem(r, c, item);
        }
    }
    t->setUpdatesEnabled(true);
}

int puntoDellaRiga(const QTableWidget* t, int riga) {
    const QTableWidgetItem* item = riga >= 0 ? t->item(riga, 0) : nullptr;
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

TFormCondizioniPunti::TFormCondizioniPunti(const TLavoro& lavoro, QWidget* parent)
    : QWidget(parent, Qt::Tool), lavoro_(lavoro), tabella_(nuovaTabella(this)) {
    setObjectName(QStringLiteral("FormCondizioniPunti"));
    setWindowTitle(QStringLiteral("Tabella condizioni termofisiche dei punti"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabella_);
    AggiornaTabellaPunti();
    resize(larghezzaTabella(tabella_), 220);
}

void TFormCondizioniPunti::AggiornaTabellaPunti() {
    riempiTabellaPunti(tabella_, lavoro_);
    // With no point in use there is no table to show.
    tabella_->setVisible(tabella_->rowCount() > 0);
}

TFormSelPunto::TFormSelPunto(const TLavoro& lavoro, QWidget* parent)
    : QDialog(parent), tabella_(nuovaTabella(this)) {
    setObjectName(QStringLiteral("FormSelPunto"));
    setWindowTitle(QStringLiteral("Seleziona il punto da collegare"));
    riempiTabellaPunti(tabella_, lavoro);
    if (tabella_->rowCount() > 0)
        tabella_->selectRow(0);
    auto* bottoni = new QDialogButtonBox(this);
    QPushButton* ok = bottoni->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    QPushButton* annulla =
        bottoni->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    annulla->setObjectName(QStringLiteral("CancelBtn"));
    connect(bottoni, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(bottoni, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tabella_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabella_);
    layout->addWidget(bottoni);
    resize(larghezzaTabella(tabella_) + 24, 260);
}

int TFormSelPunto::scelto() const {
    return puntoDellaRiga(tabella_, tabella_->currentRow());
}

std::optional<int> ScegliPunto(const TLavoro& lavoro, QWidget* parent) {
    TFormSelPunto picker(lavoro, parent);
    if (picker.exec() != QDialog::Accepted || picker.scelto() == 0)
        return std::nullopt;
    return picker.scelto();
}

} // namespace tarvelo
