// Settings values in the per-user INI file.
#include "app/qt_settings_store.h"

#include <QByteArray>
#include <QVariant>
#include <cstring>

namespace avz {

QtSettingsStore::QtSettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, "DU_Zaziradavad") {}

std::optional<int> QtSettingsStore::readInt(const std::string& name) const {
    const QVariant v = m_settings.value(QString::fromStdString(name));
    const int type = v.metaType().id();
    if (type == QMetaType::Int) return v.toInt();
    // The INI file gives numbers back as text; raw bytes are another kind of value.
    if (type != QMetaType::QString) return std::nullopt;
    bool ok = false;
    const int x = v.toString().toInt(&ok);
    if (!ok) return std::nullopt;
    return x;
}

std::optional<double> QtSettingsStore::readDouble(const std::string& name) const {
    const QVariant v = m_settings.value(QString::fromStdString(name));
    if (v.metaType().id() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray bytes = v.toByteArray();
    if (bytes.size() != static_cast<qsizetype>(sizeof(double))) return std::nullopt;
    double x = 0;
    std::memcpy(&x, bytes.constData(), sizeof x);
    return x;
}

bool QtSettingsStore::writeInt(const std::string& name, int value) {
    m_settings.setValue(QString::fromStdString(name), value);
    return m_settings.status() == QSettings::NoError;
}

bool QtSettingsStore::writeDouble(const std::string& name, double value) {
    QByteArray bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    m_settings.setValue(QString::fromStdString(name), bytes);
    return m_settings.status() == QSettings::NoError;
}

}  // namespace avz
