#pragma once

// The in-place editor's width rule, from the module that carries Qt Gui and
// the fonts (check, tm fill). Without the module or without fonts the widths
// go unchecked, and the command says so once.

#include "CTranslationChecker.h"

struct WidthRuleTable;

class WidthRule {
public:
    WidthRule();
    ~WidthRule();
    WidthRule(const WidthRule&) = delete;
    WidthRule& operator=(const WidthRule&) = delete;

    // Empty when the widths go unchecked.
    checks::SizeRule Rule() const;

private:
    const WidthRuleTable* m_module = nullptr;
};
