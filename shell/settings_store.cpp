#include "settings_store.h"

#include <iostream>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

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

} // namespace

void StderrSettingsErrors::settingsError(const std::string& message) {
    std::cerr << message << '\n';
}

SettingsStore::SettingsStore(SettingsErrorSink& errors) : errors_(errors) {}

SettingsStore::SettingsStore(const QString& iniFile, SettingsErrorSink& errors)
    : iniFile_(iniFile), errors_(errors) {}

std::unique_ptr<QSettings> SettingsStore::open() const {
    if (iniFile_) {
        return std::make_unique<QSettings>(*iniFile_, QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisation,
                                       kApplication);
}

QString SettingsStore::location() const {
    return open()->fileName();
}

std::optional<std::string> SettingsStore::readText(std::string_view name) {
    if (auto it = unsaved_.find(name); it != unsaved_.end()) {
        return it->second;
    }
    auto settings = open();
    const QVariant value = settings->value(toQString(name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void SettingsStore::writeText(std::string_view name, const std::string& text) {
    unsaved_[std::string(name)] = text;
    auto settings = open();
    for (const auto& [key, value] : unsaved_) {
        settings->setValue(toQString(key), QString::fromStdString(value));
    }
    settings->sync();
    if (settings->status() == QSettings::NoError) {
        unsaved_.clear();
        return;
    }
    report(describeFailure(*settings));
}

std::string SettingsStore::describeFailure(const QSettings& settings) const {
    const QString file = settings.fileName();
    QString reason;
    if (settings.status() == QSettings::FormatError) {
        reason = QStringLiteral("the file is not in a format that can be read");
    } else {
        reason = probeWriteError(file);
        if (reason.isEmpty()) {
            reason = QStringLiteral("access denied");
        }
    }
    return QStringLiteral("Settings could not be saved to %1: %2. They are kept until the "
                          "program ends.")
        .arg(QDir::toNativeSeparators(file), reason)
        .toStdString();
}

void SettingsStore::report(const std::string& message) {
    if (reported_.insert(message).second) {
        errors_.settingsError(message);
    }
}

} // namespace shell
