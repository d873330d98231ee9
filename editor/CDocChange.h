#pragma once

// What a change of the document touched, as its one change signal
// (CTransDoc::Changed) tells every listener: the view, the head view, the
// problems pane, the recovery copy and the frame's title.

#include <cstdint>
#include <vector>

class CTextNode;

struct CDocChange {
    enum What : unsigned {
        Texts = 1,      // the translated texts of `texts` (nodes of the language's tree)
        States = 2,     // edit states (of `texts` or of any other node)
        Header = 4,     // language name or flag
        Everything = 8, // another language, another foreign language: build anew
        Title = 16,     // the path or the modified mark (the stack's clean state)
        Layout = 32,    // other fonts: the same rows laid out anew, keeping the user's place
    };
    CDocChange(unsigned whatChanged = 0) : what(whatChanged) {}

    unsigned what;
    std::vector<CTextNode*> texts;
    // Where the caret belongs after the change: a text and an offset into its
    // translated text (UTF-16 units); none for changes without a place.
    CTextNode* caretNode = nullptr;
    std::int32_t caretOffset = -1;
    // The change is an undo or a redo: the place is brought into view.
    bool fromHistory = false;
    // How many more texts below the top nodes are done than before (negative:
    // fewer), so a count of done texts follows without walking the tree.
    std::int32_t doneDelta = 0;
    // The texts the user marked done with this change (not by typing in them).
    std::vector<CTextNode*> markedDone;

    bool Has(unsigned w) const { return (what & w) != 0; }
};
