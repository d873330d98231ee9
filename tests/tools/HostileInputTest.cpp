// glossmark-tra used by a hostile file or a careless user: every command that reads a
// file, fed every kind of bad file, exits with 1, names the file, echoes no terminal
// escape and writes nothing; no output destroys an input, and every output is
// replaced as the language files are.

#include "LanguageFileIO.h"
#include "SampleLanguage.h"

#include "BridgeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string Repeat(const std::string& text, std::size_t times)
{
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

std::string Utf16Le(const std::string& ascii, bool bom)
{
    std::string out = bom ? "\xFF\xFE" : "";
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

// Bytes of every value, the terminal's escape among them, the same on every run.
std::string Garbage()
{
    std::string bytes;
    std::uint32_t seed = 7;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes += static_cast<char>(seed >> 16);
    }
    return "\x1B[2J" + bytes;
}

std::string Xliff(const std::string& prolog, const std::string& target)
{
    return "<?xml version=\"1.0\"?>\n" + prolog +
           "<xliff version=\"1.2\"><file><body>\n<trans-unit id=\"0.0\"><source>Kunde</source><target>" + target +
           "</target></trans-unit>\n</body></file></xliff>\n";
}

struct BadInput {
    const char* name;
    std::string bytes;
    const char* command = nullptr; // this command's message must hold says
    const char* says = nullptr;
    std::string path = {};         // an input that is no file of ours, instead of bytes
};

std::vector<BadInput> BadInputs()
{
    const std::string laughs = "<!DOCTYPE xliff [<!ENTITY a \"" + std::string(40, 'a') + "\">" +
                               "<!ENTITY b \"" + Repeat("&a;", 40) + "\"><!ENTITY c \"" + Repeat("&b;", 40) +
                               "\"><!ENTITY d \"" + Repeat("&c;", 40) + "\">]>\n";
    return {
        {"empty", "", "build", "is empty"},
        {"garbage.bin", Garbage()},
        {"long-line.txt", "\"" + std::string(100u << 20, 'x')},
        {"invalid-utf8.po", "#, fuzzy\nmsgctxt \"0.0\"\nmsgid \"Kunde\"\nmsgstr \"\xC3\x28\xFF\"\n", "import-po",
         "not valid UTF-8"},
        {"utf16-bom.po", Utf16Le("# x\nmsgid \"\"\nmsgstr \"\"\n", true), "import-po",
         "iconv -f UTF-16 -t UTF-8 or msgconv --to-code=UTF-8"},
        {"utf16.po", Utf16Le("msgid \"\"\nmsgstr \"\"\n", false), "import-po", "UTF-16"},
        {"bom-escape.txt", "\xEF\xBB\xBF\x1B]0;title\x07\x9B" "31m"},
        {"crlf.po", "#, fuzzy\r\nmsgctxt \"0.0\"\r\nmsgid \"Kunde\r\n"},
        {"nul.bin", std::string(64, '\0')},
        {"nul-msgstr.po", "#, fuzzy\nmsgctxt \"0.0\"\nmsgid \"Kunde\"\nmsgstr \"a\\0b\"\n", "import-po",
         "line 2: the entry holds a null character"},
        {"nul-string.rc", "STRINGTABLE\nBEGIN\n  1 \"a\\0b\"\nEND\n", "from-rc", "nul-string.rc:3: error:"},
        {"nul-target.xlf", Xliff("", "a&#0;b"), "import-xliff", "line 3"},
        {"deep.xlf", Xliff("", Repeat("<g>", 60000) + Repeat("</g>", 60000)), "import-xliff",
         "nested deeper than 100 levels"},
        {"laughs.xlf", Xliff(laughs, "&d;"), "import-xliff", "line 2: the document has a DTD"},
        {"external.xlf", Xliff("<!DOCTYPE xliff [<!ENTITY xxe SYSTEM \"/etc/hostname\">]>\n", "A&xxe;B"), "import-xliff",
         "DTD"},
        {"undeclared.xlf", Xliff("", "A&xxe;B"), "import-xliff", "line 3"},
        {"a folder", "", "build", "cannot read", "folder"},
        {"unreadable", "", "build", "Input/output error", "/proc/self/mem"},
    };
}

using HostileInput = tools_test::ToolTest;

// Runs glossmark-tra as a user without root's right to write anything, whoever runs the test.
std::string AsUser()
{
    return ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
}

TEST_F(HostileInput, EveryReadingCommandRefusesEveryBadFileAndWritesNothing)
{
    const std::string good = (folder / "good.tra").string();
    ASSERT_FALSE(WriteLanguageFile(*MakeSampleLanguage(50, 3), good));
    fs::create_directories(folder / "out");
    const std::string out = (folder / "out" / "out").string();
    const std::vector<std::vector<std::string>> commands = {
        {"dump", "IN"},
        {"stats", "IN"},
        {"check", "IN"},
        {"update", "IN", good, out},
        {"update", good, "IN", out},
        {"newer", "IN", "0.1", "1", out},
        {"export-po", "IN", out},
        {"export-xliff", "IN", out},
        {"build", "IN", out},
        {"import-po", good, "IN", out},
        {"import-xliff", good, "IN", out},
        {"from-rc", "IN", out, "--program=P", "--version=1"},
    };
    fs::create_directories(folder / "in" / "folder");
    for (const BadInput& input : BadInputs()) {
        const fs::path path = input.path.empty() ? folder / "in" / input.name
                              : input.path.front() == '/' ? fs::path(input.path)
                                                          : folder / "in" / input.path;
        if (input.path.empty()) {
            tools_test::WriteFile(path, input.bytes);
        }
        for (std::vector<std::string> command : commands) {
            std::replace(command.begin(), command.end(), std::string("IN"), path.string());
            const bridge_test::ProcessRun run = Tra(command);
            SCOPED_TRACE(std::string(input.name) + " -> " + command[0]);
            EXPECT_EQ(run.exitCode, 1) << run.err.substr(0, 500);
            EXPECT_NE(run.err.find(path.string()), std::string::npos) << run.err.substr(0, 500);
            EXPECT_EQ(run.err.find('\x1B'), std::string::npos) << "a raw escape reached the terminal";
            EXPECT_LT(run.err.size(), 2000u) << "input is not echoed at length";
            if (input.command != nullptr && command[0] == input.command) {
                EXPECT_NE(run.err.find(input.says), std::string::npos) << run.err;
            }
            EXPECT_TRUE(fs::is_empty(folder / "out")) << "nothing is written, not even a temporary file";
        }
        if (input.path.empty()) {
            fs::remove(path);
        }
    }
}

TEST_F(HostileInput, OutputsNeverDestroyInputsAndAreReplacedAsLanguageFilesAre)
{
    const auto path = [this](const char* name) { return (folder / name).string(); };
    ASSERT_FALSE(WriteLanguageFile(*MakeSampleLanguage(40, 3), path("lang.tra")));
    ASSERT_FALSE(WriteLanguageFile(*MakeNewerVersion(*MakeSampleLanguage(40, 3), 0.2, 4), path("newer.tra")));
    ASSERT_EQ(Tra({"export-po", path("lang.tra"), path("in.po")}).exitCode, 0);
    ASSERT_EQ(Tra({"export-xliff", path("lang.tra"), path("in.xlf")}).exitCode, 0);
    ASSERT_EQ(Tra({"dump", path("lang.tra")}).exitCode, 0);
    tools_test::WriteFile(path("in.json"), Tra({"dump", path("lang.tra")}).out);
    tools_test::WriteFile(path("in.rc"), "STRINGTABLE\nBEGIN\n  1 \"Eins\"\nEND\n");
    fs::create_hard_link(path("lang.tra"), path("alias.tra"));

    for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
             {"export-po", path("lang.tra"), path("lang.tra")},
             {"export-xliff", path("lang.tra"), path("alias.tra")},
             {"import-po", path("lang.tra"), path("in.po"), path("in.po")},
             {"import-xliff", path("lang.tra"), path("in.xlf"), path("in.xlf")},
             {"build", path("in.json"), path("in.json")},
             {"update", path("lang.tra"), path("newer.tra"), path("newer.tra")},
             {"newer", path("lang.tra"), "0.5", "1", path("alias.tra")},
             {"from-rc", path("in.rc"), path("in.rc"), "--program=P", "--version=1"}}) {
        const std::string before = golden::Read(command.back());
        const bridge_test::ProcessRun run = Tra(command);
        EXPECT_EQ(run.exitCode, 1) << command[0];
        EXPECT_NE(run.err.find("is the input"), std::string::npos) << run.err;
        EXPECT_EQ(golden::Read(command.back()), before) << command[0];
    }
    // Where the help says so, LANG is updated in place.
    EXPECT_EQ(Tra({"import-po", path("lang.tra"), path("in.po"), path("lang.tra")}).exitCode, 0);
    EXPECT_EQ(Tra({"update", path("lang.tra"), path("newer.tra"), path("lang.tra")}).exitCode, 0);

    // A leftover temporary name of an older version is not followed. (Links, modes and
    // protected files are the language file tests': every output is replaced alike.)
    tools_test::WriteFile(path("victim"), "keep");
    fs::create_symlink(path("victim"), path("out.po.part"));
    ASSERT_EQ(Tra({"export-po", path("lang.tra"), path("out.po")}).exitCode, 0);
    EXPECT_EQ(golden::Read(path("victim")), "keep");

    // A user who may not write the folder is refused, and told which.
    fs::create_directory(path("shut"));
    ::chmod(folder.c_str(), 0777);
    ::chmod(path("lang.tra").c_str(), 0644);
    ::chmod(path("shut").c_str(), 0555);
    const std::string inShut = (folder / "shut" / "out.xlf").string();
    const bridge_test::ProcessRun shut = Tra({"export-xliff", path("lang.tra"), inShut}, AsUser());
    EXPECT_EQ(shut.exitCode, 1);
    EXPECT_NE(shut.err.find("the folder \"" + path("shut") + "\" is read-only"), std::string::npos) << shut.err;
    EXPECT_TRUE(fs::is_empty(path("shut")));
}

} // namespace
