#include "SampleLanguage.h"

#include "SampleTexts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

using namespace sample_texts;

namespace {

// splitmix64: fully specified, so a seed gives the same file with every compiler and
// library (the standard distributions are not portable).
class Random {
public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int Below(int n)
    {
        if (n <= 0) {
            return 0;
        }
        return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Chance(double p) { return static_cast<double>(Next() >> 11) * 0x1.0p-53 < p; }
    template <class T>
    const T& Pick(std::span<const T> items)
    {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

private:
    std::uint64_t state;
};

struct Text {
    std::u16string original;
    std::u16string translated;
};

void ReplaceAll(std::u16string& text, std::u16string_view marker, std::u16string_view by)
{
    for (std::size_t at = text.find(marker); at != std::u16string::npos;
         at = text.find(marker, at + by.size())) {
        text.replace(at, marker.size(), by);
    }
}

std::u16string Capitalised(std::u16string_view english)
{
    std::u16string text(english);
    if (!text.empty() && text[0] >= u'a' && text[0] <= u'z') {
        text[0] = static_cast<char16_t>(text[0] - u'a' + u'A');
    }
    return text;
}

std::u16string Number(int value)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    return digits;
}

Text Fill(const TextPair& pattern, const Noun& noun, int number = 0)
{
    Text text{std::u16string(pattern.original), std::u16string(pattern.translated)};
    ReplaceAll(text.original, u"{N}", noun.german);
    ReplaceAll(text.translated, u"{n}", noun.english);
    ReplaceAll(text.translated, u"{N}", Capitalised(noun.english));
    ReplaceAll(text.original, u"#", Number(number));
    ReplaceAll(text.translated, u"#", Number(number));
    return text;
}

Text Plain(const TextPair& pair)
{
    return {std::u16string(pair.original), std::u16string(pair.translated)};
}

// Rough width in dialog units of a one-line text: about four units a character, the
// accelerator mark not counted.
int TextWidth(const std::u16string& text)
{
    std::size_t longest = 0;
    std::size_t line = 0;
    for (char16_t c : text) {
        if (c == u'\n') {
            line = 0;
        } else if (c != u'&') {
            longest = std::max(longest, ++line);
        }
    }
    return static_cast<int>(longest) * 4;
}

int LineCount(const std::u16string& text)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), u'\n'));
}

// "3.10" -> 310: the carried header number follows the version.
std::uint32_t VersionNumber(const std::u16string& version)
{
    std::uint32_t value = 0;
    for (char16_t c : version) {
        if (c >= u'0' && c <= u'9' && value < 100000000u) {
            value = value * 10 + static_cast<std::uint32_t>(c - u'0');
        }
    }
    return value;
}

constexpr COLORREF Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

void FillFlag(CLanguageFile& language, Random& random)
{
    auto& pixels = language.flagPixels;
    const std::u16string& name = language.languageName;
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 32; ++c) {
            COLORREF colour = 0;
            if (name == u"Deutsch") {
                colour = r < 11 ? Rgb(0, 0, 0) : r < 22 ? Rgb(221, 0, 0) : Rgb(255, 206, 0);
            } else if (name == u"English") {
                // A red cross with a white border on blue.
                const int dr = std::abs(2 * r - 31);
                const int dc = std::abs(2 * c - 31);
                colour = (dr <= 3 || dc <= 3)   ? Rgb(200, 16, 46)
                         : (dr <= 7 || dc <= 7) ? Rgb(255, 255, 255)
                                                : Rgb(1, 33, 105);
            } else {
                colour = 0;
            }
            pixels[static_cast<std::size_t>(r * 32 + c)] = colour;
        }
    }
    if (name != u"Deutsch" && name != u"English") {
        // Any other language: a tricolour from the seed.
        const COLORREF colours[3] = {static_cast<COLORREF>(random.Next() & 0xFFFFFF),
                                     static_cast<COLORREF>(random.Next() & 0xFFFFFF),
                                     static_cast<COLORREF>(random.Next() & 0xFFFFFF)};
        for (int r = 0; r < 32; ++r) {
            for (int c = 0; c < 32; ++c) {
                pixels[static_cast<std::size_t>(r * 32 + c)] = colours[std::min(c * 3 / 32, 2)];
            }
        }
    }
}

constexpr int kAllControlKinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 21, 22, 23, 24, 25, 99};

struct KindWeight {
    int kind;
    int weight;
};
constexpr KindWeight kControlWeights[] = {
    {3, 20}, {4, 15}, {6, 10}, {2, 8}, {7, 6}, {5, 6}, {9, 6}, {11, 5}, {10, 4}, {21, 4},
    {99, 4}, {1, 2},  {8, 2},  {22, 2}, {23, 2}, {24, 2}, {25, 2},
};

class SampleBuilder {
public:
    SampleBuilder(unsigned seed, const SampleOptions& options) : random(seed), options(options) {}

    std::unique_ptr<CLanguageFile> Build(int textCount);

    enum class Branch { Dialogs, Menus, Strings };
    // A fresh text for a node of the given kind in the given top node's branch.
    Text TextFor(Branch branch, int kind);
    Random& Rng() { return random; }

private:
    CTextNode* Add(CTextNode* parent, Text text, int kind, int width = 0, int height = 0);
    CTextNode* AddControl(CTextNode* dialog, int kind);
    void AddSwitchEntry(CTextNode* dialogs);
    void AddDialogs(CTextNode* dialogs);
    void AddDialog(CTextNode* dialogs, int index);
    void AddLanguageDialog(CTextNode* dialogs);
    void AddMenus(CTextNode* menus);
    void AddPopup(CTextNode* parent, Text title, std::span<const TextPair> fixedItems, int depth);
    void AddStrings(CTextNode* strings);
    void AssignStates(CTextNode& root);
    int PickControlKind();
    const Noun& AnyNoun() { return random.Pick(kNouns); }

    Random random;
    SampleOptions options;
    int budget = 0;
    int controlCount = 0;
    int messageNumber = 1000;
};

CTextNode* SampleBuilder::Add(CTextNode* parent, Text text, int kind, int width, int height)
{
    auto node = std::make_unique<CTextNode>(parent);
    CTextNode* raw = node.get();
    raw->originalText = std::move(text.original);
    raw->translatedText = options.original ? raw->originalText : std::move(text.translated);
    raw->kindCode = kind;
    raw->width = width;
    raw->height = height;
    if (parent != nullptr) {
        parent->AddChild(std::move(node));
        --budget;
    } else {
        node.release(); // the caller takes the root
    }
    return raw;
}

Text SampleBuilder::TextFor(Branch branch, int kind)
{
    if (branch == Branch::Menus) {
        const Noun& noun = AnyNoun();
        return kind == sample_kind::kPopup
                   ? Text{u"&" + std::u16string(noun.german), u"&" + Capitalised(noun.english)}
                   : Fill(random.Pick(kMenuItemTemplates), noun);
    }
    if (branch == Branch::Strings) {
        return kind == sample_kind::kCommandString
                   ? Fill(random.Pick(kCommandTemplates), AnyNoun())
                   : Fill(random.Pick(kMessageTemplates), AnyNoun(), messageNumber++);
    }
    switch (kind) {
    case 1:
    case 8:
        return Fill(random.Pick(kDialogTitleTemplates), AnyNoun());
    case 2:
    case 22:
        return Plain(random.Pick(kButtons));
    case 4:
        return Plain(random.Pick(kEditDefaults));
    case 5:
        return Fill(random.Pick(kGroupTemplates), AnyNoun());
    case 6:
    case 23:
        return Fill(random.Pick(kCheckTemplates), AnyNoun());
    case 7:
    case 24:
        return Plain(random.Pick(kRadios));
    case 10:
        return Plain(random.Pick(kListTexts));
    case 11:
        return Plain(random.Pick(kComboTexts));
    case 21:
        return Plain(random.Pick(kNotes));
    case 25:
        return Plain(random.Pick(kFixedSizeTexts));
    default:
        return Fill(random.Pick(kLabelTemplates), AnyNoun());
    }
}

int SampleBuilder::PickControlKind()
{
    if (controlCount < static_cast<int>(std::size(kAllControlKinds))) {
        return kAllControlKinds[controlCount];
    }
    int total = 0;
    for (const auto& entry : kControlWeights) {
        total += entry.weight;
    }
    int pick = random.Below(total);
    for (const auto& entry : kControlWeights) {
        if (pick < entry.weight) {
            return entry.kind;
        }
        pick -= entry.weight;
    }
    return 99;
}

CTextNode* SampleBuilder::AddControl(CTextNode* dialog, int kind)
{
    Text text = TextFor(Branch::Dialogs, kind);
    const int textWidth = TextWidth(text.original);
    const int lines = LineCount(text.original);
    int width = 0;
    int height = 0;
    switch (kind) {
    case 1:
    case 8:
        width = random.Between(160, 260);
        height = random.Between(80, 160);
        break;
    case 2:
    case 22:
        width = std::max(50, textWidth + 12);
        height = 14;
        break;
    case 4:
        width = random.Between(40, 140);
        height = 12;
        break;
    case 5:
        width = random.Between(100, 220);
        height = random.Between(30, 90);
        break;
    case 6:
    case 7:
    case 23:
    case 24:
        width = textWidth + 16;
        height = 10;
        break;
    case 10:
        width = random.Between(80, 200);
        height = random.Between(50, 120);
        break;
    case 11:
        width = random.Between(60, 150);
        height = random.Chance(0.5) ? 12 : random.Between(60, 100);
        break;
    case 25:
        width = textWidth + 12;
        height = random.Between(12, 14);
        break;
    default: // labels and notes
        width = textWidth + 4;
        height = 8 * lines;
        break;
    }
    ++controlCount;
    return Add(dialog, std::move(text), kind, width, height);
}

void SampleBuilder::AddSwitchEntry(CTextNode* dialogs)
{
    CTextNode* entry = Add(dialogs, Plain(kSwitchEntryTexts[0]), sample_kind::kSwitchEntry,
                           200, 200);
    for (std::size_t i = 1; i < kSwitchEntryTexts.size() && budget > 0; ++i) {
        Add(entry, Plain(kSwitchEntryTexts[i]), 99);
    }
}

void SampleBuilder::AddLanguageDialog(CTextNode* dialogs)
{
    CTextNode* dialog = Add(dialogs, {u"Sprache auswählen", u"Choose language"}, 1, 180, 160);
    for (const TextPair& name : kLanguageNames) {
        if (budget <= 2) {
            break;
        }
        Text text = Plain(name);
        const int width = TextWidth(text.original) + 16;
        Add(dialog, std::move(text), 7, width, 10);
    }
    for (const TextPair& button : kButtons.first(2)) {
        if (budget > 0) {
            Add(dialog, Plain(button), 2, 50, 14);
        }
    }
}

void SampleBuilder::AddDialog(CTextNode* dialogs, int index)
{
    // Titles are unique: template and noun first, then pairs of nouns, then numbered.
    const int templates = static_cast<int>(kDialogTitleTemplates.size());
    const int nounCount = static_cast<int>(kNouns.size());
    Text title;
    if (index < templates * nounCount) {
        const int q = index / templates;
        const int r = index % templates;
        const int noun = (q * (1 + 5 * templates) + 5 * r) % nounCount;
        title = Fill(kDialogTitleTemplates[static_cast<std::size_t>(r)],
                     kNouns[static_cast<std::size_t>(noun)]);
    } else {
        const int pair = index - templates * nounCount;
        const Noun& first = kNouns[static_cast<std::size_t>(pair % nounCount)];
        const Noun& second = kNouns[static_cast<std::size_t>((pair / nounCount + 1 + pair) % nounCount)];
        title.original = std::u16string(first.german) + u" – " + std::u16string(second.german);
        title.translated = Capitalised(first.english) + u" – " + Capitalised(second.english);
        if (pair >= nounCount * nounCount) {
            const std::u16string suffix = u" (" + Number(pair / (nounCount * nounCount) + 1) + u")";
            title.original += suffix;
            title.translated += suffix;
        }
    }
    CTextNode* dialog =
        Add(dialogs, std::move(title), sample_kind::kDialog, random.Between(180, 320),
            random.Between(100, 250));

    const bool coverAllKinds = controlCount < static_cast<int>(std::size(kAllControlKinds));
    const int body = coverAllKinds ? static_cast<int>(std::size(kAllControlKinds))
                                   : random.Between(1, 14);
    for (int i = 0; i < body && budget > 0; ++i) {
        if (!coverAllKinds && i > 1 && random.Chance(0.04)) {
            // A second control with the text of an earlier one ("Static", "Name:").
            const CTextNode* earlier = dialog->GetChild(random.Below(dialog->ChildCount()));
            Add(dialog, {earlier->originalText, earlier->translatedText}, earlier->kindCode,
                earlier->width, earlier->height);
            continue;
        }
        AddControl(dialog, PickControlKind());
    }
    const int closing = random.Chance(0.4) ? 3 : 2; // OK, Abbrechen, &Hilfe
    for (int i = 0; i < closing && budget > 0; ++i) {
        Add(dialog, Plain(kButtons[static_cast<std::size_t>(i)]), 2, 50, 14);
    }
}

void SampleBuilder::AddDialogs(CTextNode* dialogs)
{
    for (int index = 0; budget > 0; ++index) {
        if (index == 1) {
            AddLanguageDialog(dialogs);
        }
        if (budget > 0) {
            AddDialog(dialogs, index);
        }
    }
}

void SampleBuilder::AddPopup(CTextNode* parent, Text title, std::span<const TextPair> fixedItems,
                             int depth)
{
    CTextNode* popup = Add(parent, std::move(title), sample_kind::kPopup);
    if (!fixedItems.empty()) {
        for (const TextPair& item : fixedItems) {
            if (budget <= 0) {
                return;
            }
            Add(popup, Plain(item), sample_kind::kMenuItem);
        }
        return;
    }
    const Noun& noun = AnyNoun();
    const int items = random.Between(3, 10);
    for (int i = 0; i < items && budget > 0; ++i) {
        if (depth < 3 && random.Chance(0.08)) {
            AddPopup(popup, {u"&Weitere", u"&More"}, {}, depth + 1);
        } else if (random.Chance(0.7)) {
            Add(popup, Fill(random.Pick(kMenuItemTemplates), noun), sample_kind::kMenuItem);
        } else {
            Add(popup, Fill(random.Pick(kMenuItemTemplates), AnyNoun()), sample_kind::kMenuItem);
        }
    }
}

void SampleBuilder::AddMenus(CTextNode* menus)
{
    for (int index = 0; budget > 0; ++index) {
        const std::u16string id = Number(128 + index);
        CTextNode* menu = Add(menus, {u"Menü " + id, u"Menu " + id}, sample_kind::kMenu);
        if (index == 0) {
            for (const PopupTexts& popup : kMainMenu) {
                if (budget <= 0) {
                    break;
                }
                AddPopup(menu, Plain(popup.title), popup.items, 1);
            }
        } else if (index % 4 == 3) {
            // A context menu: the entry's first child is the popup itself.
            if (budget > 0) {
                const Noun& noun = AnyNoun();
                AddPopup(menu,
                         {u"Kontext: " + std::u16string(noun.german),
                          u"Context: " + std::u16string(noun.english)},
                         {}, 1);
            }
        } else {
            const int popups = random.Between(2, 6);
            for (int i = 0; i < popups && budget > 0; ++i) {
                const Noun& noun = AnyNoun();
                AddPopup(menu,
                         {u"&" + std::u16string(noun.german), u"&" + Capitalised(noun.english)},
                         {}, 1);
            }
        }
    }
}

void SampleBuilder::AddStrings(CTextNode* strings)
{
    constexpr int kBlockSize = 16;
    for (int block = 0; budget > 0; ++block) {
        const std::u16string number = Number(block + 1);
        CTextNode* node = Add(strings, {u"Zeichenfolgentabelle " + number, u"String table " + number},
                              sample_kind::kStringBlock);
        for (int i = 0; i < kBlockSize && budget > 0; ++i) {
            if (block == 0 && i < static_cast<int>(kShowcaseStrings.size())) {
                Add(node, Plain(kShowcaseStrings[static_cast<std::size_t>(i)]),
                    sample_kind::kString);
                continue;
            }
            const int choice = random.Below(100);
            if (choice < 85) {
                const int kind = choice < 60 ? sample_kind::kString : sample_kind::kCommandString;
                Add(node, TextFor(Branch::Strings, kind), kind);
            } else {
                Add(node, Fill(random.Pick(kLabelTemplates), AnyNoun()), sample_kind::kString);
            }
        }
    }
}

// Marks texts to be edited (they keep the original text as their translation), then lets
// UpdateStates give every inner node its form.
void SampleBuilder::AssignStates(CTextNode& root)
{
    if (options.original) {
        root.MarkDone();
        return;
    }
    const double share = std::clamp(options.toDoShare, 0.0, 1.0);
    std::vector<std::pair<CTextNode*, bool>> stack; // node, inside a new dialog
    for (std::int32_t t = root.ChildCount() - 1; t >= 0; --t) {
        CTextNode* top = root.GetChild(t);
        for (std::int32_t i = top->ChildCount() - 1; i >= 0; --i) {
            CTextNode* entry = top->GetChild(i);
            const bool newDialog = top->originalText == u"Dialoge" && entry->ChildCount() > 0 &&
                                   entry->kindCode != sample_kind::kSwitchEntry &&
                                   random.Chance(share / 3);
            stack.emplace_back(entry, newDialog);
        }
    }
    while (!stack.empty()) {
        auto [node, inNew] = stack.back();
        stack.pop_back();
        const bool toDo = inNew || random.Chance(share * 2 / 3);
        node->editState = toDo ? 3 : 0;
        if (toDo) {
            node->translatedText = node->originalText;
        }
        for (std::int32_t i = node->ChildCount() - 1; i >= 0; --i) {
            stack.emplace_back(node->GetChild(i), inNew);
        }
    }
    root.UpdateStates();
}

std::unique_ptr<CLanguageFile> SampleBuilder::Build(int textCount)
{
    std::unique_ptr<CTextNode> root(Add(nullptr, {}, 99));
    CTextNode* dialogs = Add(root.get(), {u"Dialoge", u"Dialoge"}, 99);
    CTextNode* menus = Add(root.get(), {u"Menus", u"Menus"}, 99);
    CTextNode* strings = Add(root.get(), {u"Stringtables", u"Stringtables"}, 99);

    int remaining = std::max(textCount, 0);
    if (options.switchEntry && remaining > 0) {
        budget = std::min(remaining, static_cast<int>(kSwitchEntryTexts.size()));
        remaining -= budget;
        AddSwitchEntry(dialogs);
    }
    const int dialogShare = static_cast<int>(static_cast<std::int64_t>(remaining) * 45 / 100);
    const int menuShare = static_cast<int>(static_cast<std::int64_t>(remaining) * 15 / 100);
    budget = dialogShare;
    AddDialogs(dialogs);
    budget = menuShare;
    AddMenus(menus);
    budget = remaining - dialogShare - menuShare;
    AddStrings(strings);

    AssignStates(*root);

    auto language = std::make_unique<CLanguageFile>(std::move(root));
    language->programName = options.programName;
    language->programVersion = options.programVersion;
    language->languageName = !options.languageName.empty() ? options.languageName
                             : options.original          ? u"Deutsch"
                                                         : u"English";
    language->headerText4 = u"Kestrow Tools";
    language->headerText5 = u"";
    language->headerNumber1 = 10000;
    language->flags = options.original ? CLanguageFile::kOriginalBit : 0u;
    language->headerNumber2 = VersionNumber(options.programVersion);
    language->headerNumber3 = options.original ? 1031u : 1033u;
    FillFlag(*language, random);
    return language;
}

} // namespace

std::unique_ptr<CLanguageFile> MakeSampleLanguage(int textCount, unsigned seed,
                                                  const SampleOptions& options)
{
    SampleBuilder builder(seed, options);
    return builder.Build(textCount);
}

std::u16string NextVersion(const std::u16string& version)
{
    std::size_t end = version.size();
    while (end > 0 && !(version[end - 1] >= u'0' && version[end - 1] <= u'9')) {
        --end;
    }
    if (end == 0) {
        return version + u" 2";
    }
    std::size_t begin = end;
    while (begin > 0 && version[begin - 1] >= u'0' && version[begin - 1] <= u'9') {
        --begin;
    }
    std::u16string digits = version.substr(begin, end - begin);
    // Add one in place, keeping leading zeros ("1.09" -> "1.10").
    std::size_t i = digits.size();
    while (i > 0) {
        --i;
        if (digits[i] == u'9') {
            digits[i] = u'0';
        } else {
            ++digits[i];
            break;
        }
        if (i == 0) {
            digits.insert(digits.begin(), u'1');
        }
    }
    return version.substr(0, begin) + digits + version.substr(end);
}

std::unique_ptr<CLanguageFile> MakeNewerVersion(const CLanguageFile& older, double changedShare,
                                                unsigned seed, const std::u16string& newVersion)
{
    SampleOptions options;
    options.original = true;
    SampleBuilder builder(seed, options);
    Random& random = builder.Rng();

    auto newer = std::make_unique<CLanguageFile>();
    newer->programName = older.programName;
    newer->programVersion = newVersion.empty() ? NextVersion(older.programVersion) : newVersion;
    newer->languageName = u"Deutsch";
    newer->headerText4 = older.headerText4;
    newer->headerText5 = older.headerText5;
    newer->headerNumber1 = older.headerNumber1;
    newer->flags = older.flags | CLanguageFile::kOriginalBit;
    newer->headerNumber2 = VersionNumber(newer->programVersion);
    newer->headerNumber3 = 1031;
    FillFlag(*newer, random);
    if (older.root == nullptr) {
        return newer;
    }

    const double share = std::clamp(changedShare, 0.0, 1.0);
    // Copies older's tree depth first; an entry without a source node stands for a new
    // sibling, appended after the subtree of the node that asked for it.
    struct Pending {
        const CTextNode* source;
        CTextNode* target; // parent of the copy
        int depth;
        int newKind;
        SampleBuilder::Branch branch;
    };
    auto root = std::make_unique<CTextNode>(nullptr);
    const CTextNode& oldRoot = *older.root;
    root->originalText = oldRoot.originalText;
    root->kindCode = oldRoot.kindCode;
    root->width = oldRoot.width;
    root->height = oldRoot.height;
    std::vector<Pending> stack;
    for (std::int32_t i = oldRoot.ChildCount() - 1; i >= 0; --i) {
        const CTextNode* top = oldRoot.GetChild(i);
        const auto branch = top->originalText == u"Menus"          ? SampleBuilder::Branch::Menus
                            : top->originalText == u"Stringtables" ? SampleBuilder::Branch::Strings
                                                                   : SampleBuilder::Branch::Dialogs;
        stack.push_back({top, root.get(), 1, 0, branch});
    }
    while (!stack.empty()) {
        const Pending item = stack.back();
        stack.pop_back();
        if (item.source == nullptr) {
            auto added = std::make_unique<CTextNode>(item.target);
            Text text = builder.TextFor(item.branch, item.newKind);
            added->originalText = std::move(text.original);
            added->kindCode = item.newKind;
            item.target->AddChild(std::move(added));
            continue;
        }
        const CTextNode& source = *item.source;
        const bool leaf = source.ChildCount() == 0;
        enum class Change { None, Reword, Remove, AddSibling } change = Change::None;
        if (item.depth >= 2 && random.Chance(share)) {
            const int roll = random.Below(100);
            change = !leaf || roll < 60 ? Change::Reword
                     : roll < 80        ? Change::Remove
                                        : Change::AddSibling;
        }
        if (change == Change::Remove) {
            continue;
        }
        auto copy = std::make_unique<CTextNode>(item.target);
        CTextNode* target = copy.get();
        target->originalText = source.originalText;
        target->kindCode = source.kindCode;
        target->width = source.width;
        target->height = source.height;
        if (change == Change::Reword) {
            target->originalText = builder.TextFor(item.branch, source.kindCode).original;
            if (target->originalText == source.originalText) {
                target->originalText += u" (neu)";
            }
        }
        item.target->AddChild(std::move(copy));
        if (change == Change::AddSibling) {
            stack.push_back({nullptr, item.target, item.depth, source.kindCode, item.branch});
        }
        for (std::int32_t i = source.ChildCount() - 1; i >= 0; --i) {
            stack.push_back({source.GetChild(i), target, item.depth + 1, 0, item.branch});
        }
    }
    // An original-language file: every text is its own translation and done.
    std::vector<CTextNode*> all{root.get()};
    while (!all.empty()) {
        CTextNode* node = all.back();
        all.pop_back();
        node->translatedText = node->originalText;
        for (std::int32_t i = 0; i < node->ChildCount(); ++i) {
            all.push_back(node->GetChild(i));
        }
    }
    root->MarkDone();
    newer->root = std::move(root);
    return newer;
}
