#pragma once

// A dialog template and what it takes to turn one into widgets: the dialog
// font, dialog units to pixels, and one widget per control.
//
// Either a view of a compiled res::DialogTemplate (which must outlive this
// object) or a template built in memory with AddControl (its texts are owned
// here), for dialogs made in code such as message boxes.
//
// Dialog units: x * baseX / 4 and y * baseY / 8, each rounded (MulDiv), where
// baseX is the average width of "A".."Z" "a".."z" in the dialog font taken the
// Windows way ((extent / 26 + 1) / 2) and baseY is the font's height. A
// rectangle converts its edges, so its width is right(px) - left(px).
// The template font (DS_SETFONT: name and point size) is made as a pixel font
// at 96 pixels to the inch; a template without a font uses the application
// font.
//
// Controls by class:
//   Button     push button (BS_DEFPUSHBUTTON: the default), check box,
//              radio button, group box (by BS_ type)
//   Edit       QLineEdit, or QPlainTextEdit with ES_MULTILINE; ES_READONLY,
//              ES_PASSWORD, ES_CENTER/ES_RIGHT
//   Static     QLabel (SS_LEFT/CENTER/RIGHT; SS_BITMAP shows the bitmap whose
//              id is the text, "#165" or "165"; SS_ETCHED* lines; other frame
//              and rectangle types an empty label)
//   ListBox    QListWidget
//   ComboBox   QComboBox, editable unless CBS_DROPDOWNLIST
//   ScrollBar  QScrollBar, vertical with SBS_VERT
//   ListView   QListWidget: LVS_ICON icon mode, other views list mode;
//              LVS_SINGLESEL single selection
//   TreeView   QTreeWidget
//   TabControl QTabBar
//   Custom     by class name ("Button", "SysListView32", ... as above), else an
//              empty QFrame
// Each control gets its id, its text (through CWnd::SetWindowText), its
// pixel rectangle, WS_VISIBLE / WS_DISABLED / WS_TABSTOP, and WS_BORDER or
// WS_EX_CLIENTEDGE as a sunken frame.

#include "CRect.h"
#include "CSize.h"
#include "ResourceTypes.h"
#include "WinTypes.h"

#include <QFont>

#include <memory>
#include <string>
#include <vector>

class QWidget;

class CDialogTemplate {
public:
    // A view of a compiled template.
    explicit CDialogTemplate(const res::DialogTemplate& tpl);
    // An empty in-memory template (x, y, cx, cy in dialog units).
    CDialogTemplate(const std::u16string& title, int x, int y, int cx, int cy, DWORD style,
                    const std::u16string& fontName = {}, int pointSize = 0);
    // The template id of the installed resources, or nullptr.
    static std::unique_ptr<CDialogTemplate> Load(UINT id);
    CDialogTemplate(const CDialogTemplate& other);
    CDialogTemplate& operator=(const CDialogTemplate& other);
    ~CDialogTemplate() = default;

    // Appends a control to an in-memory template (ignored for a view).
    void AddControl(res::ControlClass cls, const std::u16string& text, int id, int x, int y,
                    int cx, int cy, DWORD style, DWORD exStyle = 0,
                    const std::u16string& className = {});

    // The template as data; for an in-memory one it refers to storage here
    // and is valid until the next AddControl.
    const res::DialogTemplate& Get() const;

    QFont GetFont() const;
    CSize GetBaseUnits() const; // (baseX, baseY) of the template font
    CRect MapDialogRect(const CRect& dialogUnits) const;
    CSize GetClientSizePixels() const;

    // Makes the control's widget as a child of parent, with its rectangle
    // converted by baseUnits. Never nullptr.
    static QWidget* CreateControl(const res::DialogControl& control, QWidget* parent,
                                  CSize baseUnits);
    // Makes a control from a pixel rectangle (dialogs built in code).
    static QWidget* CreateControl(res::ControlClass cls, const std::u16string& text, int id,
                                  const CRect& pixels, DWORD style, DWORD exStyle,
                                  QWidget* parent, const std::u16string& className = {});
    // Makes every control in template order; returns them in that order.
    std::vector<QWidget*> CreateControls(QWidget* parent) const;

    // The Windows way of a font's average character width and height.
    static CSize BaseUnitsOf(const QFont& font);
    static int MulDiv(int number, int numerator, int denominator);

private:
    struct OwnedControl {
        res::ControlClass cls;
        std::u16string className;
        std::u16string text;
        int id;
        int x, y, cx, cy;
        DWORD style, exStyle;
    };

    const res::DialogTemplate* m_view = nullptr;
    // in-memory template; Get() makes the res:: form of it on demand
    std::u16string m_title;
    std::u16string m_fontName;
    int m_pointSize = 0;
    int m_x = 0, m_y = 0, m_cx = 0, m_cy = 0;
    DWORD m_style = 0;
    std::vector<OwnedControl> m_owned;
    mutable std::vector<res::DialogControl> m_views;
    mutable res::DialogTemplate m_own{};
    mutable bool m_dirty = true;
};
