#pragma once

#include "CTextNode.h"
#include "DeviceContext.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CArchive;

// Result of reading a language file's first fields: the magic decides whether
// the rest is trusted at all.
enum class SerializeResult { Ok, WrongMagic };

// One language file in memory: header, flag and text tree.
class CLanguageFile {
public:
    static constexpr std::int32_t kFlagSide = 32;
    static constexpr std::int32_t kFlagPixelCount = kFlagSide * kFlagSide;
    static constexpr std::uint32_t kOriginalBit = 1u;
    static constexpr std::uint32_t kSwitchListBit = 2u;
    // Deepest node level a file may hold (root 0, top nodes 1). Real files stay
    // below ten; the limit keeps hostile files away from recursive code elsewhere.
    static constexpr std::int32_t kMaxTreeDepth = 1000;

    explicit CLanguageFile(std::unique_ptr<CTextNode> root = nullptr);
    ~CLanguageFile();

    CLanguageFile(const CLanguageFile&) = delete;
    CLanguageFile& operator=(const CLanguageFile&) = delete;

    CTextNode* GetRoot() const { return root.get(); }
    void SetRoot(std::unique_ptr<CTextNode> newRoot);

    const std::u16string& GetProgramName() const { return programName; }
    const std::u16string& GetProgramVersion() const { return programVersion; }
    const std::u16string& GetLanguageName() const { return languageName; }
    const std::u16string& GetHeaderText4() const { return headerText4; }
    const std::u16string& GetHeaderText5() const { return headerText5; }
    void SetProgramName(std::u16string text) { programName = std::move(text); }
    void SetProgramVersion(std::u16string text) { programVersion = std::move(text); }
    void SetLanguageName(std::u16string text) { languageName = std::move(text); }
    void SetHeaderText4(std::u16string text) { headerText4 = std::move(text); }
    void SetHeaderText5(std::u16string text) { headerText5 = std::move(text); }

    bool IsOriginal() const { return (flags & kOriginalBit) != 0; }
    void SetOriginal(bool original);

    std::unique_ptr<CLanguageFile> Copy() const;
    // A new translation of this (original-language) file: it takes languageName, every
    // text is to be edited, and it is no longer an original-language file. The texts
    // stay the originals until they are translated.
    void StartTranslation(std::u16string languageName);

    void SetFlagFromBitmap(const CDeviceContext& dc, CBitmap& bitmap, std::int32_t x,
                           std::int32_t y);
    std::unique_ptr<CBitmap> CreateFlagBitmap(const CDeviceContext& dc) const;

    // Byte form, by the archive's direction. Reading throws CArchiveException on a
    // truncated file (cause EndOfFile) or a tree deeper than kMaxTreeDepth (TooDeep)
    // and then leaves the object as it was; a wrong magic stops reading and is
    // returned, the object then has no tree. Reading builds everything aside and
    // takes it over only when the whole record set has arrived.
    SerializeResult Serialize(CArchive& ar);
    // Writing only; Serialize on a storing archive calls it.
    void Store(CArchive& ar) const;
    // Reading only; on a storing archive they do nothing and return Ok.
    SerializeResult LoadHeader(CArchive& ar);
    SerializeResult LoadHeaderAndFlag(CArchive& ar);
    // Number of bytes Store writes.
    std::uint64_t StoredSize() const;

    // Version update, foreign overlay, run-time switch: takes other's tree shape and
    // original texts, keeps this object's translations. Returns changed. Needs a tree
    // on both sides; without one nothing happens and the result is false.
    bool TakeStructureFrom(const CLanguageFile& other);
    // The same merge for a caller that no longer needs other: its tree itself becomes
    // this object's tree instead of a copy, which saves the copy's time and memory.
    // other keeps its header fields and ends up without a tree. This object's old tree
    // stays in memory (its arena) as long as the new one, which shares its translations.
    bool TakeStructureFrom(CLanguageFile&& other);

    std::unique_ptr<CTextNode> root;
    std::u16string programName;
    std::u16string programVersion;
    std::u16string languageName;
    std::u16string headerText4;
    std::u16string headerText5;
    std::array<COLORREF, kFlagPixelCount> flagPixels{};
    std::uint32_t headerNumber1 = 10000;
    std::uint32_t headerNumber3 = 0;
    std::uint32_t flags = kOriginalBit;
    std::uint32_t headerNumber2 = 0;

private:
    enum class ReadExtent { Header, HeaderAndFlag, Whole };
    SerializeResult Load(CArchive& ar, ReadExtent extent);
    static std::unique_ptr<CTextNode> LoadTree(CArchive& ar);
    static void StoreTree(CArchive& ar, const CTextNode& top);
    // Steps 3 to 6 of the merge, once structure has the translations.
    bool MergeStructure(std::unique_ptr<CTextNode> structure, const CLanguageFile& other,
                        bool changed);
};

// The magic string every language file starts with.
inline constexpr char16_t kLanguageFileMagic[] = u"_GLOSSMARK__LANGUAGE_FILE_";
// Shown (untranslated) when a file does not start with the magic.
inline constexpr char16_t kCorruptFileMessage[] = u"corrupt .tra - file!";
