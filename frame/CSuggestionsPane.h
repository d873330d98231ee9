#pragma once

// The suggestions dock's content: a one-line message (the memory cannot be
// used) above the list of up to nine suggestions for the current text, each
// with its number (Ctrl+number puts it in), score, text, the original it was
// made for with the words that differ from the current original
// highlighted, the file it came from and the problem it would cause. Stock
// item views, so a screen reader reads every entry.

#include <QWidget>

#include <string>
#include <utility>
#include <vector>

class QLabel;
class QStandardItemModel;
class QTreeView;

struct SuggestionEntry {
    int score = 0;
    std::u16string text;     // as it would be put in
    std::u16string original; // the original it was translated from
    std::vector<std::pair<int, int>> differences; // start and length in original
    std::u16string file;
    std::u16string problem; // empty when it passes the checks
};

class CSuggestionsPane : public QWidget {
    Q_OBJECT
public:
    enum Column { Number, Score, Text, Original, File, Problem, ColumnCount };

    explicit CSuggestionsPane(QWidget* parent = nullptr);

    void SetHeaders(const QStringList& headers, const QString& listName);
    void SetEntries(const std::vector<SuggestionEntry>& entries);
    // A message on the line above the list; empty hides the line.
    void SetMessage(const QString& message);

    QTreeView* GetListView() const { return m_view; }
    QLabel* GetMessageLabel() const { return m_message; }

signals:
    // A double click or Enter on the entry at index.
    void EntryActivated(int index);

private:
    QLabel* m_message;
    QTreeView* m_view;
    QStandardItemModel* m_model;
};

// The character ranges (start, length) of the words, punctuation and marks of
// memoryOriginal that have no counterpart in currentOriginal, by a word-level
// longest common subsequence in which any placeholder matches any other.
std::vector<std::pair<int, int>> DifferingWords(std::u16string_view memoryOriginal,
                                                std::u16string_view currentOriginal);
