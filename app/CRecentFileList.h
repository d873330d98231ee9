#pragma once

// The list of recently used files kept in the application's profile
// (section "Recent File List", entries "File1" to "FileN", newest first). It
// is written whenever it changes, so it survives a run that does not end
// normally. The menu shows no such list; the desktop's own lists do.

#include <string>
#include <vector>

class CCmdUI;

class CRecentFileList {
public:
    static constexpr char16_t kSection[] = u"Recent File List";

    explicit CRecentFileList(int size) : m_size(size) {}

    // Reads the entries from the profile; empty entries end the list.
    void ReadList();
    // Puts path at the top (once), drops the oldest beyond the size, and writes the list.
    void Add(const std::u16string& path);

    // The menu item of entry index: its text and enabled when there is such
    // an entry; else only the first item stays, greyed with its own text.
    void UpdateMenuItem(CCmdUI& ui, int index) const;

    int GetSize() const { return m_size; }
    const std::vector<std::u16string>& GetFiles() const { return m_files; }

private:
    void WriteList() const;
    static std::u16string EntryName(int index);

    int m_size;
    std::vector<std::u16string> m_files;
};
