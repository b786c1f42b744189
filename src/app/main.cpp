// avuzevi: program entry. Wires the seams, the optional simulated sensor and the windows together.
#include <QApplication>
#include <QTimer>
#include <fstream>
#include <iostream>
#include <memory>

#include "app/app_windows.h"
#include "app/qt_dialogs.h"
#include "app/qt_pump.h"
#include "app/qt_settings_store.h"
#include "app/start_options.h"
#include "app/system_ports.h"
#include "link/port_list.h"
#include "link/serial_link.h"
#include "sim/pty_server.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("VIZ Avuzevi");

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    // --status-file PATH: at exit, the status bar's connection text and the model, for checks from outside.
    std::string statusFile;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--status-file") {
            statusFile = args[i + 1];
            const auto at = args.begin() + static_cast<std::ptrdiff_t>(i);
            args.erase(at, at + 2);
            break;
        }
    avz::StartOptions options = avz::parseStartOptions(args);
    for (const auto& e : options.errors) std::cerr << "avuzevi: " << e << "\n";

    // The embedded simulated sensor: served on a pseudo terminal so the ordinary detection finds it.
    std::unique_ptr<avz::sim::SimulatedSensor> simSensor;
    std::unique_ptr<avz::sim::PtyServer> simServer;
    std::string simPath;
    if (options.simulateModel) {
        avz::sim::SimOptions so;
        so.model = *options.simulateModel;
        simSensor = std::make_unique<avz::sim::SimulatedSensor>(so);
        avz::sim::PtyOptions po;
        po.pace = true;
        simServer = std::make_unique<avz::sim::PtyServer>(*simSensor, po);
        std::string error;
        if (simServer->start(&error))
            simPath = simServer->path();
        else
            std::cerr << "avuzevi: simulated sensor not available: " << error << "\n";
    }

    avz::SerialLink link;
    avz::QtPump pump;
    avz::QtDialogs dialogs;
    avz::SystemClock clock;
    avz::QtSettingsStore settings;
    avz::AppServices services{link,
                              pump,
                              dialogs,
                              clock,
                              settings,
                              options,
                              avz::buildPortList(options.ports, simPath, avz::systemSerialPorts())};

    services.listPorts = [&options, simPath] {
        return avz::buildPortList(options.ports, simPath, avz::systemSerialPorts());
    };
    avz::AppWindows windows = avz::createAppWindows(services);
    TForm1& form1 = *windows.form1;
    dialogs.setParent(&form1);

    if (!options.snapshotPath.empty()) {
        QTimer::singleShot(options.snapshotAfterMs, &form1, [&form1, &options] {
            // The grab shows the view as the present state draws it.
            form1.repaintView();
            const bool ok = form1.grab().save(QString::fromStdString(options.snapshotPath), "PNG");
            if (!ok) std::cerr << "avuzevi: could not write " << options.snapshotPath << "\n";
            // The ordinary close ends the reader thread before the port goes.
            form1.close();
            QApplication::exit(ok ? 0 : 1);
        });
    } else if (options.quitAfterMs >= 0) {
        QTimer::singleShot(options.quitAfterMs, &form1, [&form1] { form1.close(); });
    }
    form1.showAndDetect();
    const int rc = QApplication::exec();
    if (!statusFile.empty()) {
        std::ofstream status(statusFile, std::ios::trunc);
        status << "connection: " << form1.panelText(4).toStdString() << "\n"
               << "model: " << form1.sensor().model.name << "\n";
    }
    settings.sync();
    link.close();
    if (simServer) simServer->stop();
    return rc;
}
