// The flag dialog, the fonts dialog and the program fonts.
#include "CFlagDialog.h"
#include "CFontDialog.h"
#include "CFontsDialog.h"
#include "CImageBitmap.h"
#include "EditorFonts.h"
#include "resource.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// Runs dialog modally with work done in place of the user; returns DoModal's result.
int RunModal(CDialog& dialog, std::function<int(CDialog&)> work)
{
    const auto old = CDialog::SetModalResponder(std::move(work));
    const int result = int(dialog.DoModal());
    CDialog::SetModalResponder(old);
    return result;
}

// Answers the font chooser: a record on OK, nothing on cancel.
class ChooserScript {
public:
    ChooserScript()
    {
        m_old = CFontDialog::SetResponder([this](CFontDialog& chooser) {
            ++asked;
            startedFromCurrent = startedFromCurrent || chooser.HasInitial();
            if (!answer)
                return IDCANCEL;
            chooser.SetLogFont(*answer);
            return IDOK;
        });
    }
    ~ChooserScript() { CFontDialog::SetResponder(m_old); }
    ChooserScript(const ChooserScript&) = delete;
    ChooserScript& operator=(const ChooserScript&) = delete;

    std::optional<LOGFONT> answer;
    int asked = 0;
    bool startedFromCurrent = false;

private:
    CFontDialog::Responder m_old;
};

LOGFONT Courier()
{
    LOGFONT lf;
    lf.height = -20;
    lf.weight = FW_BOLD;
    lf.outPrecision = 3;
    lf.clipPrecision = 2;
    lf.quality = 1;
    lf.pitchAndFamily = FIXED_PITCH | FF_MODERN;
    lf.faceName = u"Courier New";
    return lf;
}

QLabel* Sample(CDialog& dialog, int id)
{
    return qobject_cast<QLabel*>(dialog.GetDlgItem(id).GetWidget());
}

class FontsTest : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultFonts(); }
    void TearDown() override { SetDefaultFonts(); }
};

TEST_F(FontsTest, DefaultsAreTheFixedRecords)
{
    LOGFONT text;
    text.height = -14;
    text.weight = 400;
    text.outPrecision = 1;
    text.clipPrecision = 2;
    text.quality = 1;
    text.pitchAndFamily = 0x22;
    text.faceName = u"MS Sans Serif";
    EXPECT_EQ(TextFont(), text);

    LOGFONT foreign = text;
    foreign.height = -12;
    foreign.italic = 1;
    foreign.outPrecision = 3;
    foreign.faceName = u"Arial";
    EXPECT_EQ(ForeignFont(), foreign);

    // What a restart does: back to the defaults whatever was chosen.
    TextFont() = Courier();
    ForeignFont().italic = 0;
    SetDefaultFonts();
    EXPECT_EQ(TextFont(), DefaultTextFont());
    EXPECT_EQ(ForeignFont(), DefaultForeignFont());
}

TEST_F(FontsTest, ChooserCancelKeepsTheSampleAndOkAppliesBothCopies)
{
    ChooserScript chooser;
    CFontsDialog dialog;
    const int result = RunModal(dialog, [&](CDialog& d) {
        auto& fonts = static_cast<CFontsDialog&>(d);
        // Cancel in the chooser: nothing changes.
        qobject_cast<QPushButton*>(d.GetDlgItem(IDC_FONTS_CHANGE_TEXT).GetWidget())->click();
        EXPECT_EQ(chooser.asked, 1);
        EXPECT_EQ(fonts.GetTextWorkingCopy(), DefaultTextFont());
        EXPECT_EQ(Sample(d, IDC_FONTS_TEXT_SAMPLE)->text(), QStringLiteral("MS Sans Serif"));

        chooser.answer = Courier();
        qobject_cast<QPushButton*>(d.GetDlgItem(IDC_FONTS_CHANGE_TEXT).GetWidget())->click();
        EXPECT_EQ(fonts.GetTextWorkingCopy(), Courier());
        EXPECT_EQ(Sample(d, IDC_FONTS_TEXT_SAMPLE)->text(), QStringLiteral("Courier New"));
        EXPECT_TRUE(Sample(d, IDC_FONTS_TEXT_SAMPLE)->font().bold());
        EXPECT_EQ(TextFont(), DefaultTextFont()) << "only the working copy changes";

        chooser.answer->faceName = u"DejaVu Serif";
        chooser.answer->pitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
        qobject_cast<QPushButton*>(d.GetDlgItem(IDC_FONTS_CHANGE_FOREIGN).GetWidget())->click();
        EXPECT_EQ(Sample(d, IDC_FONTS_FOREIGN_SAMPLE)->text(), QStringLiteral("DejaVu Serif"));
        fonts.OnOK();
        return IDOK;
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(chooser.startedFromCurrent);
    EXPECT_EQ(TextFont(), Courier());
    EXPECT_EQ(ForeignFont().faceName, u"DejaVu Serif");
}

TEST_F(FontsTest, SamplesShowEachFaceNameInItsFontAndAbbrechenKeepsTheProgramFonts)
{
    ChooserScript chooser;
    chooser.answer = Courier();
    CFontsDialog dialog;
    RunModal(dialog, [](CDialog& d) {
        // The samples show each face name in its font.
        QLabel* text = Sample(d, IDC_FONTS_TEXT_SAMPLE);
        QLabel* foreign = Sample(d, IDC_FONTS_FOREIGN_SAMPLE);
        EXPECT_EQ(text->text(), QStringLiteral("MS Sans Serif"));
        EXPECT_EQ(foreign->text(), QStringLiteral("Arial"));
        // A missing face is drawn in a close installed sans-serif face.
        EXPECT_EQ(text->font().family(), InstalledFaceFor(QStringLiteral("MS Sans Serif"), 0x22));
        EXPECT_FALSE(text->font().family().isEmpty());
        EXPECT_EQ(text->font().pixelSize(), 14);
        EXPECT_TRUE(foreign->font().italic());
        EXPECT_EQ(foreign->font().pixelSize(), 12);
        static_cast<CFontsDialog&>(d).OnChangeTextFont();
        static_cast<CFontsDialog&>(d).OnChangeForeignFont();
        d.OnCancel();
        return IDCANCEL;
    });
    EXPECT_EQ(TextFont(), DefaultTextFont());
    EXPECT_EQ(ForeignFont(), DefaultForeignFont());
}

TEST(FlagDialog, OffersTheFirst152FlagsAndEnablesOkForOneSelectionAndAbbrechenChoosesNothing)
{
    CFlagDialog dialog;
    CImageBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_FLAG_STRIP));
    const int result = RunModal(dialog, [&](CDialog& d) {
        auto& flags = static_cast<CFlagDialog&>(d);
        QListWidget* list = flags.GetList();
        EXPECT_EQ(list->count(), 152);
        EXPECT_EQ(list->viewMode(), QListView::IconMode);
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_TRUE(list->item(0)->text().isEmpty());
        EXPECT_FALSE(d.GetDlgItem(IDOK).IsWindowEnabled());

        // Icon 151 is strip image 151, with the mask grey transparent.
        const QImage icon = list->item(151)->icon().pixmap(32, 32).toImage();
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb source = strip.GetImage().pixel(151 * 32 + x, y);
                if (CImageBitmap::ToColorRef(source) == 0xC0C0C0u)
                    EXPECT_EQ(qAlpha(icon.pixel(x, y)), 0);
                else
                    EXPECT_EQ(icon.pixel(x, y) & 0xFFFFFF, source & 0xFFFFFF);
            }

        list->item(17)->setSelected(true);
        EXPECT_TRUE(d.GetDlgItem(IDOK).IsWindowEnabled());
        list->clearSelection();
        EXPECT_FALSE(d.GetDlgItem(IDOK).IsWindowEnabled());
        list->item(42)->setSelected(true);
        emit list->itemDoubleClicked(list->item(42));
        return IDOK;
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetChosenFlag(), 42);
    // Abbrechen chooses nothing, whatever was selected.
    CFlagDialog cancelled;
    RunModal(cancelled, [](CDialog& d) {
        static_cast<CFlagDialog&>(d).GetList()->item(3)->setSelected(true);
        d.OnCancel();
        return IDCANCEL;
    });
    EXPECT_EQ(cancelled.GetChosenFlag(), -1);
}

} // namespace
