#include "CProblemList.h"

#include "TranslatedStrings.h"
#include "resource.h"

#include <QApplication>
#include <QStyle>

CProblemList::CProblemList(QObject* parent) : QAbstractTableModel(parent) {}

void CProblemList::SetDescribers(Describer path, Describer message)
{
    beginResetModel();
    m_path = std::move(path);
    m_message = std::move(message);
    endResetModel();
}

void CProblemList::SetHeaders(const QString& path, const QString& message)
{
    m_headers[PathColumn] = path;
    m_headers[MessageColumn] = message;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void CProblemList::DescriptionsChanged()
{
    if (m_total > 0)
        emit dataChanged(index(0, 0), index(m_total - 1, ColumnCount - 1));
}

void CProblemList::Reset(int viewRows,
                         std::vector<std::pair<int, checks::TranslationProblem>> problems)
{
    beginResetModel();
    m_byRow.assign(std::size_t(std::max(0, viewRows)), {});
    m_total = 0;
    for (auto& [viewRow, problem] : problems) {
        if (viewRow < 0 || viewRow >= viewRows)
            continue;
        m_byRow[std::size_t(viewRow)].push_back(std::move(problem));
        ++m_total;
    }
    // Built in one pass: every slot passes its sum on to its parent.
    m_tree.assign(m_byRow.size() + 1, 0);
    for (std::size_t i = 1; i < m_tree.size(); ++i) {
        m_tree[i] += int(m_byRow[i - 1].size());
        const std::size_t parent = i + (i & (~i + 1));
        if (parent < m_tree.size())
            m_tree[parent] += m_tree[i];
    }
    endResetModel();
}

void CProblemList::Replace(int viewRow, std::vector<checks::TranslationProblem> problems)
{
    if (viewRow < 0 || viewRow >= ViewRows())
        return;
    auto& slot = m_byRow[std::size_t(viewRow)];
    if (slot == problems)
        return;
    const int first = CountBefore(viewRow);
    if (!slot.empty()) {
        beginRemoveRows({}, first, first + int(slot.size()) - 1);
        AddCount(viewRow, -int(slot.size()));
        slot.clear();
        endRemoveRows();
    }
    if (!problems.empty()) {
        beginInsertRows({}, first, first + int(problems.size()) - 1);
        AddCount(viewRow, int(problems.size()));
        slot = std::move(problems);
        endInsertRows();
    }
}

int CProblemList::CountBefore(int viewRow) const
{
    int sum = 0;
    for (std::size_t i = std::size_t(std::clamp(viewRow, 0, ViewRows())); i > 0; i &= i - 1)
        sum += m_tree[i];
    return sum;
}

void CProblemList::AddCount(int viewRow, int delta)
{
    for (std::size_t i = std::size_t(viewRow) + 1; i < m_tree.size(); i += i & (~i + 1))
        m_tree[i] += delta;
    m_total += delta;
}

int CProblemList::ViewRowOf(int listRow) const
{
    if (listRow < 0 || listRow >= m_total)
        return -1;
    // The last view row with fewer than listRow + 1 problems before it.
    std::size_t position = 0;
    int remaining = listRow;
    std::size_t step = 1;
    while (step * 2 < m_tree.size())
        step *= 2;
    for (; step > 0; step /= 2) {
        const std::size_t next = position + step;
        if (next < m_tree.size() && m_tree[next] <= remaining) {
            position = next;
            remaining -= m_tree[next];
        }
    }
    return int(position);
}

const checks::TranslationProblem* CProblemList::ProblemAt(int listRow) const
{
    const int viewRow = ViewRowOf(listRow);
    if (viewRow < 0)
        return nullptr;
    const auto& slot = m_byRow[std::size_t(viewRow)];
    const int k = listRow - CountBefore(viewRow);
    return k >= 0 && k < int(slot.size()) ? &slot[std::size_t(k)] : nullptr;
}

int CProblemList::FirstFrom(int viewRow) const
{
    const int listRow = CountBefore(std::max(0, viewRow));
    return listRow < m_total ? listRow : -1;
}

int CProblemList::LastBefore(int viewRow) const
{
    return CountBefore(viewRow) - 1;
}

const std::vector<checks::TranslationProblem>& CProblemList::ProblemsOf(int viewRow) const
{
    static const std::vector<checks::TranslationProblem> none;
    return viewRow >= 0 && viewRow < ViewRows() ? m_byRow[std::size_t(viewRow)] : none;
}

const checks::TranslationProblem* CProblemList::FirstProblemOf(int viewRow) const
{
    if (viewRow < 0 || viewRow >= ViewRows() || m_byRow[std::size_t(viewRow)].empty())
        return nullptr;
    return &m_byRow[std::size_t(viewRow)].front();
}

int CProblemList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_total;
}

int CProblemList::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CProblemList::data(const QModelIndex& index, int role) const
{
    const checks::TranslationProblem* problem = ProblemAt(index.row());
    if (!problem)
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const Describer& describe = index.column() == PathColumn ? m_path : m_message;
        return describe ? describe(*problem) : QString();
    }
    // The focus rests on a problem's first cell: a screen reader hears there
    // how bad and what is wrong before where it is.
    const bool error = problem->GetSeverity() == checks::Severity::Error;
    if (role == Qt::AccessibleTextRole && index.column() == PathColumn && m_path && m_message)
        return QString::fromStdU16String(TranslatedString(error ? IDS_SPOKEN_ERROR : IDS_SPOKEN_WARNING)) +
               QStringLiteral(", ") + m_message(*problem) + QStringLiteral(", ") + m_path(*problem);
    if (role == Qt::DecorationRole && index.column() == PathColumn) {
        return QApplication::style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                                         : QStyle::SP_MessageBoxWarning);
    }
    return {};
}

QVariant CProblemList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return m_headers[section];
    return {};
}
