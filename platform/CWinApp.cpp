#include "CWinApp.h"

#include "CProfile.h"
#include "CResources.h"

#include <QApplication>

namespace {
CWinApp* g_app = nullptr;

std::u16string DefaultAppName()
{
    std::u16string name = CResources::LoadString(AFX_IDS_APP_TITLE);
    return name.empty() ? u"Glossmark" : name;
}
} // namespace

CWinApp::CWinApp(const std::u16string& appName) : m_appName(appName) { g_app = this; }

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run()
{
    if (InitInstance() && QApplication::instance())
        QApplication::exec();
    return ExitInstance();
}

const std::u16string& CWinApp::GetAppName() const
{
    if (m_appName.empty())
        m_appName = DefaultAppName();
    return m_appName;
}

void CWinApp::SetRegistryKey(const std::u16string& company)
{
    CProfile::SetRegistryKey(company);
    CProfile::SetAppName(GetAppName());
}

bool CWinApp::WriteProfileString(const std::u16string& section, const std::u16string& entry,
                                 const std::u16string& value)
{
    return CProfile::WriteProfileString(section, entry, value);
}

std::u16string CWinApp::GetProfileString(const std::u16string& section, const std::u16string& entry,
                                         const std::u16string& defaultValue)
{
    return CProfile::GetProfileString(section, entry, defaultValue);
}

bool CWinApp::WriteProfileInt(const std::u16string& section, const std::u16string& entry, int value)
{
    return CProfile::WriteProfileInt(section, entry, value);
}

int CWinApp::GetProfileInt(const std::u16string& section, const std::u16string& entry,
                           int defaultValue)
{
    return CProfile::GetProfileInt(section, entry, defaultValue);
}

CWinApp* AfxGetApp() { return g_app; }

std::u16string AfxGetAppName() { return g_app ? g_app->GetAppName() : DefaultAppName(); }
