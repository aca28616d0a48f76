#include "ui/qt_document_ui.h"
#include "ui/message_box.h"

#include <QDate>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace tarvelo::ui {

namespace {
const QString Filtro = QStringLiteral("Tarvex (*.TRV *.trv);;Tutti i files (*)");
}

DocumentUi::Risposta QtDocumentUi::chiediSalvaPrecedente() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("TARVELO"),
                    QString::fromUtf8(DomandaSalvaPrecedente),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setObjectName(QStringLiteral("DomandaSalva"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    adattaAlTitolo(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Risposta::Si;
    case QMessageBox::No:
        return Risposta::No;
    default:
        return Risposta::Annulla;
    }
}

std::optional<std::string> QtDocumentUi::scegliFileDaAprire() {
    const QString f = QFileDialog::getOpenFileName(
        parent_, QStringLiteral("Apri"), QString::fromStdString(cartellaIniziale), Filtro);
    if (f.isEmpty())
        return std::nullopt;
    return f.toStdString();
}

std::optional<std::string> QtDocumentUi::scegliFileDaSalvare() {
    QFileDialog dialog(parent_, QStringLiteral("Salva"), QString::fromStdString(cartellaIniziale),
                       Filtro);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The document adds ".TRV" to a name typed without extension.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

void QtDocumentUi::informa(const std::string& messaggio) {
    QString text = QString::fromStdString(messaggio);
    text.replace('\r', '\n');
    ui::informa(parent_, QStringLiteral("TARVELO"), text);
}

// The short date as the program's Italian users write it.
std::string QtDocumentUi::dataBreve() {
    return QLocale(QLocale::Italian, QLocale::Italy)
        .toString(QDate::currentDate(), QLocale::ShortFormat)
        .toStdString();
}

void QtDocumentUi::mostraChart(int codice, int precedente) {
    if (onMostraChart)
        onMostraChart(codice, precedente);
}
void QtDocumentUi::aggiornaTitolo(const std::string& titolo) {
    if (onTitolo)
        onTitolo(titolo);
}
void QtDocumentUi::abilitaRevisione(bool abilitata) {
    if (onRevisione)
        onRevisione(abilitata);
}
void QtDocumentUi::ridisegna() {
    if (onRidisegna)
        onRidisegna();
}
void QtDocumentUi::aggiornaDettaglio() {
    if (onDettaglio)
        onDettaglio();
}
void QtDocumentUi::apriRevisione(std::uint8_t tipo) {
    if (onApriRevisione)
        onApriRevisione(tipo);
}

} // namespace tarvelo::ui
