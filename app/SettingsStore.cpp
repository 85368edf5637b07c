#include "SettingsStore.h"

#include "FileAccess.h"
#include "SettingsKeys.h"

#include "engine/NumberFormat.h"

#include <QSettings>
#include <QStandardPaths>

namespace app {

int SettingsStore::intValue(const QString &section, const QString &key, int defaultValue) const
{
    bool ok = false;
    const int parsed = value(section, key).trimmed().toInt(&ok);
    return ok ? parsed : defaultValue;
}

namespace {

// Where QSettings keeps a user's INI settings of that organisation and application on this platform.
QString userSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + kSettingsName + u'/'
        + kSettingsName + QStringLiteral(".ini");
}

QString memoryKey(const QString &section, const QString &key)
{
    return section.toLower() + u'/' + key.toLower();
}

} // namespace

QString storedDatePattern(const SettingsStore &settings)
{
    const QString pattern = settings.value(kSettingsSection, kDateFormatString);
    return pattern.trimmed().isEmpty() ? QString::fromLatin1(engine::kDefaultDatePattern) : pattern;
}

IniSettingsStore::IniSettingsStore()
    : IniSettingsStore(userSettingsPath())
{ }

IniSettingsStore::IniSettingsStore(const QString &path)
    : m_path(path)
{
    // Checked before QSettings reads the file: reading a FIFO would wait for a writer for good, and saving would
    // put a regular file in the place of a device.
    const WriteTarget target = writeTarget(path);
    if (target.ok())
        m_settings = std::make_unique<QSettings>(target.path, QSettings::IniFormat);
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::fileName() const
{
    return m_settings ? m_settings->fileName() : m_path;
}

QString IniSettingsStore::storedKey(const QString &section, const QString &key) const
{
    if (!m_settings)
        return key;
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
    if (!m_settings) {
        const auto found = m_unsaved.find(memoryKey(section, key));
        return found == m_unsaved.end() ? defaultValue : found->second;
    }
    const QVariant stored = m_settings->value(section + QLatin1Char('/') + storedKey(section, key));
    // An INI value written by hand with a comma outside quotes ("dddd, MMMM d, yyyy") reads as a list of its parts:
    // every setting here is one text, so the parts are joined again.
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QStringLiteral(", "));
    return stored.isValid() && stored.canConvert<QString>() ? stored.toString() : defaultValue;
}

void IniSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    if (!m_settings) {
        m_unsaved[memoryKey(section, key)] = value;
        return;
    }
    m_settings->setValue(section + QLatin1Char('/') + storedKey(section, key), value);
}

void IniSettingsStore::remove(const QString &section, const QString &key)
{
    if (!m_settings) {
        m_unsaved.erase(memoryKey(section, key));
        return;
    }
    m_settings->remove(section + QLatin1Char('/') + storedKey(section, key));
}

} // namespace app
