#pragma once

// One list of the language switch dialog: a large-icon list whose entries
// show a language's 32 x 32 flag and its name.

#include "CImageList.h"

#include <string>

class CBitmap;
class QListWidget;

class CLanguageList {
public:
    enum Group { ThisVersion = 0, OlderVersion = 1 };

    CLanguageList(QListWidget* list, Group group);

    // Appends an entry; light grey pixels of flag become transparent. A
    // missing flag (the file went between two reads) leaves the entry without one.
    void AddEntry(const CBitmap* flag, const std::u16string& text);

    QListWidget* GetList() const { return m_list; }
    Group GetGroup() const { return m_group; }
    int GetItemCount() const { return m_itemCount; }
    int GetSelectedCount() const;
    // Index of the first selected entry, or -1.
    int GetFirstSelected() const;

    static constexpr COLORREF kMaskColor = RGB(192, 192, 192);

private:
    QListWidget* m_list;
    Group m_group;
    int m_itemCount = 0;
    CImageList m_images;
};
