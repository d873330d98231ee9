#pragma once

// The application's profile (the original's registry key
// Software\<company>\<application>) over QSettings(company, application).
// Entries are "section/entry". Tests point the profile at a file of their
// own with SetFile, so they never touch the user's settings.

#include "WinTypes.h"

#include <QString>

#include <string>

class CProfile {
public:
    // SetRegistryKey: the company part ("Kestrow Tools").
    static void SetRegistryKey(const std::u16string& company);
    // The application part ("Edit").
    static void SetAppName(const std::u16string& appName);
    // Keep the profile in this INI file instead (empty: back to QSettings(company, app)).
    static void SetFile(const QString& path);

    // Where the profile is kept (a file; beside it the program may keep
    // files of its own).
    static QString GetFileName();

    static bool WriteProfileString(const std::u16string& section, const std::u16string& entry,
                                   const std::u16string& value);
    static std::u16string GetProfileString(const std::u16string& section,
                                           const std::u16string& entry,
                                           const std::u16string& defaultValue = {});
    static bool WriteProfileInt(const std::u16string& section, const std::u16string& entry,
                                int value);
    static int GetProfileInt(const std::u16string& section, const std::u16string& entry,
                             int defaultValue);
};
