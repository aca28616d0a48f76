// What the GUI tests of the work's windows share: the program started on a
// data folder of each test's own, and helpers that answer the modal
// dialogs a command opens.
#pragma once

#include "app/forms/main_window.h"
#include "chart/forms/form_diagramma.h"
#include "chart/initial_chart.h"
#include "engine/moist_air.h"

#include <QAccessible>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

// The resources compiled into the program's static libraries.
int qInitResources_splash();
int qInitResources_icons();

namespace tarvelo::test {

// The controls of a window that take the focus but give a screen reader no
// name: "Class/objectName" each.
inline QStringList senzaNome(QWidget* finestra) {
    QStringList out;
    for (QWidget* w : finestra->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(finestra))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            out << QString::fromUtf8(w->metaObject()->className()) + QLatin1Char('/') +
                       w->objectName();
    }
    return out;
}

// Runs `act` on the modal dialog called `nome` once it is the active one.
inline void sulDialogo(const QString& nome, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, nome, act] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == nome && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

// Reads and closes the next message box.
inline void rispondi(QString* testo) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, testo] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            *testo = box->text();
            box->accept();
        }
    });
    timer->start();
}

// The program as started, on a data folder of its own; a message box
// nobody waited for is closed and reported by `inattesi`.
struct Programma {
    QTemporaryDir dir;
    std::unique_ptr<Sessione> s;
    std::unique_ptr<TFormMain> main;
    int prova = 0;
    QTimer guardia;
    QPointer<QMessageBox> visto; // the box the last look found
    QStringList inattesi;

    std::string dati() const {
        return dir.path().toStdString() + "/" + std::to_string(prova) + "/";
    }

    bool avvia() {
        Patm = 101325;
        ++prova;
        std::filesystem::create_directories(dati());
        std::vector<std::string> created;
        if (!preparaCartellaDati(dati(), created).ok)
            return false;
        s = std::make_unique<Sessione>();
        s->settings = TDriveMdl::crea(dati());
        bool creato = false;
        if (!assicuraChartIniziale(s->settings, s->misura, creato).ok)
            return false;
        s->settings.archivio().leggiDefault(s->defaults);
        s->documento = std::make_unique<Documento>(s->settings, s->defaults);
        s->documento->inizializzaTestata("10/12/2026");
        main = std::make_unique<TFormMain>(*s);
        main->show();
        if (!QTest::qWaitForWindowExposed(main->diagramma()))
            return false;
        s->defaults.UmPortataDef = 0; // new treatments show kg/s
        inattesi.clear();
        guardia.setInterval(500);
        QObject::disconnect(&guardia, nullptr, nullptr, nullptr);
        // A box is taken as unexpected only when it is still there at the
        // next look: one a test waits for is answered within 20 ms, even on
        // a loaded machine where both timers fall due at once.
        QObject::connect(&guardia, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box == visto) {
                inattesi << box->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
                box->accept();
                box = nullptr;
            }
            visto = box;
        });
        guardia.start();
        return true;
    }

    void chiudi() {
        guardia.stop();
        s->documento->modificato = false;
        main.reset();
        s.reset();
    }
};

// The main() of a GUI test: off-screen, Qt's texts in Italian, the
// resources of the static library registered, then the test object's slots.
template <class Test> int eseguiTestGui(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QApplication app(argc, argv);
    ::qInitResources_splash();
    ::qInitResources_icons();
    Test tests;
    return QTest::qExec(&tests, argc, argv);
}

} // namespace tarvelo::test
