#include "CWnd.h"

#include "CDialog.h"
#include "CFormView.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "QtStrings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QTreeWidget>

#include <unordered_map>

namespace {

constexpr const char* kHandleProperty = "glossmarkHwnd";
constexpr const char* kIdProperty = "glossmarkCtrlId";
constexpr const char* kTextProperty = "windowText";
constexpr const char* kClassProperty = "glossmarkWin32Class";

std::unordered_map<HWND, QPointer<QWidget>>& Windows()
{
    static std::unordered_map<HWND, QPointer<QWidget>> windows;
    return windows;
}

HWND g_nextHwnd = 0x10000;

QString StoredText(const QWidget* w) { return w->property(kTextProperty).toString(); }

} // namespace

HWND CWnd::HandleOf(QWidget* widget)
{
    if (!widget)
        return 0;
    const QVariant stored = widget->property(kHandleProperty);
    if (stored.isValid())
        return HWND(stored.toULongLong());
    const HWND handle = g_nextHwnd++;
    widget->setProperty(kHandleProperty, QVariant::fromValue(qulonglong(handle)));
    Windows().emplace(handle, widget);
    QObject::connect(widget, &QObject::destroyed, [handle] { Windows().erase(handle); });
    return handle;
}

CWnd CWnd::FromHandle(HWND hwnd)
{
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? CWnd() : CWnd(it->second.data());
}

bool CWnd::IsWindow(HWND hwnd) { return bool(FromHandle(hwnd)); }

std::u16string CWnd::GetWindowText() const
{
    QWidget* w = m_widget;
    if (!w)
        return {};
    if (w->isWindow())
        return ToU16(w->windowTitle());
    if (auto* box = qobject_cast<QGroupBox*>(w))
        return ToU16(box->title());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return ToU16(button->text());
    if (auto* label = qobject_cast<QLabel*>(w))
        return ToU16(label->property(kTextProperty).isValid() ? StoredText(w) : label->text());
    if (auto* line = qobject_cast<QLineEdit*>(w))
        return ToU16(line->text());
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return ToU16(plain->toPlainText());
    if (auto* rich = qobject_cast<QTextEdit*>(w))
        return ToU16(rich->toPlainText());
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable())
        return ToU16(combo->currentText());
    return ToU16(StoredText(w));
}

void CWnd::SetWindowText(const std::u16string& text) const
{
    QWidget* w = m_widget;
    if (!w)
        return;
    const QString s = ToQString(text);
    if (w->isWindow()) {
        w->setWindowTitle(s);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(s);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(s);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->property(kTextProperty).isValid())
            label->setProperty(kTextProperty, s); // a picture keeps its picture
        else
            label->setText(s);
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        line->setText(s);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->setPlainText(s);
    } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        rich->setPlainText(s);
    } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable()) {
        combo->setEditText(s);
    } else {
        w->setProperty(kTextProperty, s);
    }
}

int CWnd::GetDlgCtrlID() const
{
    return m_widget ? m_widget->property(kIdProperty).toInt() : 0;
}

void CWnd::SetDlgCtrlID(int id) const
{
    if (m_widget)
        m_widget->setProperty(kIdProperty, id);
}

CWnd CWnd::GetDlgItem(int id) const
{
    for (const CWnd& child : GetChildren()) {
        if (child.GetDlgCtrlID() == id)
            return child;
    }
    return {};
}

std::vector<CWnd> CWnd::GetChildren() const
{
    std::vector<CWnd> result;
    if (!m_widget)
        return result;
    for (QObject* object : m_widget->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow())
            result.emplace_back(child);
    }
    return result;
}

CWnd CWnd::GetParent() const { return m_widget ? CWnd(m_widget->parentWidget()) : CWnd(); }

bool CWnd::IsChildWindow() const { return m_widget && !m_widget->isWindow(); }

bool CWnd::IsDialog() const
{
    return qobject_cast<CDialog*>(m_widget) || qobject_cast<CFormView*>(m_widget);
}

bool CWnd::IsFrameWnd() const { return qobject_cast<CFrameWnd*>(m_widget) != nullptr; }

std::u16string CWnd::GetClassName() const
{
    QWidget* w = m_widget;
    if (!w)
        return {};
    const QVariant stored = w->property(kClassProperty);
    if (stored.isValid())
        return ToU16(stored.toString());
    if (IsDialog())
        return u"#32770";
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w))
        return u"Button";
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
        return u"Edit";
    if (qobject_cast<QLabel*>(w))
        return u"Static";
    if (qobject_cast<QComboBox*>(w))
        return u"ComboBox";
    if (qobject_cast<QScrollBar*>(w))
        return u"ScrollBar";
    if (qobject_cast<QListWidget*>(w))
        return u"ListBox";
    if (qobject_cast<QTreeWidget*>(w))
        return u"SysTreeView32";
    if (qobject_cast<QTabBar*>(w))
        return u"SysTabControl32";
    return ToU16(QString::fromLatin1(w->metaObject()->className()));
}

void CWnd::SetClassName(const std::u16string& name) const
{
    if (m_widget)
        m_widget->setProperty(kClassProperty, ToQString(name));
}

CMenu* CWnd::GetMenu() const
{
    QWidget* w = m_widget;
    if (!w || !w->isWindow())
        return nullptr;
    if (auto* main = qobject_cast<QMainWindow*>(w)) {
        QWidget* bar = main->menuWidget();
        return bar ? CMenu::FromWidget(bar) : nullptr;
    }
    auto* bar = w->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bar ? CMenu::FromWidget(bar) : nullptr;
}

bool CWnd::EnableWindow(bool enable) const
{
    if (!m_widget)
        return false;
    const bool wasDisabled = !m_widget->isEnabled();
    m_widget->setEnabled(enable);
    return wasDisabled;
}

bool CWnd::IsWindowEnabled() const { return m_widget && m_widget->isEnabled(); }

bool CWnd::ShowWindow(int cmd) const
{
    if (!m_widget)
        return false;
    const bool wasVisible = m_widget->isVisible();
    m_widget->setVisible(cmd != SW_HIDE);
    return wasVisible;
}

bool CWnd::IsWindowVisible() const { return m_widget && m_widget->isVisible(); }

void CWnd::MoveWindow(const CRect& rect) const
{
    if (m_widget)
        m_widget->setGeometry(rect.ToQRect());
}

CRect CWnd::GetWindowRect() const
{
    if (!m_widget)
        return {};
    if (m_widget->isWindow())
        return CRect(m_widget->frameGeometry());
    return CRect(QRect(m_widget->mapToGlobal(QPoint(0, 0)), m_widget->size()));
}

CRect CWnd::GetClientRect() const
{
    return m_widget ? CRect(0, 0, m_widget->width(), m_widget->height()) : CRect();
}
