#pragma once

#include <QSettings>
#include <QString>

#include "platform/settings_store.hpp"

namespace vantrek::app {

// The settings key as a QSettings store: HKEY_CURRENT_USER\Software\Vantrek
// with binary values on Windows, an INI file in the user's configuration
// folder (Vantrek/Vantrek.ini) elsewhere. Values are the raw bytes the core
// hands over.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    // An INI file of its own (tests); on Windows too.
    explicit QtSettingsStore(const QString& iniPath);

    bool keyExists() const override;
    bool createKey() override;
    bool readValue(const std::string& name, std::vector<std::uint8_t>& bytes) const override;
    bool writeValue(const std::string& name, const std::uint8_t* bytes, std::size_t size) override;

    // Where the values live: the INI file's path, or the registry key.
    const QString& location() const { return location_; }

private:
    QSettings::Format format() const;

    QString location_;
    bool ini_;
};

}  // namespace vantrek::app
