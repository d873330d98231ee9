#include "CZweiToolAccessible.h"

#include "CLanguageSwitchNotifier.h"
#include "CZweiTool.h"

#include <algorithm>

namespace {

// One button, kept by its index in the bar; the bar's interface lets them
// all go when the bar loads other buttons.
class CToolButtonAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CToolButtonAccessible(const CZweiToolAccessible* bar, int button) : m_bar(bar), m_button(button) {}

    bool isValid() const override
    {
        const CZweiTool* bar = m_bar->Bar();
        return m_button < bar->GetCount() && !bar->IsSeparator(m_button);
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_bar->window(); }
    QAccessibleInterface* parent() const override { return const_cast<CZweiToolAccessible*>(m_bar); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Button; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QString::fromStdU16String(m_bar->Bar()->GetToolTip(m_button));
        if (t == QAccessible::Description)
            return QString::fromStdU16String(m_bar->Bar()->GetPrompt(m_button));
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        const QRect r = m_bar->Bar()->GetItemRect(m_button).ToQRect();
        return {m_bar->Bar()->GetClientWidget()->mapToGlobal(r.topLeft()), r.size()};
    }

    QAccessible::State state() const override
    {
        const CZweiTool* bar = m_bar->Bar();
        const UINT bits = bar->GetButtonState(m_button);
        QAccessible::State s;
        s.disabled = !(bits & TBSTATE_ENABLED);
        s.pressed = (bits & TBSTATE_PRESSED) != 0;
        s.checkable = bar->IsCheckable(m_button);
        s.checked = (bits & TBSTATE_CHECKED) != 0;
        s.hotTracked = bar->GetHotButton() == m_button;
        s.invisible = !bar->GetClientWidget()->isVisible();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            m_bar->Bar()->PressButton(m_button);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    const CZweiToolAccessible* m_bar;
    int m_button;
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    // The buttons' area is a plain widget whose parent is the bar.
    if (className != QLatin1String("QWidget") || !object)
        return nullptr;
    auto* bar = qobject_cast<CZweiTool*>(object->parent());
    return bar && bar->GetClientWidget() == object ? new CZweiToolAccessible(bar) : nullptr;
}

CZweiToolAccessible* InterfaceOf(CZweiTool* bar)
{
    return static_cast<CZweiToolAccessible*>(QAccessible::queryAccessibleInterface(bar->GetClientWidget()));
}

} // namespace

CZweiToolAccessible::CZweiToolAccessible(CZweiTool* bar)
    : QAccessibleWidget(bar->GetClientWidget(), QAccessible::ToolBar), m_bar(bar)
{
}

CZweiToolAccessible::~CZweiToolAccessible() { ForgetButtons(); }

void CZweiToolAccessible::Follow(CZweiTool* bar)
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
    QObject::connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched, bar, [bar] {
        if (!QAccessible::isActive())
            return;
        CZweiToolAccessible* iface = InterfaceOf(bar);
        for (int child = 0; child < iface->childCount(); ++child) {
            QAccessibleEvent name(bar->GetClientWidget(), QAccessible::NameChanged);
            name.setChild(child);
            QAccessible::updateAccessibility(&name);
        }
    });
}

void CZweiToolAccessible::ButtonsChanged(CZweiTool* bar)
{
    InterfaceOf(bar)->ForgetButtons();
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent reorder(bar->GetClientWidget(), QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reorder);
}

void CZweiToolAccessible::ButtonStateChanged(CZweiTool* bar, int index, unsigned changedBits)
{
    if (!QAccessible::isActive())
        return;
    const std::vector<int> buttons = InterfaceOf(bar)->Buttons();
    const auto at = std::find(buttons.begin(), buttons.end(), index);
    if (at == buttons.end())
        return;
    QAccessible::State changed;
    changed.disabled = (changedBits & TBSTATE_ENABLED) != 0;
    changed.checked = (changedBits & TBSTATE_CHECKED) != 0;
    changed.pressed = (changedBits & TBSTATE_PRESSED) != 0;
    QAccessibleStateChangeEvent event(bar->GetClientWidget(), changed);
    event.setChild(int(at - buttons.begin()));
    QAccessible::updateAccessibility(&event);
}

std::vector<int> CZweiToolAccessible::Buttons() const
{
    std::vector<int> buttons;
    for (int i = 0; i < m_bar->GetCount(); ++i) {
        if (!m_bar->IsSeparator(i))
            buttons.push_back(i);
    }
    return buttons;
}

int CZweiToolAccessible::childCount() const { return int(Buttons().size()); }

QAccessibleInterface* CZweiToolAccessible::child(int index) const
{
    const std::vector<int> buttons = Buttons();
    if (index < 0 || index >= int(buttons.size()))
        return nullptr;
    m_ids.resize(buttons.size(), 0);
    if (!m_ids[std::size_t(index)])
        m_ids[std::size_t(index)] =
            QAccessible::registerAccessibleInterface(new CToolButtonAccessible(this, buttons[std::size_t(index)]));
    return QAccessible::accessibleInterface(m_ids[std::size_t(index)]);
}

int CZweiToolAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto at = std::find_if(m_ids.begin(), m_ids.end(), [child](QAccessible::Id id) {
        return id && QAccessible::accessibleInterface(id) == child;
    });
    return at == m_ids.end() ? -1 : int(at - m_ids.begin());
}

QAccessibleInterface* CZweiToolAccessible::childAt(int x, int y) const
{
    const QPoint point = m_bar->GetClientWidget()->mapFromGlobal(QPoint(x, y));
    const std::vector<int> buttons = Buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (m_bar->GetItemRect(buttons[i]).ToQRect().contains(point))
            return child(int(i));
    }
    return nullptr;
}

void CZweiToolAccessible::ForgetButtons()
{
    for (QAccessible::Id id : m_ids) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
    m_ids.clear();
}
