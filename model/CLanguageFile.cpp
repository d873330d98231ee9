#include "CLanguageFile.h"

#include "CArchive.h"
#include "CTextArena.h"

#include <string_view>
#include <vector>

namespace {

constexpr std::u16string_view kTreeMarker = u"NodeThere";
constexpr std::u16string_view kNoTreeMarker = u"NoNode";

std::uint64_t StoredStringSize(std::u16string_view text)
{
    const std::uint64_t length = text.size();
    const std::uint64_t head = length < 0xFF ? 4 : (length < 0xFFFE ? 6 : 10);
    return head + 2 * length;
}

} // namespace

CLanguageFile::CLanguageFile(std::unique_ptr<CTextNode> root) : root(std::move(root)) {}

CLanguageFile::~CLanguageFile() = default;

void CLanguageFile::SetRoot(std::unique_ptr<CTextNode> newRoot) { root = std::move(newRoot); }

void CLanguageFile::SetOriginal(bool original)
{
    if (original)
        flags |= kOriginalBit;
    else
        flags &= ~kOriginalBit;
}

void CLanguageFile::StartTranslation(std::u16string name)
{
    languageName = std::move(name);
    if (root)
        root->MarkToDo();
    SetOriginal(false);
}

std::unique_ptr<CLanguageFile> CLanguageFile::Copy() const
{
    auto copy = std::make_unique<CLanguageFile>(root ? root->CopyTree(nullptr) : nullptr);
    copy->programName = programName;
    copy->programVersion = programVersion;
    copy->languageName = languageName;
    copy->headerText4 = headerText4;
    copy->headerText5 = headerText5;
    copy->flagPixels = flagPixels;
    copy->headerNumber1 = headerNumber1;
    copy->headerNumber3 = headerNumber3;
    copy->flags = flags;
    copy->headerNumber2 = headerNumber2;
    return copy;
}

void CLanguageFile::SetFlagFromBitmap(const CDeviceContext& dc, CBitmap& bitmap, std::int32_t x,
                                      std::int32_t y)
{
    std::unique_ptr<CDeviceContext> memory = dc.CreateCompatibleDC();
    CBitmap* previous = memory->SelectObject(&bitmap);
    for (std::int32_t r = 0; r < kFlagSide; ++r)
        for (std::int32_t c = 0; c < kFlagSide; ++c)
            flagPixels[static_cast<std::size_t>(r * kFlagSide + c)] = memory->GetPixel(x + c, y + r);
    memory->SelectObject(previous);
}

std::unique_ptr<CBitmap> CLanguageFile::CreateFlagBitmap(const CDeviceContext& dc) const
{
    std::unique_ptr<CDeviceContext> memory = dc.CreateCompatibleDC();
    std::unique_ptr<CBitmap> bitmap = dc.CreateCompatibleBitmap(kFlagSide, kFlagSide);
    CBitmap* previous = memory->SelectObject(bitmap.get());
    for (std::int32_t r = 0; r < kFlagSide; ++r)
        for (std::int32_t c = 0; c < kFlagSide; ++c)
            memory->SetPixel(c, r, flagPixels[static_cast<std::size_t>(r * kFlagSide + c)]);
    memory->SelectObject(previous);
    return bitmap;
}

SerializeResult CLanguageFile::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        Store(ar);
        return SerializeResult::Ok;
    }
    return Load(ar, ReadExtent::Whole);
}

SerializeResult CLanguageFile::LoadHeader(CArchive& ar)
{
    return ar.IsLoading() ? Load(ar, ReadExtent::Header) : SerializeResult::Ok;
}

SerializeResult CLanguageFile::LoadHeaderAndFlag(CArchive& ar)
{
    return ar.IsLoading() ? Load(ar, ReadExtent::HeaderAndFlag) : SerializeResult::Ok;
}

SerializeResult CLanguageFile::Load(CArchive& ar, ReadExtent extent)
{
    if (ar.ReadString() != kLanguageFileMagic) {
        if (extent == ReadExtent::Whole)
            root.reset();
        return SerializeResult::WrongMagic;
    }

    // Everything is read aside first, so a file that ends early changes nothing.
    CLanguageFile staged;
    staged.headerNumber1 = ar.ReadUInt32();
    staged.flags = ar.ReadUInt32();
    staged.headerNumber2 = ar.ReadUInt32();
    staged.programName = ar.ReadString();
    staged.programVersion = ar.ReadString();
    staged.languageName = ar.ReadString();
    staged.headerText4 = ar.ReadString();
    staged.headerText5 = ar.ReadString();
    staged.headerNumber3 = ar.ReadUInt32();
    if (extent != ReadExtent::Header) {
        for (COLORREF& pixel : staged.flagPixels)
            pixel = ar.ReadUInt32();
    }
    if (extent == ReadExtent::Whole && ar.ReadString() == kTreeMarker)
        staged.root = LoadTree(ar);

    programName = std::move(staged.programName);
    programVersion = std::move(staged.programVersion);
    languageName = std::move(staged.languageName);
    headerText4 = std::move(staged.headerText4);
    headerText5 = std::move(staged.headerText5);
    headerNumber1 = staged.headerNumber1;
    headerNumber2 = staged.headerNumber2;
    headerNumber3 = staged.headerNumber3;
    flags = staged.flags;
    if (extent != ReadExtent::Header)
        flagPixels = staged.flagPixels;
    if (extent == ReadExtent::Whole)
        root = std::move(staged.root);
    return SerializeResult::Ok;
}

std::unique_ptr<CTextNode> CLanguageFile::LoadTree(CArchive& ar)
{
    // Nodes, child arrays and texts all go into one arena, sized from the bytes still
    // to come: the texts take fewer bytes than they do in the file, the nodes about as
    // many as the file for typical texts (more for very short ones: the arena grows).
    const std::uint64_t left = ar.BytesLeft();
    const std::size_t expected = left < (1ull << 40) ? static_cast<std::size_t>(left) : 0;
    CTextArena* arena = CTextArena::Create(expected, expected);
    // The reader's own reference keeps the arena while no node holds one yet.
    arena->Retain();
    struct ReleaseAtEnd {
        CTextArena* arena;
        ~ReleaseAtEnd() { arena->Release(); }
    } releaseAtEnd{arena};

    std::int32_t count = 0;
    auto readNode = [&ar, arena, &count](CTextNode* parent) {
        CTextNode* node = CTextNode::NewIn(*arena, parent);
        try {
            count = ar.ReadInt32();
            node->originalText.SetShared(ar.ReadText(*arena));
            node->translatedText.SetShared(ar.ReadText(*arena));
            node->kindCode = ar.ReadInt32();
            node->width = ar.ReadInt32();
            node->height = ar.ReadInt32();
            node->editState = ar.ReadUInt32();
        } catch (...) {
            delete node;
            throw;
        }
        return node;
    };

    // One frame per node whose children are still arriving. Finished children wait in
    // done and join their parent in one step when the last one is complete.
    struct Frame {
        CTextNode* node;
        std::int32_t remaining;
        std::size_t firstDone;
    };
    std::vector<Frame> stack;
    std::vector<CTextNode*> done;

    CTextNode* root = readNode(nullptr);
    if (count <= 0)
        return std::unique_ptr<CTextNode>(root);
    stack.push_back({root, count, 0});
    try {
        for (;;) {
            Frame& top = stack.back();
            if (top.remaining > 0) {
                --top.remaining;
                const auto depth = static_cast<std::int32_t>(stack.size());
                if (depth > kMaxTreeDepth)
                    throw CArchiveException(CArchiveException::Cause::TooDeep, ar.Position(),
                                            "text tree nested deeper than " +
                                                std::to_string(kMaxTreeDepth) + " levels");
                CTextNode* child = readNode(top.node);
                if (count > 0)
                    stack.push_back({child, count, done.size()});
                else
                    done.push_back(child);
                continue;
            }
            const auto kids = static_cast<std::int32_t>(done.size() - top.firstDone);
            top.node->AdoptChildren(done.data() + top.firstDone, kids);
            done.resize(top.firstDone);
            CTextNode* complete = top.node;
            stack.pop_back();
            if (stack.empty()) {
                // The arena was sized from the file; what the tree did not take goes back.
                arena->Trim();
                return std::unique_ptr<CTextNode>(complete);
            }
            done.push_back(complete);
        }
    } catch (...) {
        // Finished subtrees wait in done; the nodes on the stack have no children yet.
        for (CTextNode* node : done)
            delete node;
        for (const Frame& frame : stack)
            delete frame.node;
        throw;
    }
}

void CLanguageFile::Store(CArchive& ar) const
{
    ar.WriteString(kLanguageFileMagic);
    ar.WriteUInt32(headerNumber1);
    ar.WriteUInt32(flags);
    ar.WriteUInt32(headerNumber2);
    ar.WriteString(programName);
    ar.WriteString(programVersion);
    ar.WriteString(languageName);
    ar.WriteString(headerText4);
    ar.WriteString(headerText5);
    ar.WriteUInt32(headerNumber3);
    for (COLORREF pixel : flagPixels)
        ar.WriteUInt32(pixel);
    if (root) {
        ar.WriteString(kTreeMarker);
        StoreTree(ar, *root);
    } else {
        ar.WriteString(kNoTreeMarker);
    }
}

void CLanguageFile::StoreTree(CArchive& ar, const CTextNode& top)
{
    std::vector<const CTextNode*> pending{&top};
    while (!pending.empty()) {
        const CTextNode* node = pending.back();
        pending.pop_back();
        ar.WriteInt32(node->ChildCount());
        ar.WriteString(node->originalText);
        ar.WriteString(node->translatedText);
        ar.WriteInt32(node->kindCode);
        ar.WriteInt32(node->width);
        ar.WriteInt32(node->height);
        ar.WriteUInt32(node->editState);
        for (std::int32_t i = node->ChildCount() - 1; i >= 0; --i)
            pending.push_back(node->GetChild(i));
    }
}

std::uint64_t CLanguageFile::StoredSize() const
{
    std::uint64_t size = StoredStringSize(kLanguageFileMagic) + 4 * 4 +
                         StoredStringSize(programName) + StoredStringSize(programVersion) +
                         StoredStringSize(languageName) + StoredStringSize(headerText4) +
                         StoredStringSize(headerText5) + 4 * kFlagPixelCount;
    if (!root)
        return size + StoredStringSize(kNoTreeMarker);
    size += StoredStringSize(kTreeMarker);
    std::vector<const CTextNode*> pending{root.get()};
    while (!pending.empty()) {
        const CTextNode* node = pending.back();
        pending.pop_back();
        size += 5 * 4 + StoredStringSize(node->originalText) + StoredStringSize(node->translatedText);
        for (std::int32_t i = 0; i < node->ChildCount(); ++i)
            pending.push_back(node->GetChild(i));
    }
    return size;
}

bool CLanguageFile::TakeStructureFrom(const CLanguageFile& other)
{
    if (!root || !other.root)
        return false;
    std::unique_ptr<CTextNode> structure = other.root->CopyTree(nullptr);
    const bool changed = structure->MergeTexts(*root);
    return MergeStructure(std::move(structure), other, changed);
}

bool CLanguageFile::TakeStructureFrom(CLanguageFile&& other)
{
    if (!root || !other.root)
        return false;
    std::unique_ptr<CTextNode> structure = std::move(other.root);
    // Nothing else will use this object's old tree: the new tree keeps its arena and
    // takes the translations from there without copying them.
    CTextArena* keeper = structure->m_arena;
    CTextArena* source = root->m_arena;
    if (keeper && source && keeper != source && !source->Keeps(*keeper)) {
        keeper->KeepAlive(*source);
        const bool changed = structure->MergeTexts(*root, source);
        return MergeStructure(std::move(structure), other, changed);
    }
    const bool changed = structure->MergeTexts(*root);
    return MergeStructure(std::move(structure), other, changed);
}

bool CLanguageFile::MergeStructure(std::unique_ptr<CTextNode> structure, const CLanguageFile& other,
                                   bool changed)
{
    root = std::move(structure);
    programVersion = other.programVersion;
    const bool wasOriginal = IsOriginal();
    flags = other.flags;
    headerNumber2 = other.headerNumber2;
    if (other.IsOriginal() && !wasOriginal)
        flags &= ~kOriginalBit;
    return changed;
}
