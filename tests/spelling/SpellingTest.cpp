// Spelling with the system's Hunspell dictionaries: which words are asked,
// which are found wrong, what is suggested, and what is kept across runs.

#include "CSpeller.h"
#include "CTranslationChecker.h"
#include "TestTree.h"
#include "SpellableWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using spelling::CSpeller;

// The system's dictionaries, and word lists in a folder of this test's own.
spelling::SpellingPaths Paths(const std::string& test)
{
    spelling::SpellingPaths paths = spelling::DefaultPaths();
    paths.wordListDir = fs::temp_directory_path() / ("glossmark-spelling-" + test);
    fs::remove_all(paths.wordListDir);
    return paths;
}

std::vector<std::u16string> WordsOf(std::u16string_view text)
{
    std::vector<std::u16string> words;
    for (const auto& word : spelling::SpellableWords(text))
        words.push_back(word.word);
    return words;
}

std::vector<std::u16string> MisspeltOf(const CSpeller& speller, std::u16string_view text)
{
    std::vector<std::u16string> words;
    for (const auto& word : speller.Misspelt(text))
        words.emplace_back(text.substr(word.begin, word.end - word.begin));
    return words;
}

bool Contains(const std::vector<std::u16string>& list, std::u16string_view word)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

TEST(SpellableWords, OnlyWordsAreAskedAndMarksAreReadOutOfThem)
{
    EXPECT_EQ(WordsOf(u"Ö&ffnen &Datei %s%d Stück(e) l'application E-Mail"),
              (std::vector<std::u16string>{u"Öffnen", u"Datei", u"Stück", u"l'application",
                                           u"E-Mail"}));
    // Placeholders, escapes, numbers, addresses, dotted names, capitals, single letters.
    EXPECT_EQ(WordsOf(u"%-5.2f %I64d %1 %% \\n\\tx \\x41B 42 Win32 http://ex.am/plx "
                      u"ab@cd.ef Edit.tra z.B. Strg+Umschalt+F8 PDF E-MAIL a\tb\nc"),
              std::vector<std::u16string>{});
    // "&&" is an ampersand; the word after it starts afresh.
    const auto words = spelling::SpellableWords(u"Laden && &Speichern");
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].word, u"Speichern");
    EXPECT_EQ(words[1].begin, 9u);
    EXPECT_EQ(words[1].end, 19u);
}

TEST(Speller, GermanAndFrenchMisspellingsAreFoundWithSuggestions)
{
    const CSpeller german(u"Deutsch", Paths("de"));
    ASSERT_TRUE(german.IsActive()) << "hunspell-de-de is missing";
    EXPECT_EQ(german.Code(), "de_DE");
    EXPECT_EQ(MisspeltOf(german, u"Ö&ffnen Sie %d Dateiein mit &Speichern\tStrg+S"),
              std::vector<std::u16string>{u"Dateiein"});
    EXPECT_EQ(MisspeltOf(german, u"&Größe der Schriftart: %s\nGrösse"),
              std::vector<std::u16string>{u"Grösse"});
    const auto suggestions = german.Suggest(u"Dateiein");
    EXPECT_LE(suggestions.size(), CSpeller::kMaxSuggestions);
    EXPECT_TRUE(Contains(suggestions, u"Dateien"));
    // Words of another script are no German dictionary's business.
    EXPECT_TRUE(MisspeltOf(german, u"Sprachen: Русский, 日本語").empty());

    const CSpeller french(u"Français", Paths("fr"));
    ASSERT_TRUE(french.IsActive()) << "hunspell-fr is missing";
    EXPECT_EQ(MisspeltOf(french, u"&Ouvrir le fichier %s dans l'application introuvabel"),
              std::vector<std::u16string>{u"introuvabel"});
    EXPECT_TRUE(Contains(french.Suggest(u"introuvabel"), u"introuvable"));
}

TEST(Speller, LanguageNamesOfTheThreeInterfaceLanguagesChooseTheDictionary)
{
    const auto dirs = spelling::DefaultPaths().dictionaryDirs;
    for (const std::u16string_view name : {u"English", u"Englisch", u"Anglais", u"en", u"en-GB"})
        EXPECT_EQ(spelling::FindDictionary(name, dirs).value().code, "en_US") << name.size();
    for (const std::u16string_view name : {u"Deutsch (Schweiz)", u"German", u"Allemand", u"de_AT"})
        EXPECT_EQ(spelling::FindDictionary(name, dirs).value().code, "de_DE") << name.size();
    for (const std::u16string_view name : {u"Francais", u"Französisch", u"French", u"fr_CA"})
        EXPECT_EQ(spelling::FindDictionary(name, dirs).value().code.substr(0, 2), "fr");
}

TEST(Speller, PersonalWordsOutliveTheSpellerIgnoredWordsDoNot)
{
    const auto paths = Paths("personal");
    {
        CSpeller speller(u"de_DE", paths);
        EXPECT_FALSE(speller.IsCorrect(u"Glossmarkdatei"));
        EXPECT_TRUE(speller.AddToDictionary(u"Glossmarkdatei"));
        EXPECT_TRUE(speller.AddToDictionary(u"Glossmarkdatei")); // once in the list
        speller.IgnoreInFile(u"Kassenbuchx");
        EXPECT_TRUE(speller.Misspelt(u"Kassenbuchx und Glossmarkdatei").empty());
        speller.ForgetIgnored();
        EXPECT_FALSE(speller.IsCorrect(u"Kassenbuchx"));
    }
    const CSpeller again(u"Deutsch", paths);
    EXPECT_TRUE(again.IsCorrect(u"Glossmarkdatei"));
    EXPECT_FALSE(again.IsCorrect(u"Kassenbuchx"));
    std::ifstream list(paths.wordListDir / "Edit-words-de_DE.txt");
    std::string whole((std::istreambuf_iterator<char>(list)), {});
    EXPECT_EQ(whole, "Glossmarkdatei\n");
}

TEST(Speller, NoFittingDictionaryMeansNoSpellingWithoutErrors)
{
    auto paths = Paths("none");
    for (const std::u16string_view language : {u"Klingonisch", u"", u"xx_YY", u"../../etc/passwd"}) {
        CSpeller speller(language, paths);
        EXPECT_FALSE(speller.IsActive());
        EXPECT_TRUE(speller.Misspelt(u"Dateiein Fehlr").empty());
        EXPECT_TRUE(speller.Suggest(u"Dateiein").empty());
        EXPECT_FALSE(speller.AddToDictionary(u"Dateiein"));
    }
    paths.dictionaryDirs = {paths.wordListDir / "no-such-folder"};
    EXPECT_FALSE(CSpeller(u"de_DE", paths).IsActive());
    EXPECT_FALSE(fs::exists(paths.wordListDir));
}

// Older dictionaries are written in ISO-8859-1: words go to Hunspell in the
// dictionary's bytes, suggestions come back as UTF-16.
TEST(Speller, ADictionaryInIso88591IsAskedInItsOwnEncoding)
{
    auto paths = Paths("latin1");
    fs::create_directories(paths.wordListDir);
    std::ofstream(paths.wordListDir / "xx_XX.aff", std::ios::binary)
        << "SET ISO8859-1\nTRY \xF6\xFC\xDF" "abcdefghijklmnoprstuvwxyzGO\nREP 1\nREP ss \xDF\n";
    std::ofstream(paths.wordListDir / "xx_XX.dic", std::ios::binary)
        << "3\n\xD6" "ffnen\nGr\xFC\xDF" "e\nDatei\n";
    paths.dictionaryDirs = {paths.wordListDir};
    CSpeller speller(u"xx_XX", paths);
    ASSERT_TRUE(speller.IsActive());
    EXPECT_EQ(MisspeltOf(speller, u"Ö&ffnen Grüße Grüsse Datei"),
              std::vector<std::u16string>{u"Grüsse"});
    EXPECT_TRUE(Contains(speller.Suggest(u"Grüsse"), u"Grüße"));
    EXPECT_TRUE(speller.AddToDictionary(u"Schließen"));
    EXPECT_TRUE(CSpeller(u"xx_XX", paths).IsCorrect(u"Schließen"));
}

TEST(SpellingCheck, MisspeltWordsOfChangedTextsAreWarningsWithTheirPlace)
{
    const CSpeller german(u"de_DE", Paths("check"));
    checks::CTranslationChecker checker;
    checker.SetSpellRule([&german](std::u16string_view text) { return german.Misspelt(text); });
    test_tree::Tree tree;
    CTextNode* dialog = tree.Dialog();
    test_tree::Add(dialog, u"&Open file", u"&Öffnen Dateiein", 5);
    test_tree::Add(dialog, u"Fehlr", u"Fehlr", 5); // not translated yet: not checked
    const auto problems = checker.CheckTree(*tree.root);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].check, checks::CheckId::Spelling);
    EXPECT_EQ(problems[0].GetSeverity(), checks::Severity::Warning);
    EXPECT_EQ(problems[0].originalCount, 8);
    EXPECT_EQ(problems[0].translatedCount, 8);
    EXPECT_EQ(checks::DescribeProblem(problems[0]), u"\"Dateiein\" is not in the dictionary");
    EXPECT_EQ(checks::CheckName(problems[0].check), "spelling");
}

} // namespace
