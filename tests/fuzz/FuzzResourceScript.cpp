// Fuzz target for resource scripts: preprocessor, lenient parser and tree builder,
// as from-rc runs them; a script either reads or fails with a message.
#include "CRcError.h"
#include "CRcParser.h"
#include "CRcPreprocessor.h"
#include "CRcResourceView.h"
#include "CResourceTreeBuilder.h"
#include "CTextNode.h"

#include <cstdint>
#include <stdexcept>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        CRcSymbols symbols;
        symbols.DefineNumber("RC_INVOKED", 1);
        CRcPreprocessor preprocessor(symbols, {});
        preprocessor.SetSkipMissingIncludes(true);
        CRcParser::Options options;
        options.lenient = true;
        CRcParser parser(
            preprocessor.ProcessText("fuzz.rc", std::string_view(reinterpret_cast<const char*>(data), size)),
            options);
        const CRcScript script = parser.Parse();
        const CRcResourceView view(script);
        CResourceTreeBuilder(view.Set()).Build();
    } catch (const CRcError&) {
    } catch (const std::runtime_error&) {
    }
    return 0;
}
