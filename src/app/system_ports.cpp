// System serial ports through QSerialPortInfo (USB and ACM adapters, ttyS ports with a real UART).
#include "app/system_ports.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace avz {

std::vector<std::string> systemSerialPorts() {
    std::vector<std::string> out;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) out.push_back(info.systemLocation().toStdString());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace avz
