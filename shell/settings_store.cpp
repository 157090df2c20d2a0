#include "shell/settings_store.h"

#include <iostream>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "shell/ini_stand_in.h"
#include "shell/ini_text_check.h"
#include "shell/settings_file.h"

namespace shell {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// QSettings only says that access failed; a trial write beside the file tells why
// (permission denied, no space left, a path through a plain file, ...).
QString probeWriteError(const QString& file) {
    const QString dir = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(dir)) {
        QFileInfo parent(dir);
        while (!parent.exists() && parent.absoluteFilePath() != parent.absolutePath()) {
            parent = QFileInfo(parent.absolutePath());
        }
        if (parent.exists() && !parent.isDir()) {
            return QStringLiteral("%1 is not a folder").arg(parent.absoluteFilePath());
        }
        return QStringLiteral("cannot create the folder %1").arg(dir);
    }
    QTemporaryFile probe(dir + QStringLiteral("/.probe-XXXXXX"));
    if (!probe.open()) {
        return probe.errorString();
    }
    const QByteArray block(4096, ' ');
    if (probe.write(block) != block.size() || !probe.flush()) {
        return probe.errorString();
    }
    return {};
}

// Where QSettings keeps the native store when it is a file, found without opening it.
std::optional<std::string> nativeStoreFile() {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return std::nullopt;
#else
    return pathBytes(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/%1/%2.conf")
                         .arg(QLatin1String(SettingsStore::kOrganisation),
                              QLatin1String(SettingsStore::kApplication)));
#endif
}

} // namespace

void StderrSettingsErrors::settingsError(const std::string& message) {
    std::cerr << message << '\n';
}

SettingsStore::SettingsStore(SettingsErrorSink& errors) : errors_(errors) {}

SettingsStore::SettingsStore(const std::string& iniFile, SettingsErrorSink& errors)
    : iniFile_(iniFile), errors_(errors) {
    if (!qtNamesPathExactly(iniFile)) {
        standIn_ = std::make_unique<IniStandIn>(iniFile);
    }
}

SettingsStore::SettingsStore(const QString& iniFile, SettingsErrorSink& errors)
    : SettingsStore(pathBytes(iniFile), errors) {}

SettingsStore::~SettingsStore() = default;

std::optional<std::string> SettingsStore::filePath() const {
    return iniFile_ ? iniFile_ : nativeStoreFile();
}

std::optional<std::string> SettingsStore::refusal() const {
    const auto file = filePath();
    return file ? settingsFileRefusal(*file) : std::nullopt;
}

std::unique_ptr<QSettings> SettingsStore::open() {
    if (standIn_) {
        const auto copy = standIn_->refreshed();
        return copy ? std::make_unique<QSettings>(*copy, QSettings::IniFormat) : nullptr;
    }
    if (iniFile_) {
        return std::make_unique<QSettings>(qtPath(*iniFile_), QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisation,
                                       kApplication);
}

QString SettingsStore::location() const {
    if (const auto file = filePath()) {
        return qtPath(*file);
    }
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication)
        .fileName();
}

std::optional<std::string> SettingsStore::readText(std::string_view name) {
    if (auto it = unsaved_.find(name); it != unsaved_.end()) {
        return it->second;
    }
    if (refusal()) {
        return std::nullopt;
    }
    auto settings = open();
    if (!settings) {
        return std::nullopt;
    }
    const QVariant value = settings->value(toQString(name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    std::string text = value.toString().toStdString();
    known_.insert_or_assign(std::string(name), text);
    return text;
}

void SettingsStore::writeText(std::string_view name, const std::string& text) {
    unsaved_.insert_or_assign(std::string(name), text);
    known_.insert_or_assign(std::string(name), text);
    if (const auto refused = refusal()) {
        report(failureMessage(*refused));
        return;
    }
    std::optional<IniStandIn::Lock> lock;
    if (standIn_) {
        lock.emplace(*iniFile_);
    }
    auto settings = open();
    if (!settings) {
        report(failureMessage("the file cannot be read"));
        return;
    }
    if (!keepOriginalIfRewriteLosesText(*settings)) {
        return;
    }
    // A store that holds nothing has lost its file: it gets back every value the program holds.
    const auto& values = settings->allKeys().isEmpty() ? known_ : unsaved_;
    for (const auto& [key, value] : values) {
        settings->setValue(toQString(key), QString::fromStdString(value));
    }
    removeAbandonedLockFile(pathBytes(settings->fileName() + QStringLiteral(".lock")));
    settings->sync();
    const QSettings::Status status = settings->status();
    settings.reset();
    if (standIn_ && status != QSettings::AccessError) {
        if (const auto failed = standIn_->writeBack()) {
            report(failureMessage(*failed));
            return;
        }
    }
    if (status == QSettings::NoError ||
        (status == QSettings::FormatError && savedUnsavedValues())) {
        unsaved_.clear();
        return;
    }
    report(describeFailure(status));
}

// A text the rewrite would lose is kept beside the file first; without that copy nothing is
// written, so a hand-written line is never lost.
bool SettingsStore::keepOriginalIfRewriteLosesText(const QSettings& settings) {
    const auto file = filePath();
    if (!file) {
        return true;
    }
    const auto original = readRegularFile(*file, kMaxSettingsFileBytes);
    if (!original ||
        (settings.status() != QSettings::FormatError && iniTextSurvivesRewrite(*original))) {
        return true;
    }
    std::string error;
    const auto backup = keepBackupCopy(*file, *original, error);
    if (!backup) {
        report(failureMessage("the file holds lines that saving would drop, and " + error));
        return false;
    }
    // Told once a run: the program's own rewrite needs no backup, so a further one comes from
    // a person editing the file meanwhile, and the first notice has shown where copies go.
    if (backupTold_) {
        return true;
    }
    backupTold_ = true;
    report("The settings file " + QDir::toNativeSeparators(qtPath(*file)).toStdString() +
           " held lines that are not settings; saving drops them. The file as "
           "it was is kept as " +
           QDir::toNativeSeparators(qtPath(*backup)).toStdString() + ".");
    return true;
}

// QSettings keeps the status of its first error, so a file that read with a format error
// still says so after a write that succeeded: the file read afresh tells the truth.
bool SettingsStore::savedUnsavedValues() {
    auto check = open();
    if (!check || check->status() != QSettings::NoError) {
        return false;
    }
    for (const auto& [key, value] : unsaved_) {
        if (check->value(toQString(key)).toString() != QString::fromStdString(value)) {
            return false;
        }
    }
    return true;
}

std::string SettingsStore::describeFailure(QSettings::Status status) const {
    const auto file = filePath();
    // The trial write needs a path Qt can name; a file the copy serves has told its reason.
    QString reason = !file || qtNamesPathExactly(*file) ? probeWriteError(location()) : QString();
    if (reason.isEmpty()) {
        reason = status == QSettings::FormatError
                     ? QStringLiteral("the file is not in a format that can be read")
                     : QStringLiteral("access denied");
    }
    return failureMessage(reason.toStdString());
}

std::string SettingsStore::failureMessage(const std::string& reason) const {
    return "Settings could not be saved to " + QDir::toNativeSeparators(location()).toStdString() +
           ": " + reason + ". They are kept until the program ends.";
}

void SettingsStore::report(const std::string& message) {
    if (reported_.insert(message).second) {
        errors_.settingsError(message);
    }
}

} // namespace shell
