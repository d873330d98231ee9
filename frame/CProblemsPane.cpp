#include "CProblemsPane.h"

#include "CProblemList.h"

#include <QHeaderView>
#include <QTreeView>
#include <QVBoxLayout>

CProblemsPane::CProblemsPane(CProblemList* list, QWidget* parent)
    : QWidget(parent), m_list(list), m_view(new QTreeView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setModel(list);
    // A flat list of one-line rows: uniform heights keep long lists cheap.
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setItemsExpandable(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->header()->setStretchLastSection(true);
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
