#pragma once

// The problems pane: the list of the open file's problems (severity icon,
// path, message), docked below the text tree view. A double click, or Enter,
// asks for the problem's text to be opened.

#include <QWidget>

class CProblemList;
class QTreeView;

// A tree view made a flat list of one-line rows, one selected at a time, read
// only, its last column stretched: the docks' lists.
void MakeFlatList(QTreeView& view);

class CProblemsPane : public QWidget {
    Q_OBJECT
public:
    CProblemsPane(CProblemList* list, QWidget* parent = nullptr);

    QTreeView* GetListView() const { return m_view; }
    // The list row that is current in the pane, -1 for none.
    int CurrentProblem() const;
    void SetCurrentProblem(int listRow);

signals:
    void ProblemActivated(int listRow);

private:
    CProblemList* m_list;
    QTreeView* m_view;
};
