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

class IniStandIn;

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
// written again with the next write that succeeds. Before a write would drop lines a person
// wrote into the file (comments, lines that are not key=value), the file is copied beside
// itself and the user told where, once a run. A store found empty (its file deleted) is
// written with every value read or written so far, not only the new one.
class SettingsStore : public device::TextSettings {
public:
    static constexpr const char* kOrganisation = "Kestovan";
    static constexpr const char* kApplication = "Zemblor50";

    // The native per-user store.
    explicit SettingsStore(SettingsErrorSink& errors);
    // An INI file of the caller's choosing, named by the bytes the file system knows it by.
    SettingsStore(const std::string& iniFile, SettingsErrorSink& errors);
    SettingsStore(const QString& iniFile, SettingsErrorSink& errors);
    ~SettingsStore() override;

    // The file (or registry path) the store lives in.
    QString location() const;
    // Why the store's file must not be used (it is a device, a pipe, a folder, a loop of
    // links), or nothing when it may.
    std::optional<std::string> refusal() const;
    // True while some write has not reached the store.
    bool hasUnsavedValues() const { return !unsaved_.empty(); }

protected:
    std::optional<std::string> readText(std::string_view name) override;
    void writeText(std::string_view name, const std::string& text) override;

private:
    std::unique_ptr<QSettings> open();
    std::optional<std::string> filePath() const;
    bool keepOriginalIfRewriteLosesText(const QSettings& settings);
    bool savedUnsavedValues();
    std::string describeFailure(QSettings::Status status) const;
    std::string failureMessage(const std::string& reason) const;
    void report(const std::string& message);

    std::optional<std::string> iniFile_;
    std::unique_ptr<IniStandIn> standIn_;
    SettingsErrorSink& errors_;
    std::map<std::string, std::string, std::less<>> unsaved_;
    // The last text of every value read from the store or written to it.
    std::map<std::string, std::string, std::less<>> known_;
    std::set<std::string> reported_;
    bool backupTold_ = false;
};

} // namespace shell
