// The "Verifiche" list of the plant and treatment dialogs: the engineering
// checks of the work after each calculation, a warning or information icon
// by level; choosing one names its point, for the diagram to show.
#pragma once

#include "treatments/verifiche.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QListWidget;

namespace tarvelo::ui {

class ListaVerifiche : public QWidget {
  public:
    explicit ListaVerifiche(QWidget* parent = nullptr);

    // The checks of a calculated work; `calcolato` false (a run that ended
    // with an error) leaves the list empty: its values are not results.
    void mostra(const std::vector<Verifica>& verifiche, bool calcolato = true);
    // Called with the 1-based point of the check chosen (0: none).
    void quandoScelto(std::function<void(int)> f) { scelto_ = std::move(f); }

    QListWidget* elenco() const { return elenco_; }
    int avvisi() const { return avvisi_; }

  private:
    QLabel* titolo_;
    QListWidget* elenco_;
    std::function<void(int)> scelto_;
    int avvisi_ = 0;
};

} // namespace tarvelo::ui
