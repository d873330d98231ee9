#include "CLanguageList.h"

#include "CImageBitmap.h"
#include "QtStrings.h"

#include <QListWidget>

CLanguageList::CLanguageList(QListWidget* list, Group group) : m_list(list), m_group(group)
{
    m_images.Create(32, 32, 0, 10, 10);
    if (m_list)
        m_list->setIconSize(QSize(32, 32));
}

void CLanguageList::AddEntry(const CBitmap* flag, const std::u16string& text)
{
    if (!m_list)
        return;
    QIcon icon;
    if (const auto* image = dynamic_cast<const CImageBitmap*>(flag)) {
        const int index = m_images.Add(*image, kMaskColor);
        if (index >= 0)
            icon = m_images.GetIcon(index);
    }
    m_list->insertItem(m_itemCount, new QListWidgetItem(icon, ToQString(text)));
    ++m_itemCount;
}

int CLanguageList::GetSelectedCount() const
{
    return m_list ? int(m_list->selectedItems().size()) : 0;
}

int CLanguageList::GetFirstSelected() const
{
    if (!m_list)
        return -1;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->isSelected())
            return row;
    }
    return -1;
}
