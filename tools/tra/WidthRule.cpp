#include "WidthRule.h"

#include "ToolModule.h"
#include "WidthRuleModule.h"

#include <fmt/core.h>

WidthRule::WidthRule()
{
    std::string why;
    m_module = static_cast<const WidthRuleTable*>(tra_module::Load(kWidthRuleModule, kWidthRuleEntry, why));
    if (m_module && !m_module->open(why)) {
        m_module->close();
        m_module = nullptr;
    }
    if (!m_module)
        fmt::print(stderr, "glossmark-tra: widths not checked: {}\n", why);
}

WidthRule::~WidthRule()
{
    if (m_module)
        m_module->close();
}

checks::SizeRule WidthRule::Rule() const
{
    if (!m_module)
        return {};
    return {m_module->isSizeLimitedKind, m_module->fits};
}
