// The chart dialogs: "Genera Chart" collects the parameters of a new chart
// (or of one to overwrite); "Seleziona Chart" lists the catalogue and gives
// back the chosen code.
#pragma once

#include "chart/chart_builder.h"
#include "document/defaults_archive.h"

#include <QDialog>

#include <vector>

class QButtonGroup;
class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace tarvelo {

namespace ui {
class CampoMaschera;
}
class TFrmInterpola;

class TFormBldChart : public QDialog {
  public:
    // `numChart` and `area` are what the values are checked against: the
    // charts that can be overwritten and the diagram's paint area.
    TFormBldChart(bool emulazioneDosInvio, int numChart, const AreaVideo& area,
                  QWidget* parent = nullptr);

    // The parameters as typed; `nuovo` and `codice` from "CODICE".
    ParametriChart parametri() const;
    bool nuovo() const;
    int codice() const;

    QPlainTextEdit* memo() const { return memo_; }
    ui::CampoMaschera* fldTbsMin() const { return tbsMin_; }
    ui::CampoMaschera* fldTbsMax() const { return tbsMax_; }
    ui::CampoMaschera* fldWmax() const { return wMax_; }
    ui::CampoMaschera* fldCodice() const { return codice_; }
    TFrmInterpola* frame() const { return frame_; }

    // Why the values make no chart (empty when they do); OK stays in the
    // dialog with the values until they do.
    QString verifica() const;
    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int numChart_;
    AreaVideo area_;
    QPlainTextEdit* memo_;
    ui::CampoMaschera* tbsMin_;
    ui::CampoMaschera* tbsMax_;
    ui::CampoMaschera* wMax_;
    ui::CampoMaschera* codice_;
    QButtonGroup* radioCodice_;
    TFrmInterpola* frame_;
};

class TFormSelectChart : public QDialog {
  public:
    TFormSelectChart(const ArchivioDefault& archivio, QWidget* parent = nullptr);

    // The chosen code, or 0 when no row is selected (taken as a cancel).
    int codiceScelto() const;
    QListWidget* lista() const { return lista_; }
    QString testoTbs() const;
    QString testoX() const;
    QString testoPatm() const;

    // On the row's click: the chart's ranges, pressure and description.
    void OvcVirtualListbox1Click();

  private:
    ArchivioDefault archivio_; // a copy: callers hand over temporaries
    QListWidget* lista_;
    QLabel* tbs_;
    QLabel* x_;
    QLabel* patm_;
    QPlainTextEdit* memo_;
};

} // namespace tarvelo
