// The treatment dialog: a sequence of treatments built on the chart one at a
// time, each computed with "Calcola" and drawn at once; OK chains the next
// one or ends the sequence, Cancel puts the work back as it was.
#pragma once

#include "document/check_limits.h"
#include "document/work_records.h"
#include "treatments/sequence_editor.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace tarvelo {

namespace ui {
class ListaVerifiche;
}

namespace ui {
class CampoMaschera;
}

// A state picked in the moist-air calculator (UR as a fraction, x kg/kg).
struct StatoScelto {
    double tbs = 0, UR = 0, x = 0;
};

// What the dialog asks of the windows around it.
struct ServiziTrattamenti {
    std::function<void()> ridisegna;        // the diagram
    std::function<void()> aggiornaFinestre; // points table and detail, when open
    std::function<void()> mostraDettaglio;  // "Dettagli"
    std::function<void()> mostraPunti;      // "   Punti"
    std::function<void()> salvaValido;      // the last valid work, for undo
    // The calculator in its picking mode: mode 0 (tbs, UR) or 2 (tbs, x).
    std::function<std::optional<StatoScelto>(int modo, double tbs, double UR, double x)>
        scegliStato;
    // The point picker; nothing when cancelled.
    std::function<std::optional<int>()> scegliPunto;
    // The limits of the engineering checks shown after each calculation, and
    // the diagram showing the point of the check chosen (0: none).
    const LimitiVerifiche* limiti = nullptr;
    std::function<void(int)> evidenzia;
};

class TFormCalcUte : public QDialog {
  public:
    TFormCalcUte(TLavoro& lavoro, std::uint8_t umPortataDef, bool emulazioneDosInvio,
                 ServiziTrattamenti servizi, QWidget* parent = nullptr);
    ~TFormCalcUte() override;

    // Opens on kind code 1..6 (a new sequence) or 0 (revision) and shows
    // the first treatment; exec() then runs the dialog.
    void apri(int codice);
    // 1 when the user ended with "&Fine trattamento".
    int risultato() const { return risultato_; }
    // Whether the work changed since the dialog opened.
    bool cambiato() const;

    // The handlers of the form.
    void BtnCalcolaClick();
    void OKBtnClick();
    void Miscela1Click(int tag);
    void CancelBtnClick();
    void BtnHomeClick();
    void btnIndietroClick();
    void btnAvantiClick();
    void BtnFineClick();
    void collegaClick(int quale);
    void cmbPortata_1Change();
    void cmbInput_4Change();
    void cmbInput_5Change();
    void cmbUmPortChange();
    void radInput_2Click();
    void fld_Change();
    void HelpBtnClick();
    void MostraTratto(int codice, bool nuovo);

    EditorSequenza& editor() { return editor_; }
    QMenu* popupMenu() const { return popup_; }
    QString messaggio() const { return messaggio_; }
    int pagina() const;

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct CampiPunto {
        QLineEdit* nome = nullptr;
        ui::CampoMaschera* tbs = nullptr;
        ui::CampoMaschera* secondo = nullptr; // UR % or x g/kg
        QComboBox* etichetta = nullptr;
        QPushButton* collega = nullptr;
    };

    void creaPagine();
    void creaPannello();
    CampiPunto rigaPunto(QGridLayout* g, int riga, const QString& titolo, int pagina, int punto,
                         bool conTbs, bool conSecondo, const QString& secondo);
    // The treatment the editor stands on: page, caption, fields, buttons.
    void mostraPagina();
    void mostraCampi();
    void aggiornaPortate();
    void aggiornaCollegamenti();
    void aggiornaNavigazione();
    // The coil's or union's position in its full list of inputs.
    int posizioneCompleta() const;
    void leggiPagina();
    double portataVista(double kgs, int um) const;
    void impostaPortata(ui::CampoMaschera* f, double kgs, int um);
    double leggiPortata(const ui::CampoMaschera* f, double precedente, int um) const;
    void scegliConCalcolatrice(QObject* campo);
    CampiPunto& punto(int quale) { return punti_[pagina()][static_cast<std::size_t>(quale)]; }

    TLavoro& lavoro_;
    EditorSequenza editor_;
    ServiziTrattamenti servizi_;
    int risultato_ = 0;
    bool errore_ = false;
    bool chiusuraFinestra_ = false;
    bool mostrando_ = false;
    QString messaggio_;
    int umMiscela_ = 0, modoMiscela_ = 0; // as the mixing fields show them
    int umPagina_ = 0;                    // the unit the flow field shows

    QLabel* titolo_ = nullptr;
    QStackedWidget* pagine_ = nullptr;
    std::array<std::array<CampiPunto, 3>, 4> punti_{};
    // Mixing.
    QComboBox* cmbPortata_1 = nullptr;
    ui::CampoMaschera* fldPort1_1 = nullptr;
    ui::CampoMaschera* fldPort2_1 = nullptr;
    ui::CampoMaschera* fldPort3_1 = nullptr;
    QLabel* lbCalcPort1_1 = nullptr;
    QLabel* lbCalcPort2_1 = nullptr;
    QComboBox* cmbUmPort_1 = nullptr;
    // Heating and cooling.
    QButtonGroup* radInput_2 = nullptr;
    std::array<QRadioButton*, 3> radioInput_{};
    ui::CampoMaschera* fldPortata_2 = nullptr;
    ui::CampoMaschera* fldPotenza_2 = nullptr;
    QComboBox* cmbUmPort_2 = nullptr;
    // Humidification.
    QButtonGroup* radTempVapAcq_3 = nullptr;
    ui::CampoMaschera* fldTempVapAcq_3 = nullptr;
    ui::CampoMaschera* fldPort_3 = nullptr;
    QComboBox* cmbUmPort_3 = nullptr;
    // Coil and union.
    QComboBox* cmbInput_4 = nullptr;
    QComboBox* cmbInput_5 = nullptr;
    ui::CampoMaschera* fldSens_4 = nullptr;
    ui::CampoMaschera* fldTot_4 = nullptr;
    QLabel* lbTot_4 = nullptr;
    ui::CampoMaschera* fldQimm_4 = nullptr;
    ui::CampoMaschera* fldts_4 = nullptr;
    ui::CampoMaschera* fldfs_4 = nullptr;
    QLabel* lbts_4 = nullptr;
    QLabel* lbfs_4 = nullptr;
    QComboBox* cmbUmPort_4 = nullptr;
    // Bottom panel.
    QPushButton* BtnHome = nullptr;
    QPushButton* btnIndietro = nullptr;
    QPushButton* btnAvanti = nullptr;
    QPushButton* BtnFine = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* BtnDettagli = nullptr;
    QPushButton* BtnCalcola = nullptr;
    QPushButton* BtnPunti = nullptr;
    ui::ListaVerifiche* verifiche_ = nullptr;
    QLabel* suggerimento_ = nullptr;
    QMenu* popup_ = nullptr;
    std::unique_ptr<TLavoro> allApertura_;
};

} // namespace tarvelo
