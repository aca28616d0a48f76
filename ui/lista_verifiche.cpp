#include "ui/lista_verifiche.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace tarvelo::ui {

ListaVerifiche::ListaVerifiche(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Verifiche"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    titolo_ = new QLabel(QStringLiteral("&Verifiche"), this);
    elenco_ = new QListWidget(this);
    elenco_->setObjectName(QStringLiteral("lstVerifiche"));
    elenco_->setAccessibleName(QStringLiteral("Verifiche"));
    elenco_->setWordWrap(true);
    elenco_->setMaximumHeight(110);
    elenco_->setSelectionMode(QAbstractItemView::SingleSelection);
    titolo_->setBuddy(elenco_);
    v->addWidget(titolo_);
    v->addWidget(elenco_);
    connect(elenco_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item, QListWidgetItem*) {
                if (scelto_)
                    scelto_(item ? item->data(Qt::UserRole).toInt() : 0);
            });
}

void ListaVerifiche::mostra(const std::vector<Verifica>& verifiche, bool calcolato) {
    const QSignalBlocker blocco(elenco_);
    elenco_->clear();
    avvisi_ = 0;
    const QIcon avviso = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QIcon informa = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
    for (const Verifica& c : verifiche) {
        const bool grave = c.livello == LivelloVerifica::Avviso;
        avvisi_ += grave ? 1 : 0;
        auto* item = new QListWidgetItem(grave ? avviso : informa,
                                         QString::fromUtf8(c.messaggio.c_str()), elenco_);
        item->setData(Qt::UserRole, c.punto);
        item->setToolTip(
            QStringLiteral("%1 %2").arg(c.codice).arg(QString::fromUtf8(nomeLivello(c.livello))));
    }
    if (verifiche.empty() && calcolato)
        new QListWidgetItem(QStringLiteral("Nessuna osservazione"), elenco_);
    titolo_->setText(avvisi_ == 0   ? QStringLiteral("&Verifiche")
                     : avvisi_ == 1 ? QStringLiteral("&Verifiche (1 avviso)")
                                    : QStringLiteral("&Verifiche (%1 avvisi)").arg(avvisi_));
    if (scelto_)
        scelto_(0);
}

} // namespace tarvelo::ui
