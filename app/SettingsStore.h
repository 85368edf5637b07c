#pragma once

#include <QString>
#include <QStringList>

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

// The settings in an INI file: by default the user's own, under the program's settings name.
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

private:
    // The key as stored, found without regard to case; the key itself when none is stored.
    QString storedKey(const QString &section, const QString &key) const;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace app
