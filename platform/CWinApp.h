#pragma once

// The application object: one per program, made before anything else. It
// holds the application name, the main window, the profile (CProfile) and the
// last target on the command route.
//
// Run calls InitInstance; when it succeeds the Qt event loop runs until the
// last window closes; then ExitInstance, whose result Run returns. A
// QApplication must exist before Run.

#include "CCmdTarget.h"
#include "WinTypes.h"

#include <string>

class QWidget;

class CWinApp : public CCmdTarget {
public:
    // appName empty: string AFX_IDS_APP_TITLE (57344) when InitInstance asks
    // for it through SetRegistryKey or AfxGetAppName.
    explicit CWinApp(const std::u16string& appName = {});
    ~CWinApp() override;

    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }
    int Run();

    // SetRegistryKey: the profile lives under company / application name.
    void SetRegistryKey(const std::u16string& company);
    bool WriteProfileString(const std::u16string& section, const std::u16string& entry,
                            const std::u16string& value);
    std::u16string GetProfileString(const std::u16string& section, const std::u16string& entry,
                                    const std::u16string& defaultValue = {});
    bool WriteProfileInt(const std::u16string& section, const std::u16string& entry, int value);
    int GetProfileInt(const std::u16string& section, const std::u16string& entry, int defaultValue);

    const std::u16string& GetAppName() const;
    // The program's name as the user sees it (the title of message boxes);
    // the application name until it is set.
    void SetDisplayName(const std::u16string& name) { m_displayName = name; }
    const std::u16string& GetDisplayName() const
    {
        return m_displayName.empty() ? GetAppName() : m_displayName;
    }
    QWidget* m_pMainWnd = nullptr;

private:
    mutable std::u16string m_appName;
    std::u16string m_displayName;
};

// The one application object (nullptr before it is made and after it died).
CWinApp* AfxGetApp();
// Its name; without an application object, string 57344, else "Glossmark".
std::u16string AfxGetAppName();
