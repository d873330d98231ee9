#pragma once

// The problems of the open file as a list model in tree order: one list row
// per problem, each tagged with the row of the text tree view it belongs to.
// The problems of one view row can be replaced at a cost that does not grow
// with the file: the counts per view row are kept in a binary indexed tree, so
// a list row and a view row find each other in logarithmic time.

#include "TranslationProblem.h"

#include <QAbstractTableModel>

#include <functional>
#include <utility>
#include <vector>

class CProblemList : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { PathColumn, MessageColumn, ColumnCount };

    // The texts of a problem as the list shows them: its path and its message.
    using Describer = std::function<QString(const checks::TranslationProblem&)>;

    explicit CProblemList(QObject* parent = nullptr);

    void SetDescribers(Describer path, Describer message);
    void SetHeaders(const QString& path, const QString& message);
    // Every path and message is described anew (the language changed), with
    // the rows and the selection kept.
    void DescriptionsChanged();

    // The whole file: viewRows rows, problems tagged with their view row and
    // sorted by it (the order of a depth-first walk).
    void Reset(int viewRows, std::vector<std::pair<int, checks::TranslationProblem>> problems);
    // The problems of one view row, after it was checked again.
    void Replace(int viewRow, std::vector<checks::TranslationProblem> problems);

    int ProblemCount() const { return m_total; }
    int ViewRows() const { return int(m_byRow.size()); }
    const checks::TranslationProblem* ProblemAt(int listRow) const;
    int ViewRowOf(int listRow) const;
    // The list row of the first problem of viewRow or a later view row; -1 for none.
    int FirstFrom(int viewRow) const;
    // The list row of the last problem of a view row before viewRow; -1 for none.
    int LastBefore(int viewRow) const;
    const checks::TranslationProblem* FirstProblemOf(int viewRow) const;
    // Every problem of a view row, in check order (none for a row out of range).
    const std::vector<checks::TranslationProblem>& ProblemsOf(int viewRow) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Problems in view rows [0, viewRow).
    int CountBefore(int viewRow) const;
    void AddCount(int viewRow, int delta);

    std::vector<std::vector<checks::TranslationProblem>> m_byRow;
    std::vector<int> m_tree; // binary indexed tree over m_byRow's sizes, 1-based
    int m_total = 0;
    Describer m_path;
    Describer m_message;
    QString m_headers[ColumnCount];
};
