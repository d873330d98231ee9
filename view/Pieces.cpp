#include "Pieces.h"

#include "CPlaceholderPiece.h"
#include "CTextPiece.h"
#include "FormatGrammar.h"

#include <algorithm>

namespace pieces {

bool IsConversionChar(char16_t c) { return format_grammar::IsConversionChar(c); }

namespace {

// Where a split puts its pieces: the row's piece objects, or (for searching
// rows that were never shown) only their texts.
class PieceListSink {
public:
    PieceListSink(bool foreign, bool freeSize, CTextRow* row, PieceList& list)
        : m_foreign(foreign), m_freeSize(freeSize), m_row(row), m_list(list), m_first(list.size())
    {
    }
    void Text(std::u16string&& text, std::int32_t line, bool endsWithCR)
    {
        m_list.push_back(std::make_unique<CTextPiece>(std::move(text), line, m_foreign, m_freeSize,
                                                      m_row, endsWithCR));
    }
    void Placeholder(std::u16string&& specifier, std::int32_t line)
    {
        m_list.push_back(std::make_unique<CPlaceholderPiece>(std::move(specifier), line, m_row));
    }
    std::int32_t Finish(bool formatText)
    {
        for (std::size_t i = m_first; i < m_list.size(); ++i) {
            if (auto* piece = dynamic_cast<CTextPiece*>(m_list[i].get()))
                piece->doublePercent = formatText;
        }
        return LineCount(m_list);
    }

private:
    bool m_foreign;
    bool m_freeSize;
    CTextRow* m_row;
    PieceList& m_list;
    std::size_t m_first;
};

class PieceTextSink {
public:
    explicit PieceTextSink(std::vector<PieceText>& list) : m_list(list) {}
    void Text(std::u16string&& text, std::int32_t, bool)
    {
        m_list.push_back({std::move(text), false});
    }
    void Placeholder(std::u16string&& specifier, std::int32_t)
    {
        m_list.push_back({std::move(specifier), true});
    }
    std::int32_t Finish(bool) { return 0; }

private:
    std::vector<PieceText>& m_list;
};

// The state of one split: the text being read and the sink being filled.
template <class Sink> class Splitter {
public:
    Splitter(std::u16string_view text, Sink& sink) : m_text(text), m_sink(sink) {}

    std::int32_t Run()
    {
        const std::size_t length = m_text.size();
        while (m_pos < length) {
            const char16_t c = m_text[m_pos];
            if (c == u'\n') {
                ++m_pos;
                Flush();
                ++m_line;
            } else if (c == u'%') {
                ReadPercent();
            } else {
                m_literal += c;
                ++m_pos;
            }
        }
        Flush();
        return m_sink.Finish(m_formatText);
    }

private:
    void ReadPercent()
    {
        const format_grammar::PlaceholderRead read = format_grammar::ReadPlaceholder(m_text, m_pos);
        m_pos = read.end;
        switch (read.type) {
        case format_grammar::PlaceholderRead::Type::Escape:
            m_literal += u"%%";
            m_formatText = true;
            break;
        case format_grammar::PlaceholderRead::Type::Ordinary:
            m_literal += u'%';
            break;
        case format_grammar::PlaceholderRead::Type::Placeholders:
            MakePlaceholder(read.first);
            if (!read.second.empty())
                MakePlaceholder(read.second);
            m_literal += read.trailing;
            break;
        }
    }

    void MakePlaceholder(std::u16string_view specifier)
    {
        Flush();
        m_sink.Placeholder(std::u16string(specifier), m_line);
        m_formatText = true;
    }

    // Always makes a text piece, also for an empty literal.
    void Flush()
    {
        bool endsWithCR = false;
        if (!m_literal.empty() && m_literal.back() == u'\r') {
            m_literal.pop_back();
            endsWithCR = true;
        }
        std::u16string reduced;
        reduced.reserve(m_literal.size());
        bool afterCopiedPercent = false;
        for (const char16_t c : m_literal) {
            if (c == u'%' && afterCopiedPercent) {
                afterCopiedPercent = false;
                continue;
            }
            reduced += c;
            afterCopiedPercent = c == u'%';
        }
        m_sink.Text(std::move(reduced), m_line, endsWithCR);
        m_literal.clear();
    }

    std::u16string_view m_text;
    Sink& m_sink;
    std::int32_t m_line = 0;
    std::size_t m_pos = 0;
    std::u16string m_literal;
    bool m_formatText = false;
};

} // namespace

std::int32_t SplitText(std::u16string_view text, bool foreign, bool freeSize, CTextRow* row,
                       PieceList& list)
{
    PieceListSink sink(foreign, freeSize, row, list);
    return Splitter<PieceListSink>(text, sink).Run();
}

void SplitTexts(std::u16string_view text, std::vector<PieceText>& list)
{
    PieceTextSink sink(list);
    Splitter<PieceTextSink>(text, sink).Run();
}

namespace {

// Units of the composed text that the first `count` characters of a piece's
// own text take: a text piece of a format text writes each "%" twice.
std::int32_t ComposedLength(const CPiece& piece, std::int32_t count)
{
    const auto* textPiece = dynamic_cast<const CTextPiece*>(&piece);
    count = std::clamp<std::int32_t>(count, 0, std::int32_t(piece.text.size()));
    if (!textPiece || !textPiece->doublePercent)
        return count;
    return count + std::int32_t(std::count(piece.text.begin(), piece.text.begin() + count, u'%'));
}

} // namespace

std::int32_t TextOffset(const PieceList& list, PiecePlace place)
{
    std::int32_t offset = 0;
    std::int32_t previousLine = 0;
    for (int i = 0; i < int(list.size()); ++i) {
        const CPiece& piece = *list[std::size_t(i)];
        if (piece.line != previousLine) {
            offset += 1;
            previousLine = piece.line;
        }
        if (i == place.piece)
            return offset + ComposedLength(piece, place.caret);
        offset += std::int32_t(piece.GetText().size());
    }
    return offset;
}

PiecePlace PlaceOf(const PieceList& list, std::int32_t offset)
{
    PiecePlace last{-1, 0};
    std::int32_t start = 0;
    std::int32_t previousLine = 0;
    for (int i = 0; i < int(list.size()); ++i) {
        const CPiece& piece = *list[std::size_t(i)];
        if (piece.line != previousLine) {
            start += 1;
            previousLine = piece.line;
        }
        const std::int32_t whole = ComposedLength(piece, std::int32_t(piece.text.size()));
        if (!piece.IsFixed()) {
            last = {i, int(piece.text.size())};
            if (offset <= start + whole) {
                int caret = 0;
                while (caret < int(piece.text.size()) && ComposedLength(piece, caret + 1) <= offset - start)
                    ++caret;
                return {i, caret};
            }
        } else if (offset < start + whole) {
            // Inside a placeholder: the text piece after it, at its start.
            return i + 1 < int(list.size()) ? PiecePlace{i + 1, 0} : last;
        }
        start += std::int32_t(piece.GetText().size());
    }
    return last;
}

std::u16string ComposeText(const PieceList& list)
{
    std::u16string result;
    std::int32_t previousLine = 0;
    for (const auto& piece : list) {
        if (piece->line != previousLine) {
            result += u'\n';
            previousLine = piece->line;
        }
        result += piece->GetText();
    }
    return result;
}

std::int32_t LineCount(const PieceList& list)
{
    return list.empty() ? 0 : list.back()->line + 1;
}

} // namespace pieces
