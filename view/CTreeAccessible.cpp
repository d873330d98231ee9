#include "CTreeAccessible.h"

#include "CMyEditView.h"
#include "CPlaceholderPiece.h"
#include "CTextNode.h"
#include "CTextRow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// A screen reader walking the whole tree would otherwise pile up one
// interface per text; past this many they are let go and made again.
constexpr std::size_t MaxRowInterfaces = 2000;

QString KindName(std::int32_t kindCode)
{
    switch (kindCode) {
    case 1: return QStringLiteral("dialog");
    case 3: return QStringLiteral("menu item");
    case 4: return QStringLiteral("submenu");
    case 5: return QStringLiteral("menu bar");
    case 8: return QStringLiteral("menus");
    case 9: return QStringLiteral("menu");
    case 10: return QStringLiteral("string");
    case 11: return QStringLiteral("string table");
    case 21: return QStringLiteral("font");
    case 22: return QStringLiteral("group box");
    case 23: return QStringLiteral("button");
    case 24: return QStringLiteral("check box");
    case 30: return QStringLiteral("language switch dialog");
    case 6: return QStringLiteral("label");
    case 2:
    case 25: return QStringLiteral("control");
    default: return QStringLiteral("string");
    }
}

// One shown row. It holds the row's index, which stays valid until the rows
// are rebuilt; the tree lets every row interface go then.
class CRowAccessible : public QAccessibleInterface {
public:
    CRowAccessible(const CTreeAccessible* tree, int row) : m_tree(tree), m_row(row) {}

    bool isValid() const override { return Row() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_tree->window(); }
    QAccessibleInterface* parent() const override
    {
        return const_cast<CTreeAccessible*>(m_tree);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::TreeItem; }

    QString text(QAccessible::Text t) const override
    {
        CTextRow* row = Row();
        if (!row)
            return {};
        if (t == QAccessible::Name)
            return CTreeAccessible::RowName(*row);
        if (t == QAccessible::Description)
            return CTreeAccessible::RowDescription(*row);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        CMyEditView* view = m_tree->View();
        if (!view || !view->IsRowShown(m_row))
            return {};
        QWidget* surface = view->viewport();
        const QPoint origin(view->RowDocumentX(m_row) - view->GetHorizontalScroll(),
                            view->RowDocumentY(m_row) - view->GetVerticalScroll());
        return {surface->mapToGlobal(origin),
                QSize(std::max(1, surface->width() - origin.x()), view->RowHeightOf(m_row))};
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        CMyEditView* view = m_tree->View();
        CTextRow* row = Row();
        if (!row)
            return s;
        s.focusable = s.selectable = true;
        const bool current = view->GetCurrentRow() == m_row;
        s.selected = current;
        s.focused = current && view->isActiveWindow() &&
                    (view->hasFocus() || view->isAncestorOf(QApplication::focusWidget()));
        if (row->HasChildren()) {
            s.expandable = true;
            s.expanded = row->expanded;
            s.collapsed = !row->expanded;
        }
        // Scrolled out of the window, but still there to be read and reached.
        const QRect r = rect();
        s.offscreen = r.isEmpty() || !view->viewport()->rect().intersects(
                                         QRect(view->viewport()->mapFromGlobal(r.topLeft()), r.size()));
        return s;
    }

private:
    CTextRow* Row() const
    {
        CMyEditView* view = m_tree->View();
        return view ? view->GetRow(m_row) : nullptr;
    }

    const CTreeAccessible* m_tree;
    int m_row;
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("CMyEditView") && object && object->isWidgetType())
        return new CTreeAccessible(static_cast<CMyEditView*>(object));
    return nullptr;
}

CTreeAccessible* TreeOf(CMyEditView* view)
{
    // Made once per view; the row interfaces only when someone listens.
    return static_cast<CTreeAccessible*>(QAccessible::queryAccessibleInterface(view));
}

QAccessible::UpdateHandler eventObserver = nullptr;

void Send(QAccessibleEvent& event)
{
    if (eventObserver)
        eventObserver(&event);
    else
        QAccessible::updateAccessibility(&event);
}

void SendRowEvent(CMyEditView* view, int row, QAccessibleEvent&& event)
{
    if (!TreeOf(view) || !view->IsRowShown(row))
        return;
    event.setChild(view->ShownIndexOfRow(row));
    Send(event);
}

} // namespace

CTreeAccessible::CTreeAccessible(CMyEditView* view) : QAccessibleWidget(view, QAccessible::Tree) {}

CTreeAccessible::~CTreeAccessible() { ForgetRows(); }

CMyEditView* CTreeAccessible::View() const { return static_cast<CMyEditView*>(widget()); }

void CTreeAccessible::Follow(CMyEditView* view)
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
    QObject::connect(view, &CMyEditView::CurrentRowChanged, view, [view](int row) {
        SendRowEvent(view, row, QAccessibleEvent(view, QAccessible::Focus));
        SendRowEvent(view, row, QAccessibleEvent(view, QAccessible::Selection));
    });
    QObject::connect(view, &CMyEditView::RowsRebuilt, view, [view] {
        if (CTreeAccessible* tree = TreeOf(view)) {
            tree->ForgetRows();
            QAccessibleTableModelChangeEvent reset(view, QAccessibleTableModelChangeEvent::ModelReset);
            Send(reset);
        }
    });
}

QAccessible::UpdateHandler CTreeAccessible::SetEventObserver(QAccessible::UpdateHandler observer)
{
    return std::exchange(eventObserver, observer);
}

void CTreeAccessible::RowExpanded(CMyEditView* view, int row)
{
    QAccessible::State changed;
    changed.expanded = changed.collapsed = true;
    SendRowEvent(view, row, QAccessibleStateChangeEvent(view, changed));
    if (TreeOf(view)) {
        QAccessibleEvent reorder(view, QAccessible::ObjectReorder);
        Send(reorder);
    }
}

void CTreeAccessible::TextChanged(CMyEditView* view, int row)
{
    SendRowEvent(view, row, QAccessibleEvent(view, QAccessible::NameChanged));
}

void CTreeAccessible::StatesChanged(CMyEditView* view)
{
    // The marks reach the current row's whole subtree; the row itself speaks.
    const int row = std::max(0, view->GetCurrentRow());
    SendRowEvent(view, row, QAccessibleEvent(view, QAccessible::DescriptionChanged));
}

QString CTreeAccessible::SpokenPlaceholder(const std::u16string& specifier)
{
    static const char* const kinds[] = {"number placeholder", "hexadecimal number placeholder",
                                        "decimal number placeholder", "character placeholder",
                                        "text placeholder"};
    const int image = std::clamp(CPlaceholderPiece::ImageIndex(specifier), 0, 4);
    return QLatin1String(kinds[image]) + QLatin1Char(' ') + QString::fromStdU16String(specifier);
}

QString CTreeAccessible::RowName(CTextRow& row)
{
    row.EnsurePieces();
    // Placeholders are read as words of their own, set apart by spaces.
    QString name;
    bool spaceBeforeText = false;
    std::int32_t line = 0;
    for (const auto& piece : row.translatedPieces) {
        if (piece->line != line) {
            name += QLatin1Char('\n');
            line = piece->line;
            spaceBeforeText = false;
        }
        const QString text = QString::fromStdU16String(piece->text);
        if (piece->IsFixed()) {
            if (!name.isEmpty() && !name.back().isSpace())
                name += QLatin1Char(' ');
            name += SpokenPlaceholder(piece->text);
            spaceBeforeText = true;
            continue;
        }
        if (spaceBeforeText && !text.isEmpty() && !text.front().isSpace())
            name += QLatin1Char(' ');
        name += text;
        spaceBeforeText = false;
    }
    return name;
}

QString CTreeAccessible::RowDescription(const CTextRow& row)
{
    const CTextNode& node = *row.node;
    QStringList parts;
    parts << QStringLiteral("Original: ") + QString::fromStdU16String(node.originalText)
          << KindName(node.kindCode)
          << (node.editState >= 3 ? QStringLiteral("to be edited") : QStringLiteral("done"));
    if (!row.freeSize)
        parts << QStringLiteral("size limit %1 dialog units").arg(node.width);
    return parts.join(QStringLiteral(", "));
}

QString CTreeAccessible::EditorName(const CTextRow& row)
{
    QString name = QStringLiteral("Translation of: ") + QString::fromStdU16String(row.node->originalText);
    if (!row.freeSize)
        name += QStringLiteral(" (size-limited to %1 dialog units)").arg(row.node->width);
    return name;
}

int CTreeAccessible::childCount() const
{
    CMyEditView* view = View();
    return view ? view->ShownRowCount() + QAccessibleWidget::childCount() : 0;
}

QAccessibleInterface* CTreeAccessible::RowInterface(int row) const
{
    CMyEditView* view = View();
    if (!view || !view->IsRowShown(row))
        return nullptr;
    if (const auto it = m_rowIds.find(row); it != m_rowIds.end())
        return QAccessible::accessibleInterface(it->second);
    if (m_rowIds.size() >= MaxRowInterfaces)
        const_cast<CTreeAccessible*>(this)->ForgetRows();
    auto* iface = new CRowAccessible(this, row);
    m_rowIds.emplace(row, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

QAccessibleInterface* CTreeAccessible::child(int index) const
{
    CMyEditView* view = View();
    if (!view || index < 0)
        return nullptr;
    const int rows = view->ShownRowCount();
    if (index >= rows)
        return QAccessibleWidget::child(index - rows);
    return RowInterface(view->NthShownRow(index));
}

int CTreeAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    CMyEditView* view = View();
    if (!view || !child)
        return -1;
    if (child->object()) {
        const int widgetIndex = QAccessibleWidget::indexOfChild(child);
        return widgetIndex < 0 ? -1 : view->ShownRowCount() + widgetIndex;
    }
    for (const auto& [row, id] : m_rowIds) {
        if (QAccessible::accessibleInterface(id) == child)
            return view->IsRowShown(row) ? view->ShownIndexOfRow(row) : -1;
    }
    return -1;
}

QAccessibleInterface* CTreeAccessible::focusChild() const
{
    CMyEditView* view = View();
    if (!view || view->GetCurrentRow() < 0)
        return QAccessibleWidget::focusChild();
    return RowInterface(view->GetCurrentRow());
}

QAccessibleInterface* CTreeAccessible::childAt(int x, int y) const
{
    CMyEditView* view = View();
    if (!view)
        return nullptr;
    const QPoint at = view->viewport()->mapFromGlobal(QPoint(x, y));
    if (!view->viewport()->rect().contains(at))
        return QAccessibleWidget::childAt(x, y);
    bool box = false;
    const int row = view->HitTest(at.x() + view->GetHorizontalScroll(), at.y() + view->GetVerticalScroll(), box);
    return row >= 0 ? RowInterface(row) : QAccessibleWidget::childAt(x, y);
}

void CTreeAccessible::ForgetRows()
{
    for (const auto& [row, id] : m_rowIds)
        QAccessible::deleteAccessibleInterface(id);
    m_rowIds.clear();
}
