#include "CStatusBar.h"

#include "CResources.h"
#include "QtStrings.h"

#include <QFontMetrics>
#include <QLabel>

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) { setSizeGripEnabled(false); }

bool CStatusBar::SetIndicators(std::span<const UINT> ids)
{
    for (const Pane& pane : m_panes) {
        removeWidget(pane.label);
        delete pane.label;
    }
    m_panes.clear();
    for (UINT id : ids) {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panes.push_back({id, label});
        if (id == 0) {
            // The message is cut off at the pane's end; its length must not
            // set the width of the bar, and so of the window.
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            addWidget(label, 1);
        } else {
            const std::u16string text = CResources::LoadString(id);
            label->setText(ToQString(text));
            addPermanentWidget(label);
            SetPaneWidthFor(int(m_panes.size()) - 1, text);
        }
    }
    return true;
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].id == id)
            return int(i);
    }
    return -1;
}

UINT CStatusBar::GetItemID(int index) const { return GetPane(index) ? m_panes[std::size_t(index)].id : 0; }

QLabel* CStatusBar::GetPane(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[std::size_t(index)].label : nullptr;
}

bool CStatusBar::SetPaneText(int index, const std::u16string& text)
{
    QLabel* label = GetPane(index);
    if (!label)
        return false;
    label->setText(ToQString(text));
    return true;
}

std::u16string CStatusBar::GetPaneText(int index) const
{
    const QLabel* label = GetPane(index);
    return label ? ToU16(label->text()) : std::u16string();
}

void CStatusBar::SetPaneWidthFor(int index, const std::u16string& text)
{
    if (QLabel* label = GetPane(index)) {
        const int margins = label->contentsMargins().left() + label->contentsMargins().right() + 8;
        label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(ToQString(text)) + margins);
    }
}
