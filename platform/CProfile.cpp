#include "CProfile.h"

#include "CWinApp.h"
#include "QtStrings.h"

#include <QSettings>

#include <memory>

namespace {

struct ProfileState {
    std::u16string company = u"Kestrow Tools";
    std::u16string appName;
    QString file;
};

ProfileState& State()
{
    static ProfileState state;
    return state;
}

std::unique_ptr<QSettings> OpenSettings()
{
    const ProfileState& state = State();
    if (!state.file.isEmpty())
        return std::make_unique<QSettings>(state.file, QSettings::IniFormat);
    const std::u16string app = state.appName.empty() ? AfxGetAppName() : state.appName;
    return std::make_unique<QSettings>(ToQString(state.company), ToQString(app));
}

} // namespace

QString CProfile::GetFileName() { return OpenSettings()->fileName(); }

namespace {

QString Key(const std::u16string& section, const std::u16string& entry)
{
    return ToQString(section) + QLatin1Char('/') + ToQString(entry);
}

bool Store(const QString& key, const QVariant& value)
{
    auto settings = OpenSettings();
    settings->setValue(key, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace

void CProfile::SetRegistryKey(const std::u16string& company) { State().company = company; }

void CProfile::SetAppName(const std::u16string& appName) { State().appName = appName; }

void CProfile::SetFile(const QString& path) { State().file = path; }

bool CProfile::WriteProfileString(const std::u16string& section, const std::u16string& entry,
                                  const std::u16string& value)
{
    return Store(Key(section, entry), ToQString(value));
}

std::u16string CProfile::GetProfileString(const std::u16string& section, const std::u16string& entry,
                                          const std::u16string& defaultValue)
{
    const QVariant value = OpenSettings()->value(Key(section, entry));
    return value.isValid() ? ToU16(value.toString()) : defaultValue;
}

bool CProfile::WriteProfileInt(const std::u16string& section, const std::u16string& entry, int value)
{
    return Store(Key(section, entry), value);
}

int CProfile::GetProfileInt(const std::u16string& section, const std::u16string& entry,
                            int defaultValue)
{
    bool ok = false;
    const int value = OpenSettings()->value(Key(section, entry)).toInt(&ok);
    return ok ? value : defaultValue;
}
