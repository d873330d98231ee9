#include "CDialogTemplate.h"

#include "CImageBitmap.h"
#include "CResources.h"
#include "CWnd.h"
#include "LOGFONT.h"
#include "QtStrings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTreeWidget>

#include <algorithm>
#include <cstdlib>

namespace {

struct ClassName {
    const char16_t* name;
    res::ControlClass cls;
};

constexpr ClassName kClassNames[] = {
    {u"Button", res::ControlClass::Button},
    {u"Edit", res::ControlClass::Edit},
    {u"Static", res::ControlClass::Static},
    {u"ListBox", res::ControlClass::ListBox},
    {u"ComboBox", res::ControlClass::ComboBox},
    {u"ScrollBar", res::ControlClass::ScrollBar},
    {u"SysListView32", res::ControlClass::ListView},
    {u"SysTreeView32", res::ControlClass::TreeView},
    {u"SysTabControl32", res::ControlClass::TabControl},
};

const char16_t* NameOf(res::ControlClass cls)
{
    for (const ClassName& entry : kClassNames) {
        if (entry.cls == cls)
            return entry.name;
    }
    return u"";
}

res::ControlClass ClassOfName(const std::u16string& name)
{
    const QString wanted = ToQString(name);
    for (const ClassName& entry : kClassNames) {
        if (wanted.compare(ToQString(entry.name), Qt::CaseInsensitive) == 0)
            return entry.cls;
    }
    return res::ControlClass::Custom;
}

// "#165" or "165": the bitmap id a picture control names as its text.
UINT BitmapIdOf(const std::u16string& text)
{
    QString s = ToQString(text).trimmed();
    if (s.startsWith(QLatin1Char('#')))
        s.remove(0, 1);
    bool ok = false;
    const uint id = s.toUInt(&ok);
    return ok ? UINT(id) : 0;
}

QWidget* MakeButton(const QString& text, DWORD style, QWidget* parent)
{
    switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return new QGroupBox(text, parent);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return new QCheckBox(text, parent);
    case BS_3STATE:
    case BS_AUTO3STATE: {
        auto* box = new QCheckBox(text, parent);
        box->setTristate(true);
        return box;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return new QRadioButton(text, parent);
    default: {
        auto* button = new QPushButton(text, parent);
        button->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        return button;
    }
    }
}

QWidget* MakeEdit(const QString& text, DWORD style, DWORD exStyle, QWidget* parent)
{
    const bool framed = (style & WS_BORDER) || (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    if (style & ES_MULTILINE) {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setReadOnly(style & ES_READONLY);
        edit->setLineWrapMode((style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                       : QPlainTextEdit::WidgetWidth);
        if (!framed)
            edit->setFrameShape(QFrame::NoFrame);
        return edit;
    }
    auto* edit = new QLineEdit(text, parent);
    edit->setReadOnly(style & ES_READONLY);
    edit->setFrame(framed);
    if (style & ES_PASSWORD)
        edit->setEchoMode(QLineEdit::Password);
    if (style & ES_CENTER)
        edit->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    else if (style & ES_RIGHT)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

QWidget* MakeStatic(const std::u16string& text, DWORD style, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    switch (style & SS_TYPEMASK) {
    case SS_BITMAP:
    case SS_ICON: {
        // The text names the picture; it stays the window text.
        label->setProperty("windowText", ToQString(text));
        CImageBitmap bitmap;
        if (bitmap.LoadBitmap(BitmapIdOf(text)))
            label->setPixmap(QPixmap::fromImage(bitmap.GetImage()));
        return label;
    }
    case SS_ETCHEDHORZ:
        label->setFrameStyle(QFrame::HLine | QFrame::Sunken);
        break;
    case SS_ETCHEDVERT:
        label->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        break;
    case SS_ETCHEDFRAME:
        label->setFrameStyle(QFrame::Box | QFrame::Sunken);
        break;
    case SS_CENTER:
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        break;
    case SS_RIGHT:
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        label->setWordWrap(true);
        break;
    case SS_LEFT:
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        break;
    default:
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        break;
    }
    label->setText(ToQString(text));
    return label;
}

QWidget* MakeListView(DWORD style, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    if ((style & LVS_TYPEMASK) == LVS_ICON) {
        list->setViewMode(QListView::IconMode);
        list->setMovement(QListView::Static);
        list->setResizeMode(QListView::Adjust);
    }
    list->setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                   : QAbstractItemView::ExtendedSelection);
    return list;
}

} // namespace

CDialogTemplate::CDialogTemplate(const res::DialogTemplate& tpl) : m_view(&tpl) {}

CDialogTemplate::CDialogTemplate(const std::u16string& title, int x, int y, int cx, int cy,
                                 DWORD style, const std::u16string& fontName, int pointSize)
    : m_title(title), m_fontName(fontName), m_pointSize(pointSize), m_x(x), m_y(y), m_cx(cx),
      m_cy(cy), m_style(style)
{
}

std::unique_ptr<CDialogTemplate> CDialogTemplate::Load(UINT id)
{
    const res::DialogTemplate* tpl = CResources::FindDialog(id);
    return tpl ? std::make_unique<CDialogTemplate>(*tpl) : nullptr;
}

CDialogTemplate::CDialogTemplate(const CDialogTemplate& other)
    : m_view(other.m_view), m_title(other.m_title), m_fontName(other.m_fontName),
      m_pointSize(other.m_pointSize), m_x(other.m_x), m_y(other.m_y), m_cx(other.m_cx),
      m_cy(other.m_cy), m_style(other.m_style), m_owned(other.m_owned)
{
}

CDialogTemplate& CDialogTemplate::operator=(const CDialogTemplate& other)
{
    if (this != &other) {
        m_view = other.m_view;
        m_title = other.m_title;
        m_fontName = other.m_fontName;
        m_pointSize = other.m_pointSize;
        m_x = other.m_x;
        m_y = other.m_y;
        m_cx = other.m_cx;
        m_cy = other.m_cy;
        m_style = other.m_style;
        m_owned = other.m_owned;
        m_dirty = true;
    }
    return *this;
}

void CDialogTemplate::AddControl(res::ControlClass cls, const std::u16string& text, int id, int x,
                                 int y, int cx, int cy, DWORD style, DWORD exStyle,
                                 const std::u16string& className)
{
    if (m_view)
        return;
    m_owned.push_back({cls, className, text, id, x, y, cx, cy, style, exStyle});
    m_dirty = true;
}

const res::DialogTemplate& CDialogTemplate::Get() const
{
    if (m_view)
        return *m_view;
    if (m_dirty) {
        const auto clamp16 = [](int v) {
            return std::int16_t(std::clamp(v, int(INT16_MIN), int(INT16_MAX)));
        };
        m_views.clear();
        for (const OwnedControl& c : m_owned) {
            m_views.push_back({c.cls, c.className, c.text, c.id, clamp16(c.x), clamp16(c.y),
                               clamp16(c.cx), clamp16(c.cy), c.style, c.exStyle});
        }
        m_own = res::DialogTemplate{0, m_title, clamp16(m_x), clamp16(m_y), clamp16(m_cx),
                                    clamp16(m_cy), m_style, 0, m_fontName,
                                    std::uint16_t(std::clamp(m_pointSize, 0, 0xFFFF)), m_views};
        m_dirty = false;
    }
    return m_own;
}

QFont CDialogTemplate::GetFont() const
{
    const res::DialogTemplate& tpl = Get();
    if (tpl.fontName.empty() || tpl.fontPointSize == 0)
        return QApplication::instance() ? QApplication::font() : QFont();
    LOGFONT lf;
    lf.height = -MulDiv(tpl.fontPointSize, 96, 72);
    lf.weight = FW_NORMAL;
    lf.pitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lf.faceName = std::u16string(tpl.fontName);
    return MakeQFont(lf);
}

CSize CDialogTemplate::BaseUnitsOf(const QFont& font) { return DialogBaseUnits(font); }

CSize CDialogTemplate::GetBaseUnits() const { return BaseUnitsOf(GetFont()); }

int CDialogTemplate::MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = std::llabs(denominator) / 2;
    // Rounds half away from zero, as the platform's MulDiv does.
    long long result = ((product < 0) != (denominator < 0))
                           ? -((std::llabs(product) + half) / std::llabs(denominator))
                           : (std::llabs(product) + half) / std::llabs(denominator);
    return int(std::clamp<long long>(result, INT32_MIN, INT32_MAX));
}

static CRect MapWithUnits(const CRect& r, CSize base)
{
    return {CDialogTemplate::MulDiv(r.left, base.cx, 4), CDialogTemplate::MulDiv(r.top, base.cy, 8),
            CDialogTemplate::MulDiv(r.right, base.cx, 4),
            CDialogTemplate::MulDiv(r.bottom, base.cy, 8)};
}

CRect CDialogTemplate::MapDialogRect(const CRect& dialogUnits) const
{
    return MapWithUnits(dialogUnits, GetBaseUnits());
}

CSize CDialogTemplate::GetClientSizePixels() const
{
    const res::DialogTemplate& tpl = Get();
    return MapDialogRect(CRect(0, 0, tpl.cx, tpl.cy)).Size();
}

QWidget* CDialogTemplate::CreateControl(const res::DialogControl& control, QWidget* parent,
                                        CSize baseUnits)
{
    const CRect units(control.x, control.y, control.x + control.cx, control.y + control.cy);
    return CreateControl(control.controlClass, std::u16string(control.text), control.id,
                         MapWithUnits(units, baseUnits), control.style, control.exStyle, parent,
                         std::u16string(control.className));
}

QWidget* CDialogTemplate::CreateControl(res::ControlClass cls, const std::u16string& text, int id,
                                        const CRect& pixels, DWORD style, DWORD exStyle,
                                        QWidget* parent, const std::u16string& className)
{
    std::u16string recordedClass = NameOf(cls);
    if (cls == res::ControlClass::Custom) {
        cls = ClassOfName(className);
        recordedClass = cls == res::ControlClass::Custom ? className : NameOf(cls);
    }
    const QString qtext = ToQString(text);
    QWidget* widget = nullptr;
    bool keepsText = false; // the widget shows the text itself
    switch (cls) {
    case res::ControlClass::Button:
        widget = MakeButton(qtext, style, parent);
        keepsText = true;
        break;
    case res::ControlClass::Edit:
        widget = MakeEdit(qtext, style, exStyle, parent);
        keepsText = true;
        break;
    case res::ControlClass::Static:
        widget = MakeStatic(text, style, parent);
        keepsText = true;
        break;
    case res::ControlClass::ListBox:
        widget = new QListWidget(parent);
        break;
    case res::ControlClass::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable((style & 0x3) != CBS_DROPDOWNLIST);
        widget = combo;
        keepsText = combo->isEditable();
        break;
    }
    case res::ControlClass::ScrollBar:
        widget = new QScrollBar((style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent);
        break;
    case res::ControlClass::ListView:
        widget = MakeListView(style, parent);
        break;
    case res::ControlClass::TreeView: {
        auto* tree = new QTreeWidget(parent);
        tree->setHeaderHidden(true);
        widget = tree;
        break;
    }
    case res::ControlClass::TabControl:
        widget = new QTabBar(parent);
        break;
    case res::ControlClass::Custom:
        widget = new QFrame(parent);
        break;
    }
    const CWnd wnd(widget);
    wnd.SetDlgCtrlID(id);
    wnd.SetClassName(recordedClass);
    if (!keepsText || cls == res::ControlClass::ComboBox)
        wnd.SetWindowText(text);
    if (auto* frame = qobject_cast<QFrame*>(widget);
        frame && !qobject_cast<QLabel*>(widget) && !qobject_cast<QPlainTextEdit*>(widget)) {
        if ((style & WS_BORDER) || (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)))
            frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        else if (cls == res::ControlClass::Custom)
            frame->setFrameStyle(QFrame::NoFrame);
    }
    QRect geometry = pixels.ToQRect();
    if (cls == res::ControlClass::ComboBox) // the template height includes the drop-down list
        geometry.setHeight(std::min(geometry.height(), widget->sizeHint().height()));
    widget->setGeometry(geometry);
    widget->setEnabled(!(style & WS_DISABLED));
    if (!(style & WS_VISIBLE))
        widget->setHidden(true);
    if (!(style & WS_TABSTOP) && widget->focusPolicy() != Qt::NoFocus)
        widget->setFocusPolicy(Qt::ClickFocus);
    return widget;
}

std::vector<QWidget*> CDialogTemplate::CreateControls(QWidget* parent) const
{
    const res::DialogTemplate& tpl = Get();
    const CSize base = GetBaseUnits();
    std::vector<QWidget*> widgets;
    widgets.reserve(tpl.controls.size());
    for (const res::DialogControl& control : tpl.controls)
        widgets.push_back(CreateControl(control, parent, base));
    // A label's '&' mark moves the focus to the control after it, as in the original.
    for (std::size_t i = 0; i + 1 < widgets.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(widgets[i]);
        if (label && !(tpl.controls[i].style & SS_NOPREFIX) && label->pixmap().isNull())
            label->setBuddy(widgets[i + 1]);
    }
    return widgets;
}
