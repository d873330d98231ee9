// Pictures of the find and replace dialogs in German and in English, and of
// a hit selected in the in-place editor; each checked by its pixels and
// written to the build tree's pictures folder to be looked at.
#include "FindTestSupport.h"

#include "QtStrings.h"
#include "UiLanguage.h"

#include <QDir>
#include <QImage>
#include <QPalette>

namespace {

void Save(const QImage& image, const QString& name)
{
    QDir().mkpath(QStringLiteral(GLOSSMARK_PICTURES_DIR));
    EXPECT_TRUE(image.save(QStringLiteral(GLOSSMARK_PICTURES_DIR "/") + name));
}

// Pixels of rect in image whose colour is (or is not) colour.
int Count(const QImage& image, const QRect& rect, QRgb colour, bool equal = true)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) == equal ? 1 : 0;
    return n;
}

// Takes the picture of the open dialog; returns its title and the texts of
// its find-next and direction controls.
std::vector<std::u16string> DialogPicture(FindHarness& f, bool replace, const char* language)
{
    CFindReplaceDialog* dialog = f.Open(replace, u"Datei", replace ? u"Akte" : u"");
    if (!dialog)
        return {};
    const QImage picture = dialog->grab().toImage();
    Save(picture, QStringLiteral("%1-dialog-%2-%3.png")
                      .arg(replace ? QStringLiteral("replace") : QStringLiteral("find"))
                      .arg(replace ? 171 : 170)
                      .arg(QLatin1String(language)));
    // The find text stands dark on the white field; the field's right part is
    // empty white.
    QWidget* field = dialog->GetDlgItem(CFindReplaceDialog::kFindWhat).GetWidget();
    const QRect r = field->geometry().adjusted(3, 3, -3, -3);
    EXPECT_GT(Count(picture, QRect(r.left(), r.top(), r.width() / 3, r.height()), 0xFFFFFF, false),
              10)
        << "text in the field";
    EXPECT_EQ(Count(picture, QRect(r.right() - 10, r.top() + 2, 8, r.height() - 4), 0xFFFFFF,
                    false),
              0)
        << "empty white behind the text";
    std::vector<std::u16string> texts{ToU16(dialog->windowTitle()),
                                      dialog->GetDlgItem(IDOK).GetWindowText(),
                                      dialog->GetDlgItem(CFindReplaceDialog::kMatchCase).GetWindowText()};
    dialog->OnCancel();
    return texts;
}

TEST(FindPictures, DialogsInGermanAndEnglish)
{
    FindHarness f(*TextsLanguage({u"Datei"}));
    EXPECT_EQ(DialogPicture(f, false, "de"),
              (std::vector<std::u16string>{u"Suchen", u"&Weitersuchen", u"Groß-/&Kleinschreibung"}));
    EXPECT_EQ(DialogPicture(f, true, "de"),
              (std::vector<std::u16string>{u"Ersetzen", u"&Weitersuchen", u"Groß-/&Kleinschreibung"}));
    ASSERT_TRUE(LoadTranslationFile(ToU16(QStringLiteral(GLOSSMARK_EDIT_TRA)), false));
    const auto findEn = DialogPicture(f, false, "en");
    const auto replaceEn = DialogPicture(f, true, "en");
    UnloadTranslation();
    EXPECT_EQ(findEn, (std::vector<std::u16string>{u"Find", u"&Find Next", u"Match &case"}));
    EXPECT_EQ(replaceEn, (std::vector<std::u16string>{u"Replace", u"&Find Next", u"Match &case"}));
}

TEST(FindPictures, AHitIsSelectedInTheEditor)
{
    FindHarness f(*SmallLanguage());
    f.Open(false, u"peichern")->OnFindNext();
    ASSERT_EQ(f.h.view.GetCurrentRow(), 7);
    CInPlaceEdit& editor = *f.h.view.GetEditor();
    QCoreApplication::processEvents();
    const QImage picture = f.h.view.grab().toImage();
    Save(picture, QStringLiteral("find-hit-selected.png"));

    // The selected characters lie on the highlight colour, the rest of the
    // field on white.
    const QRgb highlight = editor.palette().color(QPalette::Active, QPalette::Highlight).rgb();
    const QPoint at = editor.mapTo(&f.h.view, QPoint(0, 0));
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(2);
    const int from = editor.cursorRect(cursor).left();
    cursor.setPosition(10);
    const int to = editor.cursorRect(cursor).left();
    cursor.setPosition(1);
    const QRect line = editor.cursorRect(cursor);
    ASSERT_GT(to - from, 20);
    const QRect selected(at.x() + from + 2, at.y() + line.top() + 2, to - from - 4, line.height() - 4);
    const int highlighted = Count(picture, selected, highlight);
    EXPECT_GT(highlighted, selected.width() * selected.height() / 2) << "the match is selected";
    const QRect before(at.x() + 1, at.y() + line.top() + 2, std::max(1, from - 2), line.height() - 4);
    EXPECT_EQ(Count(picture, before, highlight), 0) << "\"S&\" is not";
    // The editor lies over the row's piece, in the window.
    EXPECT_GE(at.y(), 0);
    EXPECT_LT(at.y(), f.h.view.viewport()->height());
}

} // namespace
