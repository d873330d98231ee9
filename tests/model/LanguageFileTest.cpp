#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace {

class FakeBitmap : public CBitmap {
public:
    FakeBitmap(std::int32_t width, std::int32_t height)
        : width(width), height(height), pixels(static_cast<std::size_t>(width * height), 0xFFFFFFFFu)
    {
    }
    std::int32_t Width() const override { return width; }
    std::int32_t Height() const override { return height; }

    std::int32_t width;
    std::int32_t height;
    std::vector<COLORREF> pixels;
};

// Records how it is used, so the tests can check that the caller's context is left
// alone and the memory context gets its previous bitmap back.
class FakeDC : public CDeviceContext {
public:
    ~FakeDC() override
    {
        if (restoredAtEnd)
            *restoredAtEnd = selected == &stock;
    }
    std::unique_ptr<CDeviceContext> CreateCompatibleDC() const override
    {
        auto memory = std::make_unique<FakeDC>();
        memory->selected = &memory->stock;
        memory->restoredAtEnd = &memoryRestored;
        ++memoryContexts;
        return memory;
    }
    std::unique_ptr<CBitmap> CreateCompatibleBitmap(std::int32_t width,
                                                    std::int32_t height) const override
    {
        return std::make_unique<FakeBitmap>(width, height);
    }
    CBitmap* SelectObject(CBitmap* bitmap) override
    {
        CBitmap* previous = selected;
        selected = bitmap;
        return previous;
    }
    COLORREF GetPixel(std::int32_t x, std::int32_t y) const override
    {
        auto& bitmap = static_cast<FakeBitmap&>(*selected);
        return bitmap.pixels[static_cast<std::size_t>(y * bitmap.width + x)];
    }
    void SetPixel(std::int32_t x, std::int32_t y, COLORREF color) override
    {
        auto& bitmap = static_cast<FakeBitmap&>(*selected);
        bitmap.pixels[static_cast<std::size_t>(y * bitmap.width + x)] = color;
    }

    FakeBitmap stock{1, 1};
    CBitmap* selected = nullptr;
    bool* restoredAtEnd = nullptr;
    mutable bool memoryRestored = false;
    mutable int memoryContexts = 0;
};

TEST(LanguageFile, SetOriginalTouchesBitZeroOnly)
{
    CLanguageFile language;
    language.flags = 0xF0u | CLanguageFile::kSwitchListBit | CLanguageFile::kOriginalBit;
    language.SetOriginal(false);
    EXPECT_EQ(language.flags, 0xF2u);
    EXPECT_FALSE(language.IsOriginal());
    language.SetOriginal(true);
    EXPECT_EQ(language.flags, 0xF3u);
}

TEST(LanguageFile, CopyIsDeepAndComplete)
{
    CLanguageFile language(BuildTree({u"", {{u"Dialoge", {{u"x", {}, u"y", 3}}}}}));
    language.SetProgramName(u"p");
    language.SetProgramVersion(u"v");
    language.SetLanguageName(u"l");
    language.SetHeaderText4(u"4");
    language.SetHeaderText5(u"5");
    language.headerNumber1 = 1;
    language.headerNumber2 = 2;
    language.headerNumber3 = 3;
    language.flags = 0x12u;
    language.flagPixels[77] = 0x00ABCDEFu;
    CTextNode* node = language.GetRoot()->GetChild(0)->GetChild(0);
    node->width = 50;
    node->height = -14;
    node->kindCode = 1234; // unknown codes are carried

    auto copy = language.Copy();
    EXPECT_EQ(StoreToBytes(*copy), StoreToBytes(language));
    ASSERT_NE(copy->GetRoot(), language.GetRoot());
    EXPECT_EQ(copy->GetRoot()->GetChild(0)->GetChild(0)->parent, copy->GetRoot()->GetChild(0));
    copy->GetRoot()->GetChild(0)->GetChild(0)->translatedText = u"changed";
    EXPECT_EQ(language.GetRoot()->GetChild(0)->GetChild(0)->translatedText, u"y");

    CLanguageFile empty;
    EXPECT_EQ(empty.Copy()->GetRoot(), nullptr);
}

TEST(LanguageFile, FlagBitmapReproducesTheSquareItWasTakenFrom)
{
    FakeBitmap strip(32 * 4, 32);
    for (std::int32_t y = 0; y < strip.height; ++y)
        for (std::int32_t x = 0; x < strip.width; ++x)
            strip.pixels[static_cast<std::size_t>(y * strip.width + x)] =
                static_cast<COLORREF>((x << 8) | y);

    FakeDC screen;
    CLanguageFile language;
    language.SetFlagFromBitmap(screen, strip, 64, 0);
    EXPECT_EQ(language.flagPixels[0], COLORREF{64 << 8});
    EXPECT_EQ(language.flagPixels[31 * 32 + 1], COLORREF{(65 << 8) | 31});
    EXPECT_EQ(screen.memoryContexts, 1);
    EXPECT_TRUE(screen.memoryRestored);
    EXPECT_EQ(screen.selected, nullptr); // the caller's context is not drawn on

    screen.memoryRestored = false;
    std::unique_ptr<CBitmap> flag = language.CreateFlagBitmap(screen);
    EXPECT_TRUE(screen.memoryRestored);
    ASSERT_EQ(flag->Width(), 32);
    ASSERT_EQ(flag->Height(), 32);
    const auto& made = static_cast<FakeBitmap&>(*flag);
    for (std::int32_t r = 0; r < 32; ++r)
        for (std::int32_t c = 0; c < 32; ++c)
            ASSERT_EQ(made.pixels[static_cast<std::size_t>(r * 32 + c)],
                      strip.pixels[static_cast<std::size_t>(r * strip.width + 64 + c)]);
}

} // namespace
