#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <QSettings>
#include <QString>

#include "device/stored_text.h"

namespace shell {

// Where the store tells the user that a setting could not be saved.
class SettingsErrorSink {
public:
    virtual ~SettingsErrorSink() = default;
    virtual void settingsError(const std::string& message) = 0;
};

// Prints the message on standard error.
class StderrSettingsErrors : public SettingsErrorSink {
public:
    void settingsError(const std::string& message) override;
};

// The program's persistent settings. Natively the per-user registry key
// "Software\Kestovan\Zemblor50" on Windows and $XDG_CONFIG_HOME/Kestovan/Zemblor50.conf
// elsewhere; or an explicit INI file for portable use. Every value is stored as text.
//
// Each read and write opens the store afresh, so a change made outside the program is seen
// by the next read, and each write is on disk when it returns. A write that fails is
// reported once per distinct failure; its value is kept in memory, returned by reads and
// written again with the next write that succeeds.
class SettingsStore : public device::TextSettings {
public:
    static constexpr const char* kOrganisation = "Kestovan";
    static constexpr const char* kApplication = "Zemblor50";

    // The native per-user store.
    explicit SettingsStore(SettingsErrorSink& errors);
    // An INI file of the caller's choosing.
    SettingsStore(const QString& iniFile, SettingsErrorSink& errors);

    // The file (or registry path) the store lives in.
    QString location() const;
    // True while some write has not reached the store.
    bool hasUnsavedValues() const { return !unsaved_.empty(); }

protected:
    std::optional<std::string> readText(std::string_view name) override;
    void writeText(std::string_view name, const std::string& text) override;

private:
    std::unique_ptr<QSettings> open() const;
    std::string describeFailure(const QSettings& settings) const;
    void report(const std::string& message);

    std::optional<QString> iniFile_;
    SettingsErrorSink& errors_;
    std::map<std::string, std::string, std::less<>> unsaved_;
    std::set<std::string> reported_;
};

} // namespace shell
