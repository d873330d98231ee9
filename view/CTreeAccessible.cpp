#include "CTreeAccessible.h"

#include "CLanguageSwitchNotifier.h"
#include "CMyEditView.h"
#include "CPlaceholderPiece.h"
#include "CTextNode.h"
#include "CTextRow.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// A screen reader walking the whole tree would otherwise pile up one
// interface per text; past this many they are let go and made again.
constexpr std::size_t MaxRowInterfaces = 2000;

// The kinds are the program's own texts, so they are spoken in the user
// interface's language; codes without a text of their own share "string".
unsigned KindStringId(std::int32_t kindCode)
{
    switch (kindCode) {
    case 1:
    case 30: return IDS_KIND_DIALOG;
    case 3: return IDS_KIND_MENU_ITEM;
    case 4: return IDS_KIND_SUBMENU;
    case 5: return IDS_KIND_MENU_BAR;
    case 8:
    case 9: return IDS_KIND_MENU;
    case 11: return IDS_KIND_STRING_TABLE;
    case 21: return IDS_KIND_FONT;
    case 22: return IDS_KIND_GROUP_BOX;
    case 23: return IDS_KIND_BUTTON;
    case 24: return IDS_KIND_CHECK_BOX;
    case 2:
    case 6:
    case 25: return IDS_KIND_CONTROL;
    default: return IDS_KIND_STRING;
    }
}

template <class... Args>
QString Spoken(unsigned id, const Args&... args)
{
    std::u16string text;
    if constexpr (sizeof...(Args) == 0)
        text = TranslatedString(id);
    else
        FormatTranslated(text, id, args...);
    return QString::fromStdU16String(text);
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
    // The tree's name is a text of the user interface's language.
    QObject::connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched, view, [view] {
        if (TreeOf(view)) {
            QAccessibleEvent name(view, QAccessible::NameChanged);
            Send(name);
        }
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
    // The placeholder pictures' kinds: numbers (three pictures), a character, a text.
    static constexpr unsigned kinds[] = {IDS_SPOKEN_NUMBER_PLACEHOLDER, IDS_SPOKEN_NUMBER_PLACEHOLDER,
                                         IDS_SPOKEN_NUMBER_PLACEHOLDER,
                                         IDS_SPOKEN_CHARACTER_PLACEHOLDER, IDS_SPOKEN_TEXT_PLACEHOLDER};
    const int image = std::clamp(CPlaceholderPiece::ImageIndex(specifier), 0, 4);
    return Spoken(kinds[image], specifier);
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
    parts << Spoken(IDS_SPOKEN_ORIGINAL, node.originalText.view()) << Spoken(KindStringId(node.kindCode))
          << Spoken(node.editState >= 3 ? IDS_SPOKEN_TO_EDIT : IDS_SPOKEN_DONE);
    if (!row.freeSize)
        parts << Spoken(IDS_SPOKEN_SIZE_LIMIT, node.width);
    return parts.join(QStringLiteral(", "));
}

QString CTreeAccessible::EditorName(const CTextRow& row)
{
    QString name = Spoken(IDS_SPOKEN_TRANSLATION_OF, row.node->originalText.view());
    if (!row.freeSize)
        name += QStringLiteral(" (") + Spoken(IDS_SPOKEN_SIZE_LIMIT, row.node->width) + QLatin1Char(')');
    return name;
}

QString CTreeAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? Spoken(IDS_TREE_NAME) : QAccessibleWidget::text(t);
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
