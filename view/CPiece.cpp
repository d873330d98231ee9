#include "CPiece.h"

#include <utility>

CPiece::CPiece(std::u16string text_, std::int32_t line_, CTextRow* row_)
    : line(line_), text(std::move(text_)), row(row_)
{
}

CPiece::~CPiece() = default;

bool CPiece::HitTest(int, int) const { return false; }
