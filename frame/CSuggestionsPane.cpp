#include "CSuggestionsPane.h"

#include "CProblemsPane.h"
#include "MatchTokens.h"
#include "QtStrings.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kDifferencesRole = Qt::UserRole + 1;
// Longer originals are shown without highlight: the table would cost too much.
constexpr std::size_t kMaxDiffCells = 250000;

// A text on one line of the list; every character keeps its place, so the
// highlighted ranges stay where they were found.
QString OneLine(const std::u16string& text)
{
    QString line = ToQString(text);
    for (QChar& c : line) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return line;
}

QString SpokenEntry(int number, const SuggestionEntry& entry)
{
    std::u16string text;
    FormatTranslated(text, IDS_SPOKEN_SUGGESTION, number, entry.score, OneLine(entry.text).toStdU16String());
    if (!entry.problem.empty()) {
        std::u16string problem;
        FormatTranslated(problem, IDS_PROBLEM_STATUS, entry.problem);
        text += u", " + problem;
    }
    return ToQString(text);
}

bool SameToken(const memory::MatchToken& a, const memory::MatchToken& b)
{
    if (a.type != b.type)
        return false;
    // A placeholder is put back from the current original: any one matches.
    return a.type == memory::MatchToken::Type::Placeholder || a.text == b.text;
}

// Paints the original's differing words on a highlight.
class DifferenceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QVariantList ranges = index.data(kDifferencesRole).toList();
        if (ranges.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);

        QList<QTextLayout::FormatRange> formats;
        for (const QVariant& range : ranges) {
            QTextLayout::FormatRange format;
            format.start = range.toPoint().x();
            format.length = range.toPoint().y();
            format.format.setBackground(QColor(255, 221, 102));
            format.format.setForeground(Qt::black);
            formats.append(format);
        }
        QTextLayout layout(text, item.font);
        layout.setFormats(formats);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setNumColumns(int(text.size()));
        layout.endLayout();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
        painter->save();
        painter->setClipRect(rect);
        painter->setPen(item.palette.color(item.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                               : QPalette::Text));
        layout.draw(painter, QPointF(rect.left() + margin, rect.top() + (rect.height() - line.height()) / 2));
        painter->restore();
    }
};

} // namespace

std::vector<std::pair<int, int>> DifferingWords(std::u16string_view memoryOriginal,
                                                std::u16string_view currentOriginal)
{
    const std::vector<memory::MatchToken> mine = memory::Tokenize(memoryOriginal);
    const std::vector<memory::MatchToken> theirs = memory::Tokenize(currentOriginal);
    const std::size_t n = mine.size();
    const std::size_t m = theirs.size();
    if (n == 0 || (n + 1) * (m + 1) > kMaxDiffCells)
        return {};
    // lengths[i][j]: the common subsequence of mine[i..] and theirs[j..].
    std::vector<int> lengths((n + 1) * (m + 1), 0);
    const auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            lengths[at(i, j)] = SameToken(mine[i], theirs[j])
                                    ? lengths[at(i + 1, j + 1)] + 1
                                    : std::max(lengths[at(i + 1, j)], lengths[at(i, j + 1)]);
    std::vector<std::pair<int, int>> ranges;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n) {
        if (j < m && SameToken(mine[i], theirs[j])) {
            ++i;
            ++j;
        } else if (j < m && lengths[at(i, j + 1)] >= lengths[at(i + 1, j)]) {
            ++j;
        } else {
            const int start = int(mine[i].text.data() - memoryOriginal.data());
            ranges.emplace_back(start, int(mine[i].text.size()));
            ++i;
        }
    }
    return ranges;
}

CSuggestionsPane::CSuggestionsPane(QWidget* parent)
    : QWidget(parent), m_message(new QLabel(this)), m_view(new QTreeView(this)),
      m_model(new QStandardItemModel(0, ColumnCount, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_message);
    layout->addWidget(m_view);
    m_message->setWordWrap(false);
    m_message->setTextFormat(Qt::PlainText);
    m_message->hide();
    m_view->setModel(m_model);
    m_view->setItemDelegateForColumn(Original, new DifferenceDelegate(m_view));
    MakeFlatList(*m_view);
    m_view->header()->resizeSection(Number, 32);
    m_view->header()->resizeSection(Score, 52);
    m_view->header()->resizeSection(Text, 160);
    m_view->header()->resizeSection(Original, 160);
    connect(m_view, &QTreeView::activated, this,
            [this](const QModelIndex& index) { emit EntryActivated(index.row()); });
}

void CSuggestionsPane::SetHeaders(const QStringList& headers, const QString& listName)
{
    m_model->setHorizontalHeaderLabels(headers);
    m_view->setAccessibleName(listName);
}

void CSuggestionsPane::SetEntries(const std::vector<SuggestionEntry>& entries)
{
    m_model->setRowCount(0);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SuggestionEntry& entry = entries[i];
        QList<QStandardItem*> row;
        row << new QStandardItem(QString::number(i + 1)) << new QStandardItem(QString::number(entry.score))
            << new QStandardItem(OneLine(entry.text)) << new QStandardItem(OneLine(entry.original))
            << new QStandardItem(ToQString(entry.file)) << new QStandardItem(OneLine(entry.problem));
        QVariantList ranges;
        for (const auto& [start, length] : entry.differences)
            ranges.append(QPoint(start, length));
        row[Original]->setData(ranges, kDifferencesRole);
        if (!entry.problem.empty())
            row[Text]->setIcon(warning);
        // The focus rests on an entry's first cell: a screen reader hears the
        // whole entry there.
        row[Number]->setData(SpokenEntry(int(i + 1), entry), Qt::AccessibleTextRole);
        m_model->appendRow(row);
    }
}

void CSuggestionsPane::SetMessage(const QString& message)
{
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
}
