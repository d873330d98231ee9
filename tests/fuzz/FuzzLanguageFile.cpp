// Fuzz target for the language file reader. Besides "never crash", it checks what
// must hold for every file that reads: writing it and reading that again gives the
// same bytes, StoredSize is exact, and the indexed sibling match agrees with the
// plain one on the file's own nodes.
#include "CMatchIndex.h"
#include "ModelTestSupport.h"

#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckMatching(CTextNode& root)
{
    std::vector<const CTextNode*> inner;
    for (const CTextNode* node : PreOrder(root)) {
        if (node->ChildCount() > 0 && inner.size() < 12)
            inner.push_back(node);
    }
    for (const CTextNode* oldParent : inner) {
        CMatchIndex index(*oldParent);
        for (const CTextNode* parent : inner)
            for (std::int32_t i = 0; i < parent->ChildCount() && i < 64; ++i) {
                const CTextNode& node = *parent->GetChild(i);
                Check(index.Find(node) == node.FindMatch(*oldParent));
            }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Bytes bytes(data, data + size);
    for (LoadKind kind : {LoadKind::Header, LoadKind::HeaderAndFlag}) {
        CLanguageFile partial;
        try {
            LoadFromBytes(bytes, partial, kind);
        } catch (const CArchiveException&) {
        }
    }

    CLanguageFile language;
    try {
        if (LoadFromBytes(bytes, language) != SerializeResult::Ok)
            return 0;
    } catch (const CArchiveException&) {
        return 0;
    }

    const Bytes stored = StoreToBytes(language);
    Check(stored.size() == language.StoredSize());
    CLanguageFile again;
    Check(LoadFromBytes(stored, again) == SerializeResult::Ok);
    Check(StoreToBytes(again) == stored);

    if (CTextNode* root = language.GetRoot()) {
        CheckMatching(*root);
        auto copy = language.Copy();
        copy->GetRoot()->UpdateStates();
        Check(copy->GetRoot()->CountNodes() == root->CountNodes());
        copy->TakeStructureFrom(language);
        copy->GetRoot()->ReplaceTextsByTranslations(*root, 0);
    }
    return 0;
}
