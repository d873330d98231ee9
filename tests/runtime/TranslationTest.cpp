#include "TranslationTest.h"

#include "CMessageBox.h"
#include "CProfile.h"
#include "CResources.h"
#include "EditorResources.h"
#include "Golden.h"
#include "LanguageFileIO.h"
#include "TreeText.h"
#include "UiLanguage.h"

#include <QDir>
#include <QFile>

void TranslationTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    CProfile::SetFile(dir.filePath("profile.ini"));
    CResources::Set(&EditorResources());
    m_previous = CDialog::SetModalResponder([this](CDialog& dialog) {
        if (auto* box = qobject_cast<CMessageBox*>(&dialog)) {
            boxes.push_back(box->GetText());
            return int(IDOK);
        }
        return onDialog ? onDialog(dialog) : int(IDCANCEL);
    });
}

void TranslationTest::TearDown()
{
    if (!m_previousDir.isEmpty())
        QDir::setCurrent(m_previousDir);
    UnloadTranslation();
    CDialog::SetModalResponder(m_previous);
    CProfile::SetFile({});
}

std::unique_ptr<CLanguageFile> TranslationTest::MakeLanguage()
{
    auto file = std::make_unique<CLanguageFile>(std::make_unique<CTextNode>(nullptr));
    file->programName = u"Glossmark Editor";
    file->flags = 0;
    for (const char16_t* top : {u"Dialoge", u"Menus", u"Stringtables"})
        Add(file->GetRoot(), top, top);
    return file;
}

CTextNode* TranslationTest::Top(CLanguageFile& file, const std::u16string& text)
{
    return file.GetRoot()->FindByPath(&text, 1);
}

std::string TranslationTest::PathOf(const std::string& name) const
{
    return dir.filePath(QString::fromStdString(name)).toStdString();
}

QByteArray TranslationTest::ReadBytes(const std::string& name) const
{
    QFile file(QString::fromStdString(PathOf(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

std::u16string TranslationTest::WriteBytes(const std::string& name, const QByteArray& bytes) const
{
    QFile file(QString::fromStdString(PathOf(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name;
    file.write(bytes);
    return QString::fromStdString(PathOf(name)).toStdU16String();
}

std::u16string TranslationTest::Write(const CLanguageFile& language, const std::string& name)
{
    EXPECT_FALSE(WriteLanguageFile(language, PathOf(name)));
    return QString::fromStdString(PathOf(name)).toStdU16String();
}

void TranslationTest::Install(const CLanguageFile& language, const std::string& name)
{
    ASSERT_TRUE(LoadTranslationFile(Write(language, name), false));
}

std::string TranslationTest::InstallGolden(const std::filesystem::path& input)
{
    const auto [tree, rest] = test_tree::TwoParts(golden::Read(input));
    EXPECT_FALSE(rest.empty()) << input;
    CLanguageFile language(test_tree::ReadTree(tree));
    language.programName = u"Glossmark Editor";
    language.flags = 0;
    Install(language);
    return rest;
}

std::u16string TranslationTest::ProfileEntry() const
{
    return CProfile::GetProfileString(u"Language", u"LastTraFile", u"<not written>");
}

void TranslationTest::WorkInTestFolder()
{
    m_previousDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
}
