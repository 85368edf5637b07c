#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class QSettings;

namespace app {

// The per-user settings: text values by section and key, keys compared without regard to case.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const = 0;
    virtual void setValue(const QString &section, const QString &key, const QString &value) = 0;
    virtual void remove(const QString &section, const QString &key) = 0;

    // A whole number; a missing or unreadable value gives the default.
    int intValue(const QString &section, const QString &key, int defaultValue) const;
    void setIntValue(const QString &section, const QString &key, int value)
    {
        setValue(section, key, QString::number(value));
    }
};

// The date pattern the user chose; the default one when none or an empty one is stored.
QString storedDatePattern(const SettingsStore &settings);

// The settings in an INI file: by default the user's own, under the program's settings name. A path that is not a
// regular file or a new one (a folder, a FIFO, a device, or a link to one) is neither read nor written: the program
// then runs on its defaults, and what it sets lasts until it ends.
class IniSettingsStore : public SettingsStore
{
public:
    IniSettingsStore(); // the user's configuration folder
    explicit IniSettingsStore(const QString &path); // a file of the caller's choosing (tests)
    ~IniSettingsStore() override;

    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
    void remove(const QString &section, const QString &key) override;
    QString fileName() const;
    // False when the file was refused and the settings live in memory only.
    bool usesFile() const { return m_settings != nullptr; }

private:
    // The key as stored, found without regard to case; the key itself when none is stored.
    QString storedKey(const QString &section, const QString &key) const;
    std::unique_ptr<QSettings> m_settings;
    QString m_path;
    std::map<QString, QString> m_unsaved; // by section and key in lower case, when the file was refused
};

} // namespace app
