// The plant dialog: the zone data of a configuration (A..F), computed and
// drawn at once. It stays open beside the chart, whose handles drag the
// room, outdoor, supply and coil states and recalculate at every move.
#pragma once

#include "chart/diagram_view.h"
#include "document/check_limits.h"
#include "document/defaults_archive.h"
#include "document/work_records.h"
#include "plants/plant_calc.h"

#include <QDialog>
#include <QLine>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCloseEvent;
class QComboBox;
class QLabel;
class QPainter;
class QPushButton;

namespace tarvelo {

namespace ui {
class CampoMaschera;
class ListaVerifiche;
} // namespace ui

// The construction lines a calculation draws as it goes: kept until the
// next run, and shown only when the run failed (a good run is shown by its
// sequence). They are kept as air states and placed with the diagram's
// scale at every repaint: the chart on screen may have been fitted to the
// window since the work's chart header was stored.
class LineeCostruzione : public DisegnoCostruzione {
  public:
    void linea(const TPunto& da, const TPunto& a) override;
    void cerchio(const TPunto& p) override;
    void cancella();
    void disegna(QPainter& p, const VistaDiagramma& vista, int raggio) const;
    std::vector<QLine> linee(const VistaDiagramma& vista) const;
    bool vuote() const { return linee_.empty() && cerchi_.empty(); }

  private:
    struct Stato {
        double tbs, x;
    };
    std::vector<std::pair<Stato, Stato>> linee_;
    std::vector<Stato> cerchi_;
};

// What the dialog asks of the windows around it.
struct ServiziImpianto {
    std::function<void()> ridisegna;        // the diagram
    std::function<void()> aggiornaFinestre; // points table and detail, when open
    std::function<void()> mostraDettaglio;
    std::function<void()> mostraPunti;
    std::function<void()> salvaValido;             // the last valid work, for undo
    std::function<void(const std::string&)> stato; // the diagram's status line
    // The calculator picking a (tbs, UR) pair; UR as a fraction.
    std::function<std::optional<std::pair<double, double>>(double tbs, double UR)> scegliStato;
    // Where DETTAGLI.TXT goes: the folder of the current work, asked at each
    // calculation (opening a work elsewhere moves it).
    std::function<std::string()> cartellaLog;
    // The limits of the engineering checks, and the diagram showing the
    // point of the check chosen in the list (0: none).
    const LimitiVerifiche* limiti = nullptr;
    std::function<void(int)> evidenzia;
};

class TFormCalcAuto1 : public QDialog {
  public:
    TFormCalcAuto1(TLavoro& lavoro, TTestataLavoro& testata, const TDefault& defaults,
                   bool emulazioneDosInvio, ServiziImpianto servizi, QWidget* parent = nullptr);
    ~TFormCalcAuto1() override;

    // A new configuration with its sample data (`tipo` 0..5 becomes
    // TipoImpianto; any other keeps it), or the stored one revised; then
    // calculated at once.
    void Prepara(bool revisione, int tipo = -1);
    // The work replaced under the open dialog (undo, redo): its values shown
    // and calculated, while Cancel still goes back to the work as it was
    // when the dialog was prepared.
    void RiprendiLavoro();
    void Ricalcola();

    // The setters the chart calls while a handle is dragged (UR in %).
    void AggiornaInterne(double UR, double tbs);
    void AggiornaEsterne(double UR, double tbs);
    void AggiornaTbsImm(double tbs);
    void AggiornaURD(double UR);
    void AggiornaTSup(double tbs);
    void AggiornaXPick(double x);
    // A drag code 0..5 with the state under the mouse (UR as a fraction).
    void trascina(int codice, double tbs, double UR, double x);

    // The handlers of the form.
    void BtnCalcolaClick();
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void BtnTglCLatCxClick();
    void BtnTglTbsQimmClick();
    void cmbUmQrinnChange();
    void cmbUmQimmChange();
    void fldInterne1Change();
    void fldCsensExit();

    int tag() const { return tag_; }
    const LineeCostruzione& costruzione() const { return costruzione_; }
    ui::ListaVerifiche* verifiche() const { return verifiche_; }

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void creaControlli();
    void SettaClatCx();
    void SettaTbsQimm();
    void SettaQrinn();
    // The fields the user typed in go into the work.
    void leggiCampi();
    void mostraValore(ui::CampoMaschera* f, double v);
    // A dragged value as its field shows it (0.1 °C, 0.1 %): what the
    // engineer reads is what is calculated.
    static double comeNelCampo(ui::CampoMaschera* f, double v);
    // Caption, layout and fields of the configuration in the work.
    void caricaCampi();

    TLavoro& lavoro_;
    TTestataLavoro& testata_;
    const TDefault& defaults_;
    ServiziImpianto servizi_;
    std::unique_ptr<TLavoro> copia_;
    std::uint16_t calcoliValidiSalvati_ = 0;
    int tag_ = 0;
    bool caricamento_ = false;
    bool chiusuraFinestra_ = false;
    LineeCostruzione costruzione_;

    ui::CampoMaschera* fldInterne1 = nullptr;
    ui::CampoMaschera* fldInterne2 = nullptr;
    ui::CampoMaschera* fldEsterne1 = nullptr;
    ui::CampoMaschera* fldEsterne2 = nullptr;
    ui::CampoMaschera* fldVolume = nullptr;
    ui::CampoMaschera* fldCsens = nullptr;
    ui::CampoMaschera* fldClat_Cx = nullptr;
    ui::CampoMaschera* fldQrinn = nullptr;
    ui::CampoMaschera* fldtb_Qimm = nullptr;
    ui::CampoMaschera* fldtH2O = nullptr;
    QLabel* LbCsens = nullptr;
    QLabel* LbClatCx = nullptr;
    QLabel* LbUmClatCx = nullptr;
    QLabel* Lb2ClatCx = nullptr;
    QPushButton* BtnTglCLatCx = nullptr;
    QLabel* LbQrinn = nullptr;
    QComboBox* cmbUmQrinn = nullptr;
    QLabel* lbUmQrinn = nullptr;
    QLabel* LbtbsQimm = nullptr;
    QComboBox* cmbUmQimm = nullptr;
    QLabel* lbUmtbsQimm = nullptr;
    QPushButton* BtnTglTbsQimm = nullptr;
    QLabel* Lb2tbsQimm = nullptr;
    QLabel* LbtH2O = nullptr;
    QLabel* LbUmtH2O = nullptr;
    ui::ListaVerifiche* verifiche_ = nullptr;
    QPushButton* BtnCalcola = nullptr;
    QPushButton* BtnPunti = nullptr;
    QPushButton* btnDettaglio = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

// The dialog's caption for a configuration code (0..5).
const char* titoloImpianto(int tipo);

} // namespace tarvelo
