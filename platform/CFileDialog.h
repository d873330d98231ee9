#pragma once

// The file open / save dialog (QFileDialog). Filters are written as the
// original writes them: "Glossmark file (*.tra)|*.tra|All (*.*)|*.*||".
//
// Test seam: with a responder set, DoModal calls it instead of showing a
// dialog; the responder sets the path with SetPathName and returns IDOK or
// IDCANCEL.

#include "WinTypes.h"

#include <functional>
#include <string>

class QWidget;
class QString;

class CFileDialog {
public:
    CFileDialog(bool openFileDialog, const std::u16string& defExt = {},
                const std::u16string& fileName = {}, DWORD flags = 0,
                const std::u16string& filter = {}, QWidget* parent = nullptr);

    void SetTitle(const std::u16string& title) { m_title = title; }
    // Where the dialog starts when the file name has no folder: the folder
    // holding file (nothing when it is empty), else StartFolder().
    void SetStartFolderOf(const std::u16string& file);
    // The working folder, unless it is the home folder (where the desktop
    // starts programs) or the user may not write to it: then the documents.
    static QString StartFolder();
    const std::u16string& GetTitle() const { return m_title; }
    bool IsOpenDialog() const { return m_open; }
    const std::u16string& GetFilter() const { return m_filter; }

    // IDOK with a path chosen, else IDCANCEL.
    INT_PTR DoModal();

    std::u16string GetPathName() const { return m_path; }
    std::u16string GetFileName() const;  // without the folder
    std::u16string GetFileExt() const;   // without the dot
    void SetPathName(const std::u16string& path) { m_path = path; }

    // The filter in Qt's form ("Glossmark file (*.tra);;All (*.*)").
    static QString ToQtFilter(const std::u16string& filter);

    using Responder = std::function<int(CFileDialog&)>;
    static Responder SetResponder(Responder responder);

private:
    bool m_open;
    std::u16string m_defExt;
    std::u16string m_path;
    DWORD m_flags;
    std::u16string m_filter;
    std::u16string m_title;
    std::u16string m_startFolder;
    QWidget* m_parent;
};
