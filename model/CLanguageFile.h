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

    void SetFlagFromBitmap(const CDeviceContext& dc, CBitmap& bitmap, std::int32_t x,
                           std::int32_t y);
    std::unique_ptr<CBitmap> CreateFlagBitmap(const CDeviceContext& dc) const;

    // Byte form. Reading throws CArchiveException on a truncated file; a wrong
    // magic stops reading and is returned, the object then has no tree.
    SerializeResult Serialize(CArchive& ar);
    SerializeResult LoadHeader(CArchive& ar);
    SerializeResult LoadHeaderAndFlag(CArchive& ar);

    bool TakeStructureFrom(const CLanguageFile& other);

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
};

// The magic string every language file starts with.
inline constexpr char16_t kLanguageFileMagic[] = u"_GLOSSMARK__LANGUAGE_FILE_";
// Shown (untranslated) when a file does not start with the magic.
inline constexpr char16_t kCorruptFileMessage[] = u"corrupt .tra - file!";
