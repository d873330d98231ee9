#include "CProblemsPane.h"

#include "CProblemList.h"

#include <QHeaderView>
#include <QTreeView>
#include <QVBoxLayout>

void MakeFlatList(QTreeView& view)
{
    // Uniform heights keep long lists cheap.
    view.setRootIsDecorated(false);
    view.setUniformRowHeights(true);
    view.setItemsExpandable(false);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.header()->setStretchLastSection(true);
}

CProblemsPane::CProblemsPane(CProblemList* list, QWidget* parent)
    : QWidget(parent), m_list(list), m_view(new QTreeView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setModel(list);
    MakeFlatList(*m_view);
    m_view->header()->resizeSection(0, 220);
    connect(m_view, &QTreeView::activated, this,
            [this](const QModelIndex& index) { emit ProblemActivated(index.row()); });
}

int CProblemsPane::CurrentProblem() const
{
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void CProblemsPane::SetCurrentProblem(int listRow)
{
    const QModelIndex index = m_list->index(listRow, 0);
    m_view->setCurrentIndex(index);
    if (index.isValid())
        m_view->scrollTo(index);
}
