#include "CSearchCursor.h"

#include <QChar>

#include <algorithm>

char16_t CSearchCursor::Upper(char16_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
    if (QChar::isSurrogate(c))
        return c;
    const char32_t upper = QChar::toUpper(char32_t(c));
    // A letter whose capital lies outside the basic plane keeps its case.
    return upper <= 0xFFFF ? char16_t(upper) : c;
}

void CSearchCursor::SetFind(std::u16string text, bool matchCase_, bool wholeWord_)
{
    findText = std::move(text);
    matchCase = matchCase_;
    wholeWord = wholeWord_;
    m_needle = findText;
    if (!matchCase)
        std::transform(m_needle.begin(), m_needle.end(), m_needle.begin(), Upper);
}

bool CSearchCursor::CountsAsWord(std::u16string_view slice, std::size_t at) const
{
    if (!wholeWord)
        return true;
    const std::size_t end = at + m_needle.size();
    const bool before = at == 0 || IsWordSeparator(slice[at - 1]);
    const bool after = end == slice.size() || IsWordSeparator(slice[end]);
    return before && after;
}

std::u16string_view CSearchCursor::Folded(std::u16string_view slice) const
{
    if (matchCase)
        return slice;
    m_folded.assign(slice);
    std::transform(m_folded.begin(), m_folded.end(), m_folded.begin(), Upper);
    return m_folded;
}

std::size_t CSearchCursor::FindIn(std::u16string_view slice) const
{
    const std::u16string_view haystack = Folded(slice);
    const std::u16string_view needle = m_needle;
    if (down) {
        for (std::size_t at = haystack.find(needle); at != std::u16string_view::npos;
             at = haystack.find(needle, at + 1)) {
            if (CountsAsWord(slice, at))
                return at;
        }
        return std::u16string_view::npos;
    }
    if (needle.size() > haystack.size())
        return std::u16string_view::npos;
    for (std::size_t at = haystack.rfind(needle); at != std::u16string_view::npos;) {
        if (CountsAsWord(slice, at))
            return at;
        if (at == 0)
            break;
        at = haystack.rfind(needle, at - 1);
    }
    return std::u16string_view::npos;
}

bool CSearchCursor::MatchPiece(std::u16string_view text)
{
    const std::size_t length = text.size();
    const std::size_t position =
        currentPosition < 0 ? length : std::min(std::size_t(currentPosition), length);
    const std::u16string_view slice = down ? text.substr(position) : text.substr(0, position);
    const std::size_t at = FindIn(slice);
    if (at == std::u16string_view::npos)
        return false;
    currentPosition = std::int32_t(down ? position + at : at);
    return true;
}

bool CSearchCursor::EqualsFindText(std::u16string_view s) const
{
    if (s.size() != m_needle.size())
        return false;
    if (matchCase)
        return s == std::u16string_view(m_needle);
    return std::equal(s.begin(), s.end(), m_needle.begin(),
                      [](char16_t a, char16_t b) { return Upper(a) == b; });
}

bool CSearchCursor::MayOccurIn(std::u16string_view rowText) const
{
    if (m_needle.empty() || m_needle.find(u'%') != std::u16string::npos)
        return true;
    if (matchCase)
        return rowText.find(std::u16string_view(m_needle)) != std::u16string_view::npos;
    const auto same = [](char16_t a, char16_t b) { return Upper(a) == b; };
    return std::search(rowText.begin(), rowText.end(), m_needle.begin(), m_needle.end(), same) !=
           rowText.end();
}

std::u16string CSearchCursor::ReplaceEvery(std::u16string_view text) const
{
    std::u16string result;
    if (m_needle.empty())
        return std::u16string(text);
    const std::u16string_view haystack = Folded(text);
    std::size_t from = 0;
    for (std::size_t at = haystack.find(m_needle); at != std::u16string_view::npos;
         at = haystack.find(m_needle, std::max(at + 1, from))) {
        if (!CountsAsWord(text, at))
            continue;
        result.append(text.substr(from, at - from)).append(replaceText);
        from = at + m_needle.size();
    }
    return result.append(text.substr(from));
}

bool CSearchCursor::Step()
{
    if (down) {
        ++currentRow;
        currentPiece = 0;
        currentPosition = 0;
        if (currentRow >= rowCount)
            currentRow = 0;
    } else {
        --currentRow;
        currentPiece = -1;
        currentPosition = -1;
        if (currentRow < 0)
            currentRow = rowCount - 1;
    }
    return currentRow != startRow;
}
