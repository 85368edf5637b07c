#include "SettingsStore.h"

#include "SettingsKeys.h"

#include <QSettings>

namespace app {

int SettingsStore::intValue(const QString &section, const QString &key, int defaultValue) const
{
    bool ok = false;
    const int parsed = value(section, key).trimmed().toInt(&ok);
    return ok ? parsed : defaultValue;
}

IniSettingsStore::IniSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kSettingsName, kSettingsName))
{ }

IniSettingsStore::IniSettingsStore(const QString &path)
    : m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{ }

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::fileName() const
{
    return m_settings->fileName();
}

QString IniSettingsStore::storedKey(const QString &section, const QString &key) const
{
    m_settings->beginGroup(section);
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    for (const QString &stored : keys) {
        if (stored.compare(key, Qt::CaseInsensitive) == 0)
            return stored;
    }
    return key;
}

QString IniSettingsStore::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QVariant stored = m_settings->value(section + QLatin1Char('/') + storedKey(section, key));
    return stored.isValid() && stored.canConvert<QString>() ? stored.toString() : defaultValue;
}

void IniSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_settings->setValue(section + QLatin1Char('/') + storedKey(section, key), value);
}

void IniSettingsStore::remove(const QString &section, const QString &key)
{
    m_settings->remove(section + QLatin1Char('/') + storedKey(section, key));
}

} // namespace app
