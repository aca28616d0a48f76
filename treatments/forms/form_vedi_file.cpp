#include "treatments/forms/form_vedi_file.h"

#include "engine/text.h"
#include "treatments/risult_log.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace tarvelo {

TFormVediFile::TFormVediFile(QWidget* parent)
    : QWidget(parent, Qt::Tool), lista_(new QListWidget(this)) {
    setObjectName(QStringLiteral("FormVediFile"));
    setWindowTitle(QStringLiteral("Dettaglio di calcolo"));
    lista_->setObjectName(QStringLiteral("OvcListBox1"));
    lista_->setAccessibleName(QStringLiteral("Dettaglio di calcolo"));
    lista_->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setStyleHint(QFont::Monospace);
    lista_->setFont(mono);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lista_);
    resize(260, 400);
}

std::string TFormVediFile::AggiornaDettaglio(const TLavoro& lavoro, const std::string& cartella) {
    // The results are shown even when the log cannot be written (a folder
    // that is read-only, a full disk): the calculation ran, and the reason
    // the file is missing heads the list.
    const Esito scritto = ScriviRisult(lavoro, cartella);
    const std::string testo = cp1252ToUtf8(testoRisult(lavoro));
    QStringList righe = QString::fromStdString(testo).split(QStringLiteral("\r\n"));
    if (!righe.isEmpty() && righe.back().isEmpty())
        righe.removeLast();
    lista_->setUpdatesEnabled(false);
    lista_->clear();
    if (!scritto.ok) {
        auto* avviso = new QListWidgetItem(QStringLiteral("RISULT.TXT non scritto: ") +
                                           QString::fromStdString(scritto.errore));
        avviso->setForeground(Qt::red);
        avviso->setToolTip(avviso->text());
        lista_->addItem(avviso);
    }
    lista_->addItems(righe);
    lista_->setUpdatesEnabled(true);
    return scritto.ok ? std::string() : scritto.errore;
}

QStringList TFormVediFile::righe() const {
    QStringList r;
    for (int i = 0; i < lista_->count(); ++i)
        r << lista_->item(i)->text();
    return r;
}

} // namespace tarvelo
