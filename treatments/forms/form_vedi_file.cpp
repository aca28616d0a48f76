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
    if (Esito e = ScriviRisult(lavoro, cartella); !e.ok)
        return e.errore;
    // The list shows the file as written, line by line.
    const std::string testo = cp1252ToUtf8(testoRisult(lavoro));
    QStringList righe = QString::fromStdString(testo).split(QStringLiteral("\r\n"));
    if (!righe.isEmpty() && righe.back().isEmpty())
        righe.removeLast();
    lista_->setUpdatesEnabled(false);
    lista_->clear();
    lista_->addItems(righe);
    lista_->setUpdatesEnabled(true);
    return {};
}

QStringList TFormVediFile::righe() const {
    QStringList r;
    for (int i = 0; i < lista_->count(); ++i)
        r << lista_->item(i)->text();
    return r;
}

} // namespace tarvelo
