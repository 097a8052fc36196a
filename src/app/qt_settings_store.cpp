#include "app/qt_settings_store.hpp"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vantrek::app {

namespace {

#ifdef Q_OS_WIN
constexpr bool kIniByDefault = false;
#else
constexpr bool kIniByDefault = true;
#endif

QString defaultLocation() {
    if (!kIniByDefault) return "HKEY_CURRENT_USER\\Software\\Vantrek";
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/Vantrek/Vantrek.ini";
}

}  // namespace

QtSettingsStore::QtSettingsStore() : location_(defaultLocation()), ini_(kIniByDefault) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath) : location_(iniPath), ini_(true) {}

QSettings::Format QtSettingsStore::format() const {
    return ini_ ? QSettings::IniFormat : QSettings::NativeFormat;
}

bool QtSettingsStore::keyExists() const {
    if (!ini_) {
        return QSettings("HKEY_CURRENT_USER\\Software", QSettings::NativeFormat)
            .childGroups()
            .contains("Vantrek");
    }
    return QFileInfo::exists(location_);
}

// An INI file that exists is the key; the registry key is made by writing into it.
bool QtSettingsStore::createKey() {
    if (keyExists()) return true;
    if (!ini_) {
        QSettings settings(location_, format());
        settings.setValue("_created", 1);
        settings.remove("_created");
        settings.sync();
        return settings.status() == QSettings::NoError;
    }
    if (!QDir().mkpath(QFileInfo(location_).absolutePath())) return false;
    QFile file(location_);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

bool QtSettingsStore::readValue(const std::string& name, std::vector<std::uint8_t>& bytes) const {
    if (!keyExists()) return false;
    QSettings settings(location_, format());
    const QVariant value = settings.value(QString::fromStdString(name));
    if (!value.isValid()) return false;
    const QByteArray raw = value.toByteArray();
    bytes.assign(raw.begin(), raw.end());
    return true;
}

bool QtSettingsStore::writeValue(const std::string& name, const std::uint8_t* bytes,
                                 std::size_t size) {
    if (!keyExists()) return false;
    QSettings settings(location_, format());
    settings.setValue(QString::fromStdString(name),
                      QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size)));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace vantrek::app
