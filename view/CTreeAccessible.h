#pragma once

// What assistive technology (screen readers, magnifiers) learns about the
// text tree view. The view paints its rows itself, so it describes them
// itself: a tree whose items are the shown rows, named by their translation
// and described by their original, kind, state and size limit.
//
// A file may hold a hundred thousand texts: a row's interface is made only
// when it is asked for, kept by row index, and all of them are let go when
// the rows are built anew (or when too many have piled up).

#include <QAccessibleWidget>

#include <string>
#include <unordered_map>

class CMyEditView;
class CTextRow;

class CTreeAccessible : public QAccessibleWidget {
public:
    explicit CTreeAccessible(CMyEditView* view);
    ~CTreeAccessible() override;

    // Installs the factory once and sends the view's changes on as
    // accessibility events (current row, typed texts, rebuilds).
    static void Follow(CMyEditView* view);
    // Hooks for changes the view's signals do not carry.
    static void RowExpanded(CMyEditView* view, int row);
    static void TextChanged(CMyEditView* view, int row);
    static void StatesChanged(CMyEditView* view);
    // Hears the events in place of the platform, which sends nothing while
    // no assistive technology listens (tests, headless runs). Returns the
    // previous observer.
    static QAccessible::UpdateHandler SetEventObserver(QAccessible::UpdateHandler observer);

    // What a row says, also used by the in-place editor's name.
    static QString RowName(CTextRow& row);
    static QString RowDescription(const CTextRow& row);
    static QString EditorName(const CTextRow& row);
    // A format specifier as a listener hears it ("number placeholder %d").
    static QString SpokenPlaceholder(const std::u16string& specifier);

    // "Texte", in the user interface's language.
    QString text(QAccessible::Text t) const override;
    // Rows first (one child per shown row), then the view's child widgets.
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    CMyEditView* View() const;
    // The interface of a row, made on demand; nullptr for a hidden row.
    QAccessibleInterface* RowInterface(int row) const;
    int CountRowInterfaces() const { return int(m_rowIds.size()); }
    // Lets every row interface go (the rows were rebuilt).
    void ForgetRows();

private:
    mutable std::unordered_map<int, QAccessible::Id> m_rowIds;
};
