#include "DialogTranslation.h"

#include "CTextNode.h"
#include "CTranslationState.h"
#include "MenuTranslation.h"
#include "QtStrings.h"
#include "TranslatedStrings.h"
#include "UiLanguage.h"

#include <QStackedWidget>
#include <QTabWidget>

#include <vector>

namespace {

// A dialog's windows as they were when matching began. Controls beyond the
// limit are not translated.
constexpr size_t kMaxControls = 250;

struct ControlList {
    std::u16string title;
    std::vector<std::pair<CWnd, std::u16string>> children;
    int nonEmpty = 0;
};

ControlList Collect(const CWnd& dialog)
{
    ControlList list;
    list.title = dialog.GetWindowText();
    for (const CWnd& child : dialog.GetChildren()) {
        if (list.children.size() == kMaxControls)
            break;
        std::u16string text = child.GetWindowText();
        if (!text.empty())
            ++list.nonEmpty;
        list.children.emplace_back(child, std::move(text));
    }
    return list;
}

const std::u16string& Compared(const CTextNode& node, bool throughTranslated)
{
    return throughTranslated ? node.translatedText : node.originalText;
}

double Score(const ControlList& list, const CTextNode& entry, bool throughTranslated)
{
    unsigned live = 0;
    unsigned file = 0;
    std::vector<bool> used(size_t(entry.ChildCount()), false);
    if (Compared(entry, throughTranslated) != list.title) {
        ++live;
        ++file;
    }
    for (const auto& [window, text] : list.children) {
        bool found = false;
        for (std::int32_t i = 0; i < entry.ChildCount() && !found; ++i) {
            const CTextNode* child = entry.GetChild(i);
            if (child && !used[size_t(i)] && Compared(*child, throughTranslated) == text) {
                used[size_t(i)] = true;
                found = true;
            }
        }
        if (!found && !text.empty())
            ++live;
    }
    for (std::int32_t i = 0; i < entry.ChildCount(); ++i) {
        if (!used[size_t(i)] && entry.GetChild(i))
            file += unsigned(entry.GetChild(i)->CountNodes());
    }
    const double n = list.nonEmpty;
    const double m = entry.ChildCount();
    const double livePart = list.children.empty() ? 0.0 : (n - live + 1) / (n + 1);
    const double filePart = entry.ChildCount() == 0 ? 0.0 : (m - file + 1) / (m + 1);
    return livePart + filePart;
}

void Apply(const ControlList& list, const CWnd& dialog, const CTextNode& entry,
           bool throughTranslated)
{
    std::vector<bool> used(list.children.size(), false);
    for (std::int32_t i = 0; i < entry.ChildCount(); ++i) {
        const CTextNode* child = entry.GetChild(i);
        if (!child)
            continue;
        for (size_t c = 0; c < list.children.size(); ++c) {
            if (!used[c] && list.children[c].second == Compared(*child, throughTranslated)) {
                used[c] = true;
                list.children[c].first.SetWindowText(child->translatedText);
                break;
            }
        }
    }
    dialog.SetWindowText(entry.translatedText);
}

void TranslateContainer(const CWnd& page, const CTextNode& entry)
{
    QTabWidget* tabs = TabContainerOfPage(page.GetWidget());
    if (!tabs)
        return;
    if (QWidget* sheet = tabs->window(); sheet && sheet != page.GetWidget()) {
        CWnd sheetWnd(sheet);
        std::u16string title = sheetWnd.GetWindowText();
        if (TranslateString(title))
            sheetWnd.SetWindowText(title);
    }
    const CTextNode* dialogs = entry.parent;
    for (int i = 0; i < tabs->count(); ++i) {
        std::u16string caption = ToU16(tabs->tabText(i)).substr(0, 1023);
        bool found = false;
        for (std::int32_t d = 0; dialogs && d < dialogs->ChildCount() && !found; ++d) {
            const CTextNode* other = dialogs->GetChild(d);
            if (other && other->originalText == caption) {
                caption = other->translatedText;
                found = true;
            }
        }
        if (found || TranslateString(caption))
            tabs->setTabText(i, ToQString(caption));
    }
}

} // namespace

QTabWidget* TabContainerOfPage(QWidget* window)
{
    QWidget* parent = window ? window->parentWidget() : nullptr;
    if (auto* tabs = qobject_cast<QTabWidget*>(parent))
        return tabs;
    // A page added to a tab widget lives in the widget's own page stack.
    if (qobject_cast<QStackedWidget*>(parent)) {
        auto* tabs = qobject_cast<QTabWidget*>(parent->parentWidget());
        if (tabs && tabs->indexOf(window) >= 0)
            return tabs;
    }
    return nullptr;
}

bool TranslateDialogCore(const CWnd& dialog, const CTextNode* dialogs, unsigned mode)
{
    if (!dialog || !dialogs)
        return false;
    const ControlList list = Collect(dialog);
    double best = 0.0;
    const CTextNode* chosen = nullptr;
    bool chosenTranslated = false;
    for (std::int32_t i = 0; i < dialogs->ChildCount(); ++i) {
        const CTextNode* entry = dialogs->GetChild(i);
        if (!entry)
            continue;
        for (bool throughTranslated : {false, true}) {
            const double score = Score(list, *entry, throughTranslated);
            if (score > best) {
                best = score;
                chosen = entry;
                chosenTranslated = throughTranslated;
            }
        }
    }
    if (!chosen || best < 1.0)
        return false;
    Apply(list, dialog, *chosen, chosenTranslated);
    if (mode & 1u)
        TranslateContainer(dialog, *chosen);
    return true;
}

void TranslateDialog(const CWnd& dialog, unsigned mode)
{
    CTranslationState& state = CTranslationState::Get();
    if (!state.Current())
        return;
    TranslateDialogCore(dialog, FindTopNode(state.Current(), u"Dialoge"), mode);
    if (state.dialogTracker)
        state.dialogTracker->Add(dialog, mode);
    TranslateFrameMenu(dialog);
}
