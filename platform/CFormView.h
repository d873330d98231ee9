#pragma once

// A form: a child widget without a frame whose controls come from a dialog
// template, as the head view is. Create makes the controls in template order
// and, as the original does for a form's dialog window, raises the Create and
// InitDialog hooks; the owner then calls OnInitialUpdate (views are set up by
// their frame, not here).

#include "CDialogTemplate.h"
#include "CWnd.h"
#include "WinTypes.h"

#include <QWidget>

#include <memory>

class CFormView : public QWidget {
    Q_OBJECT
public:
    explicit CFormView(UINT templateId, QWidget* parent = nullptr);
    CFormView(const CDialogTemplate& tpl, QWidget* parent = nullptr);
    ~CFormView() override;

    // Makes the controls (once); false when the template is missing.
    bool Create();
    virtual void OnInitialUpdate() {}

    UINT GetTemplateId() const { return m_templateId; }
    CWnd GetDlgItem(int id) const;
    CRect MapDialogRect(const CRect& dialogUnits) const;
    // The template's size in pixels (what the form needs without scrolling).
    QSize sizeHint() const override;

private:
    std::unique_ptr<CDialogTemplate> m_template;
    UINT m_templateId = 0;
    bool m_built = false;
};
