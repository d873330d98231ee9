#pragma once

// What assistive technology learns about the toolbar, whose buttons are
// painted, not widgets: the area of the buttons is a tool bar whose children
// are the buttons (separators left out), each named by its command's tooltip
// in the user interface's language, described by its status prompt, a toggle
// button where its command shows a check mark, and pressed by its "press"
// action as by a click.

#include <QAccessibleWidget>

#include <vector>

class CZweiTool;

class CZweiToolAccessible : public QAccessibleWidget {
public:
    explicit CZweiToolAccessible(CZweiTool* bar);
    ~CZweiToolAccessible() override;

    // Installs the factory once and tells listeners of a language switch.
    static void Follow(CZweiTool* bar);
    // Hooks of the bar: new buttons, and state bits that changed.
    static void ButtonsChanged(CZweiTool* bar);
    static void ButtonStateChanged(CZweiTool* bar, int index, unsigned changedBits);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    CZweiTool* Bar() const { return m_bar; }

private:
    // The bar's button index of each child.
    std::vector<int> Buttons() const;
    void ForgetButtons();

    CZweiTool* m_bar;
    mutable std::vector<QAccessible::Id> m_ids; // by child index, 0 until asked for
};
