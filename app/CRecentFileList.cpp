#include "CRecentFileList.h"

#include "CCmdUI.h"
#include "CProfile.h"

#include <algorithm>

std::u16string CRecentFileList::EntryName(int index)
{
    std::u16string name = u"File";
    for (char c : std::to_string(index + 1))
        name += char16_t(c);
    return name;
}

void CRecentFileList::ReadList()
{
    m_files.clear();
    for (int i = 0; i < m_size; ++i) {
        std::u16string path = CProfile::GetProfileString(kSection, EntryName(i));
        if (path.empty())
            break;
        if (std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(std::move(path));
    }
}

void CRecentFileList::Add(const std::u16string& path)
{
    if (path.empty() || m_size <= 0)
        return;
    if (!m_files.empty() && m_files.front() == path)
        return;
    std::erase(m_files, path);
    m_files.insert(m_files.begin(), path);
    if (int(m_files.size()) > m_size)
        m_files.resize(std::size_t(m_size));
    WriteList();
}

void CRecentFileList::WriteList() const
{
    for (int i = 0; i < m_size; ++i)
        CProfile::WriteProfileString(kSection, EntryName(i),
                                     i < int(m_files.size()) ? m_files[std::size_t(i)] : std::u16string());
}

void CRecentFileList::UpdateMenuItem(CCmdUI& ui, int index) const
{
    // Long paths keep their end, where the file's name is.
    constexpr std::size_t kLongest = 60;
    const bool exists = index >= 0 && index < int(m_files.size());
    ui.Enable(exists);
    ui.Show(exists || index == 0);
    if (!exists)
        return;
    std::u16string path = m_files[std::size_t(index)];
    if (path.size() > kLongest)
        path = u"..." + path.substr(path.size() - (kLongest - 3));
    std::u16string text = u"&";
    for (char c : std::to_string(index + 1))
        text += char16_t(c);
    text += u' ';
    for (char16_t c : path) {
        if (c == u'&')
            text += u'&'; // a marker of its own would underline the next letter
        text += c;
    }
    ui.SetText(text);
}
