#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void Append(Bytes& bytes, std::initializer_list<std::uint8_t> more)
{
    bytes.insert(bytes.end(), more);
}

void AppendUInt32(Bytes& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendWide(Bytes& bytes, std::u16string_view text)
{
    Append(bytes, {0xFF, 0xFE, 0xFF, static_cast<std::uint8_t>(text.size())});
    for (char16_t unit : text)
        Append(bytes, {static_cast<std::uint8_t>(unit), static_cast<std::uint8_t>(unit >> 8)});
}

// Header with the given magic, fields 2 to 10 and the flag, without tree marker.
Bytes HeaderAndFlag(std::u16string_view magic = kLanguageFileMagic)
{
    Bytes bytes;
    AppendWide(bytes, magic);
    AppendUInt32(bytes, 10000);
    AppendUInt32(bytes, 0x80000003u);
    AppendUInt32(bytes, 7);
    for (std::u16string_view text : {u"Prog", u"1.0", u"English", u"h4", u"h5"})
        AppendWide(bytes, text);
    AppendUInt32(bytes, 0xDEADBEEFu);
    for (std::uint32_t i = 0; i < 1024; ++i)
        AppendUInt32(bytes, i * 0x010203u);
    return bytes;
}

Bytes StoredString(const std::u16string& text)
{
    return StoreWith([&text](CArchive& ar) { ar.WriteString(text); });
}

std::u16string LoadedString(const Bytes& bytes)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        fmemopen(const_cast<std::uint8_t*>(bytes.data()), bytes.size(), "rb"), &std::fclose);
    CArchive ar(file.get(), CArchive::Mode::Load, bytes.size());
    const std::u16string text = ar.ReadString();
    EXPECT_EQ(ar.BytesLeft(), 0u) << "string did not use up its bytes";
    return text;
}

CArchiveException::Cause FailureOf(const Bytes& bytes, CLanguageFile& language)
{
    try {
        LoadFromBytes(bytes, language);
    } catch (const CArchiveException& failure) {
        return failure.cause;
    }
    ADD_FAILURE() << "reading did not fail";
    return CArchiveException::Cause::ReadFailed;
}

std::unique_ptr<CLanguageFile> SmallLanguage()
{
    auto language = std::make_unique<CLanguageFile>(BuildTree(
        {u"", {{u"Dialoge", {{u"Öffnen", {{u"OK", {}, u"OK", 3, 5}, {u"Abbrechen", {}, u"Cancel", 0, 5}}, u"Open", 5, 1}}, u"", 2},
               {u"Menus", {{u"&Datei", {{u"&Neu\tStrg+N", {}, u"&New\tCtrl+N", 0, 3}}, u"&File", 1, 9}}, u"", 1},
               {u"Stringtables", {{u"%d Texte", {}, u"%d texts", 0, 21}}, u"", 1}}}));
    language->GetRoot()->GetChild(0)->GetChild(0)->width = 200;
    language->GetRoot()->GetChild(0)->GetChild(0)->height = -3;
    language->programName = u"Prog";
    language->languageName = u"English";
    language->headerNumber3 = 42;
    return language;
}

TEST(ByteFormat, LeafRecordIsThirtySixBytes)
{
    CLanguageFile language(BuildTree({u"OK", {}, u"OK", 3}));
    language.GetRoot()->width = 50;
    language.GetRoot()->height = 14;
    const Bytes bytes = StoreToBytes(language);
    const Bytes expected = {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFE, 0xFF, 0x02, 0x4F, 0x00, 0x4B, 0x00,
                            0xFF, 0xFE, 0xFF, 0x02, 0x4F, 0x00, 0x4B, 0x00, 0x63, 0x00, 0x00, 0x00,
                            0x32, 0x00, 0x00, 0x00, 0x0E, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.end() - 36));
}

TEST(ByteFormat, FileStartsWithMagicAndEndsWithNoNodeWithoutTree)
{
    CLanguageFile language;
    const Bytes bytes = StoreToBytes(language);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8),
              (Bytes{0xFF, 0xFE, 0xFF, 0x1A, 0x5F, 0x00, 0x47, 0x00}));
    Bytes noNode;
    AppendWide(noNode, u"NoNode");
    ASSERT_EQ(noNode.size(), 16u);
    EXPECT_TRUE(std::equal(noNode.begin(), noNode.end(), bytes.end() - 16));
    EXPECT_EQ(bytes.size(), language.StoredSize());
}

TEST(ByteFormat, StringLengthForms)
{
    EXPECT_EQ(StoredString(u""), (Bytes{0xFF, 0xFE, 0xFF, 0x00}));

    struct Form {
        std::size_t length;
        Bytes prefix;
    };
    const Form forms[] = {
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}},
        {65533, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Form& form : forms) {
        std::u16string text(form.length, u'x');
        text.front() = u'€';
        text.back() = u'\xD83D'; // a lone surrogate passes unchanged
        const Bytes bytes = StoredString(text);
        ASSERT_EQ(bytes.size(), form.prefix.size() + 2 * form.length) << form.length;
        EXPECT_TRUE(std::equal(form.prefix.begin(), form.prefix.end(), bytes.begin())) << form.length;
        EXPECT_EQ(bytes[form.prefix.size()], 0xAC); // € little-endian: AC 20
        EXPECT_EQ(bytes[form.prefix.size() + 1], 0x20);
        EXPECT_EQ(LoadedString(bytes), text) << form.length;
    }
}

TEST(ByteFormat, EightBitStringsAreDecodedAsWindows1252)
{
    EXPECT_EQ(LoadedString({0x03, 'a', 0x80, 0xE4}), u"a€ä");
    EXPECT_EQ(LoadedString({0x04, 0x8A, 0x81, 0x9F, 0xFF}), u"Š\u0081Ÿÿ");
    EXPECT_EQ(LoadedString({0x00}), u"");

    // FF and a 16-bit length; FF FFFF and a 32-bit length.
    Bytes medium = {0xFF, 0x2C, 0x01};
    medium.resize(medium.size() + 300, 'z');
    EXPECT_EQ(LoadedString(medium), std::u16string(300, u'z'));
    Bytes large = {0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c'};
    EXPECT_EQ(LoadedString(large), u"abc");

    // UTF-16 with FF and FFFF then a 32-bit length.
    EXPECT_EQ(LoadedString({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 'q', 0}), u"q");
}

TEST(ByteFormat, EightBitFileIsWrittenBackInUtf16Form)
{
    Bytes bytes;
    Append(bytes, {26});
    for (char c : std::string("_GLOSSMARK__LANGUAGE_FILE_"))
        bytes.push_back(static_cast<std::uint8_t>(c));
    AppendUInt32(bytes, 10000);
    AppendUInt32(bytes, 1);
    AppendUInt32(bytes, 0);
    Append(bytes, {4, 'P', 'r', 0xF6, 'g', 0, 0, 0, 0});
    AppendUInt32(bytes, 5);
    bytes.resize(bytes.size() + 4096, 0);
    Append(bytes, {9, 'N', 'o', 'd', 'e', 'T', 'h', 'e', 'r', 'e'});
    AppendUInt32(bytes, 0);
    Append(bytes, {2, 'O', 'K', 3, 'a', 0x84, 'b'});
    for (std::uint32_t value : {1u, 2u, 3u, 4u})
        AppendUInt32(bytes, value);

    CLanguageFile language;
    ASSERT_EQ(LoadFromBytes(bytes, language), SerializeResult::Ok);
    EXPECT_EQ(language.programName, u"Prög");
    ASSERT_NE(language.GetRoot(), nullptr);
    EXPECT_EQ(language.GetRoot()->translatedText, u"a„b");

    const Bytes written = StoreToBytes(language);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 4), (Bytes{0xFF, 0xFE, 0xFF, 0x1A}));
    CLanguageFile again;
    ASSERT_EQ(LoadFromBytes(written, again), SerializeResult::Ok);
    EXPECT_EQ(again.GetRoot()->translatedText, u"a„b");
    EXPECT_EQ(StoreToBytes(again), written);
}

TEST(ByteFormat, RoundTripIsByteExact)
{
    auto language = SmallLanguage();
    language->flags = 0xFFFFFFF2u;
    language->headerNumber1 = 123;
    language->headerNumber2 = 0x80000000u;
    language->headerText4 = u"vier";
    language->headerText5 = std::u16string(400, u'ß');
    language->flagPixels[0] = 0x00FFFFFFu;
    language->flagPixels[1023] = 0xFF000001u;
    language->GetRoot()->GetChild(2)->GetChild(0)->kindCode = -17;
    language->GetRoot()->GetChild(2)->GetChild(0)->editState = 77;
    const Bytes bytes = StoreToBytes(*language);
    EXPECT_EQ(bytes.size(), language->StoredSize());

    CLanguageFile loaded;
    ASSERT_EQ(LoadFromBytes(bytes, loaded), SerializeResult::Ok);
    EXPECT_EQ(loaded.flags, 0xFFFFFFF2u);
    EXPECT_EQ(loaded.headerNumber3, 42u);
    EXPECT_EQ(loaded.GetRoot()->GetChild(0)->GetChild(0)->height, -3);
    EXPECT_EQ(loaded.GetRoot()->CountNodes(), 10);
    EXPECT_EQ(loaded.GetRoot()->GetChild(1)->GetChild(0)->parent, loaded.GetRoot()->GetChild(1));
    EXPECT_EQ(StoreToBytes(loaded), bytes);
}

TEST(ByteFormat, HeaderReadsStopWhereTheyShould)
{
    Bytes bytes = HeaderAndFlag();
    const std::size_t headerSize = bytes.size() - 4096;
    AppendWide(bytes, u"NodeThere");
    // No node record follows: the whole read fails, the partial ones do not look.

    CLanguageFile header;
    ASSERT_EQ(LoadFromBytes(Bytes(bytes.begin(), bytes.begin() + headerSize), header, LoadKind::Header),
              SerializeResult::Ok);
    EXPECT_EQ(header.programName, u"Prog");
    EXPECT_EQ(header.headerText5, u"h5");
    EXPECT_EQ(header.headerNumber3, 0xDEADBEEFu);
    EXPECT_EQ(header.flags, 0x80000003u);
    EXPECT_EQ(header.headerNumber2, 7u);

    CLanguageFile withFlag;
    ASSERT_EQ(LoadFromBytes(bytes, withFlag, LoadKind::HeaderAndFlag), SerializeResult::Ok);
    EXPECT_EQ(withFlag.flagPixels[1023], 1023u * 0x010203u);
    EXPECT_EQ(withFlag.GetRoot(), nullptr);

    CLanguageFile whole;
    EXPECT_EQ(FailureOf(bytes, whole), CArchiveException::Cause::EndOfFile);
}

TEST(ByteFormat, WrongMagicStopsReadingAndLeavesNoTree)
{
    for (std::u16string_view magic : {u"_GLOSSMARK__LANGUAGE_FILF_", u"_glossmark__language_file_",
                                      u"_GLOSSMARK__LANGUAGE_FILE", u""}) {
        Bytes bytes = HeaderAndFlag(magic);
        AppendWide(bytes, u"NoNode");
        CLanguageFile language(std::make_unique<CTextNode>(nullptr));
        EXPECT_EQ(LoadFromBytes(bytes, language), SerializeResult::WrongMagic);
        EXPECT_EQ(language.GetRoot(), nullptr);
        EXPECT_EQ(language.programName, u"");
        EXPECT_EQ(language.headerNumber1, 10000u);

        CLanguageFile header;
        EXPECT_EQ(LoadFromBytes(bytes, header, LoadKind::Header), SerializeResult::WrongMagic);
        EXPECT_EQ(header.flags, 1u);
    }
}

TEST(ByteFormat, TreeMarkerOtherThanNodeThereMeansNoTree)
{
    Bytes bytes = HeaderAndFlag();
    AppendWide(bytes, u"nodethere");
    CLanguageFile language(std::make_unique<CTextNode>(nullptr));
    EXPECT_EQ(LoadFromBytes(bytes, language), SerializeResult::Ok);
    EXPECT_EQ(language.GetRoot(), nullptr);
    EXPECT_EQ(language.programVersion, u"1.0");
}

TEST(ByteFormat, NegativeChildCountIsALeaf)
{
    Bytes bytes = HeaderAndFlag();
    AppendWide(bytes, u"NodeThere");
    AppendUInt32(bytes, 0x80000000u);
    AppendWide(bytes, u"r");
    AppendWide(bytes, u"t");
    for (std::uint32_t value : {1u, 2u, 3u, 4u})
        AppendUInt32(bytes, value);
    CLanguageFile language;
    ASSERT_EQ(LoadFromBytes(bytes, language), SerializeResult::Ok);
    ASSERT_NE(language.GetRoot(), nullptr);
    EXPECT_EQ(language.GetRoot()->ChildCount(), 0);
    EXPECT_EQ(language.GetRoot()->editState, 4u);
}

TEST(ByteFormat, EveryTruncatedPrefixFailsWithEndOfFileAndChangesNothing)
{
    const Bytes bytes = StoreToBytes(*SmallLanguage());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        CLanguageFile language(BuildTree({u"kept", {{u"child"}}}));
        language.programName = u"before";
        const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        ASSERT_EQ(FailureOf(prefix, language), CArchiveException::Cause::EndOfFile) << size;
        ASSERT_NE(language.GetRoot(), nullptr) << size;
        EXPECT_EQ(language.GetRoot()->originalText, u"kept") << size;
        EXPECT_EQ(language.programName, u"before") << size;
    }
}

TEST(ByteFormat, LengthBeyondTheFileFailsBeforeAllocating)
{
    Bytes bytes = HeaderAndFlag();
    Append(bytes, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    CLanguageFile language;
    try {
        LoadFromBytes(bytes, language);
        FAIL() << "no failure";
    } catch (const CArchiveException& failure) {
        EXPECT_EQ(failure.cause, CArchiveException::Cause::EndOfFile);
        EXPECT_EQ(failure.offset, bytes.size() - 10); // where the string began
    }
}

TEST(ByteFormat, HugeChildCountOnlyReadsWhatIsThere)
{
    Bytes bytes = HeaderAndFlag();
    AppendWide(bytes, u"NodeThere");
    AppendUInt32(bytes, 0x7FFFFFFFu);
    Append(bytes, {0, 0});
    for (int i = 0; i < 4; ++i)
        AppendUInt32(bytes, 0);
    for (int child = 0; child < 3; ++child) {
        AppendUInt32(bytes, 0);
        Append(bytes, {0, 0});
        for (int i = 0; i < 4; ++i)
            AppendUInt32(bytes, 0);
    }
    CLanguageFile language;
    EXPECT_EQ(FailureOf(bytes, language), CArchiveException::Cause::EndOfFile);
}

TEST(ByteFormat, TreeDeeperThanTheLimitIsRefused)
{
    CLanguageFile atLimit(Chain(CLanguageFile::kMaxTreeDepth));
    CLanguageFile loaded;
    ASSERT_EQ(LoadFromBytes(StoreToBytes(atLimit), loaded), SerializeResult::Ok);
    EXPECT_EQ(loaded.GetRoot()->CountNodes(), CLanguageFile::kMaxTreeDepth + 1);

    CLanguageFile deep(Chain(100000));
    EXPECT_EQ(FailureOf(StoreToBytes(deep), loaded), CArchiveException::Cause::TooDeep);
    EXPECT_EQ(loaded.GetRoot()->CountNodes(), CLanguageFile::kMaxTreeDepth + 1);
}

} // namespace
