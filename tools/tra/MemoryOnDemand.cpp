// The tm command as glossmark-tra sees it: the translation memory needs Qt Core (TMX,
// XLIFF), so it lives in a module loaded when tm runs.

#include "CommandSupport.h"
#include "MemoryCommand.h"
#include "MemoryModule.h"
#include "ToolModule.h"
#include "WidthRule.h"

const char kMemoryHelp[] = R"(  tm import FILE... [--source-language=CODE] [--target-language=CODE] [--db=PATH]
                          add the translated pairs of .tra, .po, .xlf/.xliff and .tmx files
                          to the translation memory (done texts only); a .tra's language
                          comes from its language name. Prints the pairs added and those
                          already there; a file that cannot be read adds nothing at all
  tm lookup TEXT --target-language=CODE [--json] [--limit=N] [--db=PATH]
                          the memory's translations of TEXT, best first: SCORE<TAB>ORIGINAL
                          <TAB>TRANSLATION (100 exact, below fuzzy), or JSON lines; exit
                          status 1 when there is none
  tm export OUT.tmx [--db=PATH]
                          the whole memory as TMX 1.4b
  tm fill FILE.tra OUT.tra [--target-language=CODE] [--db=PATH]
                          every text still to be edited whose original the memory knows
                          exactly takes that translation and stays to be edited (unless
                          it is too wide for its control); prints the number filled
  tm remove (--file=PATH | --program=NAME) [--db=PATH]
                          removes the pairs that came from that file or program
                          The memory is PATH, else the editor's own one (in
                          $XDG_DATA_HOME/glossmark-editor, or ~/.local/share/glossmark-editor)
)";

int RunMemoryCommand(const std::vector<std::string>& args)
{
    std::string why;
    const auto* module = static_cast<const MemoryTable*>(tra_module::Load(kMemoryModule, kMemoryEntry, why));
    if (module == nullptr) {
        return tra_command::Fail("cannot load the translation memory: " + why);
    }
    // Only fill puts texts into a file; the others need no fonts.
    if (args.empty() || args.front() != "fill") {
        return module->run(args, {});
    }
    const WidthRule widthRule;
    const checks::SizeRule rule = widthRule.Rule();
    return module->run(args, [&rule](std::int32_t kindCode, std::int32_t width, std::u16string_view text) {
        return checks::FitsSizeRule(rule, kindCode, width, text);
    });
}
