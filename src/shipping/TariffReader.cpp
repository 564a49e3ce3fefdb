#include "shipping/TariffReader.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "shipping/TariffRules.h"
#include "text/Encoding.h"
#include "text/Files.h"

namespace torepal {

const std::array<const char*, 47>& OfficialPrefectureNames()
{
    static const std::array<const char*, 47> names = {
        "北海道", "青森県", "秋田県", "岩手県", "宮城県",   "山形県", "福島県",              //  0- 6
        "茨城県", "栃木県", "群馬県", "埼玉県", "千葉県",   "東京都", "神奈川県", "山梨県",  //  7-14
        "新潟県", "長野県",                                                                  // 15-16
        "静岡県", "愛知県", "三重県", "岐阜県",                                              // 17-20
        "富山県", "石川県", "福井県",                                                        // 21-23
        "大阪府", "京都府", "滋賀県", "奈良県", "和歌山県", "兵庫県",                        // 24-29
        "岡山県", "広島県", "山口県", "鳥取県", "島根県",                                    // 30-34
        "香川県", "徳島県", "愛媛県", "高知県",                                              // 35-38
        "福岡県", "佐賀県", "長崎県", "大分県", "熊本県",   "宮崎県", "鹿児島県",            // 39-45
        "沖縄県",                                                                            // 46
    };
    return names;
}

namespace {

// Thrown inside one file's reading and caught at its end, so a file is
// either read whole or refused.
struct Refusal {
    int line;
    std::string reason;
};

[[noreturn]] void Refuse(int line, std::string reason)
{
    throw Refusal{line, std::move(reason)};
}

int LineOf(const toml::node& n)
{
    return static_cast<int>(n.source().begin.line);
}

std::string Quoted(std::string_view key)
{
    return "「" + std::string(key) + "」";
}

// Where each part of the service stood in the file, so a fault the shared
// rules find in the read service is reported at its line.
struct SourceLines {
    int name = 0, carrier = 0, source = 0, date = 0, order = 0, shape = 0;
    int flatPrice = 0, flatWeight = 0;
    int variants = 0;
    std::vector<int> variant;
    std::vector<std::vector<int>> band;
    int sizes = 0;
    std::vector<int> size;
    int regions = 0;
    std::vector<int> region;
    std::vector<std::vector<int>> prefecture;
    int prices = 0;
    std::vector<int> origin;
    std::vector<std::vector<int>> destination;
    std::array<int, 4> limit{};
    std::vector<std::array<int, 4>> variantLimit;

    static int At(const std::vector<int>& v, int i, int fallback)
    {
        return i >= 0 && static_cast<std::size_t>(i) < v.size() && v[static_cast<std::size_t>(i)] > 0
                   ? v[static_cast<std::size_t>(i)]
                   : fallback;
    }
    static int At(const std::vector<std::vector<int>>& v, int i, int j, int fallback)
    {
        return i >= 0 && static_cast<std::size_t>(i) < v.size() ? At(v[static_cast<std::size_t>(i)], j, fallback)
                                                                : fallback;
    }

    int of(const TariffCell& c) const
    {
        // The service's own values, one line each.
        static constexpr std::pair<TariffField, int SourceLines::*> kOwnValues[] = {
            {TariffField::Name, &SourceLines::name},
            {TariffField::Carrier, &SourceLines::carrier},
            {TariffField::Source, &SourceLines::source},
            {TariffField::Date, &SourceLines::date},
            {TariffField::Order, &SourceLines::order},
            {TariffField::FlatPrice, &SourceLines::flatPrice},
            {TariffField::FlatWeight, &SourceLines::flatWeight},
        };
        for (const auto& [field, line] : kOwnValues)
            if (c.field == field) return this->*line;
        switch (c.field) {
            case TariffField::VariantName:
            case TariffField::Bands:
                return At(variant, c.group, variants);
            case TariffField::BandWeight:
            case TariffField::BandPrice:
                return At(band, c.group, c.row, At(variant, c.group, variants));
            case TariffField::Sizes:
                return sizes;
            case TariffField::SizeCm:
            case TariffField::SizeGrams:
                return At(size, c.row, sizes);
            case TariffField::Regions:
            case TariffField::PrefectureMissing:
                return regions;
            case TariffField::RegionName:
                return At(region, c.row, regions);
            case TariffField::Prefecture:
                return At(prefecture, c.row, c.column, At(region, c.row, regions));
            case TariffField::Price:
            case TariffField::PriceRow:
                return At(destination, c.row, c.column, At(origin, c.row, prices));
            case TariffField::Limit: {
                if (c.row < 0 || c.row >= 4) return 0;
                const auto r = static_cast<std::size_t>(c.row);
                if (c.group < 0) return limit[r];
                const auto g = static_cast<std::size_t>(c.group);
                return g < variantLimit.size() && variantLimit[g][r] > 0 ? variantLimit[g][r]
                                                                         : At(variant, c.group, variants);
            }
            default:  // the service as a whole, or one of its own values above
                break;
        }
        return 0;
    }
};

const toml::node& Required(const toml::table& t, std::string_view key, int line)
{
    const toml::node* n = t.get(key);
    if (!n) Refuse(line, Quoted(key) + "がありません。");
    return *n;
}

// A text the page will show: one line that Shift-JIS can hold.
std::string CheckedText(const toml::node& n, std::string_view what)
{
    const auto* s = n.as_string();
    if (!s)
        Refuse(LineOf(n), what.empty() ? "文字列（\"...\"）で書いてください。"
                                       : Quoted(what) + "は文字列（\"...\"）で書いてください。");
    const std::string& v = s->get();
    if (auto fault = TextFault(v, what)) Refuse(LineOf(n), *fault);
    return v;
}

std::string Text(const toml::table& t, std::string_view key, int line, int* at = nullptr)
{
    const toml::node& n = Required(t, key, line);
    if (at) *at = LineOf(n);
    return CheckedText(n, key);
}

// Out-of-range numbers are refused here, at their node, so every number the
// rules see fits an int.
int WholeNumber(const toml::node& n, std::int64_t lowest, std::int64_t highest, const std::string& what)
{
    const auto* i = n.as_integer();
    if (!i) Refuse(LineOf(n), what + "は整数で書いてください。");
    if (auto fault = NumberFault(i->get(), lowest, highest, what)) Refuse(LineOf(n), *fault);
    return static_cast<int>(i->get());
}

int Yen(const toml::node& n)
{
    if (n.as_floating_point() || n.as_string()) Refuse(LineOf(n), "料金は1円以上の整数（円）で書いてください。");
    return WholeNumber(n, 1, kMostTariffYen, "料金");
}

int Grams(const toml::node& n)
{
    return WholeNumber(n, 1, kMostTariffGrams, "重さ（g）");
}

TariffDate CheckedDate(const toml::node& n)
{
    const auto* d = n.as_date();
    if (!d) Refuse(LineOf(n), "日付ではありません（2024-10-01 のように引用符なしで書いてください）。");
    const toml::date v = d->get();
    const TariffDate date{v.year, v.month, v.day};
    if (auto fault = DateFault(date)) Refuse(LineOf(n), *fault);
    return date;
}

const toml::array& ArrayOf(const toml::node& n, const std::string& what)
{
    const auto* a = n.as_array();
    if (!a) Refuse(LineOf(n), what + "は [ ... ] の形で書いてください。");
    return *a;
}

// The tables of "[[key]]" ([[variant]], [[region]]): at least one, and only
// tables. `keyLine` is where the key stands.
const toml::array& TablesOf(const toml::table& t, const char* key, int line, int& keyLine, const char* refusal)
{
    const toml::node& node = Required(t, key, line);
    keyLine = LineOf(node);
    const auto* list = node.as_array();
    if (!list || list->empty() || !list->is_array_of_tables()) Refuse(LineOf(node), refusal);
    return *list;
}

// "[上限, 値]": a pair of whole numbers in a list.
std::pair<const toml::node*, const toml::node*> Pair(const toml::node& n, const std::string& what)
{
    const toml::array& a = ArrayOf(n, what);
    if (a.size() != 2) Refuse(LineOf(n), what + "は [上限, 値] の二つの数で書いてください。");
    return {a.get(0), a.get(1)};
}

// A size limit in centimetres, whole or with one decimal ("24.8"), kept in
// millimetres. The range is the shared rules' to judge.
int LimitMm(const toml::node& n, std::string_view key)
{
    double cm = 0;
    if (const auto* i = n.as_integer()) {
        if (i->get() < 0 || i->get() > kMostTariffCm)
            Refuse(LineOf(n), Quoted(key) + "の値が大きすぎるか、負の数です。");
        cm = static_cast<double>(i->get());
    } else if (const auto* f = n.as_floating_point()) {
        cm = f->get();
        if (!(cm >= 0 && cm <= static_cast<double>(kMostTariffCm)))
            Refuse(LineOf(n), Quoted(key) + "の値が大きすぎるか、負の数です。");
    } else {
        Refuse(LineOf(n), Quoted(key) + "は 34 や 24.8 のような数（cm）で書いてください。");
    }
    const double mm = std::round(cm * 10);
    if (std::fabs(cm * 10 - mm) > 1e-6)
        Refuse(LineOf(n), Quoted(key) + "は小数第1位まで（0.1cm単位）で書いてください。");
    return static_cast<int>(mm);
}

void ReadLimits(const toml::table& t, ParcelLimits& limits, std::array<int, 4>& at)
{
    const auto& entries = LimitEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const toml::node* n = t.get(entries[i].key);
        if (!n) continue;
        at[i] = LineOf(*n);
        limits.*entries[i].member = LimitMm(*n, entries[i].key);
        if (limits.*entries[i].member == 0)
            Refuse(LineOf(*n), Quoted(entries[i].key) + "に0は書けません（上限がなければ行ごと消してください）。");
    }
}

void ReadFlat(const toml::table& t, Tariff& tariff, int line, SourceLines& lines)
{
    const toml::node& price = Required(t, "price", line);
    lines.flatPrice = LineOf(price);
    tariff.flatYen = Yen(price);
    const toml::node& weight = Required(t, "max_weight_g", line);
    lines.flatWeight = LineOf(weight);
    tariff.flatMaxGrams = Grams(weight);
}

std::vector<WeightBand> Bands(const toml::node& n, std::vector<int>& lines)
{
    const toml::array& list = ArrayOf(n, "bands");
    std::vector<WeightBand> bands;
    for (const toml::node& entry : list) {
        const auto [weight, price] = Pair(entry, "重さの区切り");
        bands.push_back(WeightBand{Grams(*weight), Yen(*price)});
        lines.push_back(LineOf(entry));
    }
    return bands;
}

void ReadBands(const toml::table& t, Tariff& tariff, int line, SourceLines& lines)
{
    for (const toml::node& entry :
         TablesOf(t, "variant", line, lines.variants, "料金の列は [[variant]] の表で書いてください。")) {
        const toml::table& v = *entry.as_table();
        TariffVariant variant;
        if (const toml::node* name = v.get("name")) variant.name = CheckedText(*name, "name");
        lines.variant.push_back(LineOf(entry));
        lines.band.emplace_back();
        lines.variantLimit.emplace_back();
        ReadLimits(v, variant.limits, lines.variantLimit.back());
        const toml::node& bands = Required(v, "bands", LineOf(entry));
        lines.variant.back() = ArrayOf(bands, "bands").empty() ? LineOf(bands) : LineOf(entry);
        variant.bands = Bands(bands, lines.band.back());
        tariff.variants.push_back(std::move(variant));
    }
}

void ReadRegions(const toml::table& t, Tariff& tariff, int line, SourceLines& lines)
{
    const toml::node& sizesNode = Required(t, "sizes", line);
    lines.sizes = LineOf(sizesNode);
    for (const toml::node& entry : ArrayOf(sizesNode, "sizes")) {
        const auto [cm, grams] = Pair(entry, "大きさの区分");
        tariff.sizeClasses.push_back(SizeClass{WholeNumber(*cm, 1, kMostTariffCm, "三辺の合計（cm）"), Grams(*grams)});
        lines.size.push_back(LineOf(entry));
    }

    for (const toml::node& entry :
         TablesOf(t, "region", line, lines.regions, "地域は [[region]] の表で書いてください。")) {
        const toml::table& r = *entry.as_table();
        TariffRegion region;
        region.name = Text(r, "name", LineOf(entry));
        lines.region.push_back(LineOf(entry));
        lines.prefecture.emplace_back();
        const toml::node& prefNode = Required(r, "prefectures", LineOf(entry));
        for (const toml::node& p : ArrayOf(prefNode, "prefectures")) {
            region.prefectures.push_back(CheckedText(p, "prefectures"));
            lines.prefecture.back().push_back(LineOf(p));
        }
        tariff.regions.push_back(std::move(region));
    }

    // A key that names no region cannot be kept in the service at all, so it
    // is refused here; every other fault of the table is left to the rules.
    auto regionIndex = [&](const toml::key& key) {
        for (std::size_t i = 0; i < tariff.regions.size(); ++i)
            if (tariff.regions[i].name == key.str()) return i;
        Refuse(static_cast<int>(key.source().begin.line), Quoted(key.str()) + "という地域はありません。");
    };

    const toml::node& pricesNode = Required(t, "prices", line);
    lines.prices = LineOf(pricesNode);
    const auto* prices = pricesNode.as_table();
    if (!prices) Refuse(LineOf(pricesNode), "料金は [prices.\"発地域\"] の表で書いてください。");
    const std::size_t n = tariff.regions.size();
    tariff.regionYen.assign(n, {});
    lines.origin.assign(n, 0);
    lines.destination.assign(n, std::vector<int>(n, 0));
    for (const auto& [originKey, originNode] : *prices) {
        const std::size_t origin = regionIndex(originKey);
        lines.origin[origin] = LineOf(originNode);
        const auto* row = originNode.as_table();
        if (!row) Refuse(LineOf(originNode), Quoted(originKey.str()) + "発の料金は表で書いてください。");
        std::vector<std::vector<int>> yen(n);
        for (const auto& [destKey, destNode] : *row) {
            const std::size_t dest = regionIndex(destKey);
            lines.destination[origin][dest] = LineOf(destNode);
            for (const toml::node& y : ArrayOf(destNode, "料金")) yen[dest].push_back(Yen(y));
        }
        tariff.regionYen[origin] = std::move(yen);
    }
}

Tariff ReadTable(std::string_view id, const toml::table& t)
{
    Tariff tariff;
    SourceLines lines;
    tariff.id = std::string(id);
    tariff.name = Text(t, "name", 0, &lines.name);
    tariff.carrier = Text(t, "carrier", 0, &lines.carrier);
    tariff.source = Text(t, "source", 0, &lines.source);

    const toml::node* effective = t.get("effective");
    const toml::node* inForce = t.get("in_force");
    if (effective && inForce) Refuse(LineOf(*inForce), "「effective」と「in_force」はどちらか一つだけ書いてください。");
    if (!effective && !inForce) Refuse(0, "料金の日付（「effective」か「in_force」）がありません。");
    lines.date = LineOf(effective ? *effective : *inForce);
    tariff.date = CheckedDate(effective ? *effective : *inForce);
    tariff.dateKind = effective ? TariffDateKind::Effective : TariffDateKind::InForce;

    if (const toml::node* order = t.get("order")) {
        lines.order = LineOf(*order);
        tariff.order = WholeNumber(*order, 0, kMostTariffOrder, "「order」");
    }

    ReadLimits(t, tariff.limits, lines.limit);

    const toml::node& shapeNode = Required(t, "shape", 0);
    lines.shape = LineOf(shapeNode);
    const auto* shape = shapeNode.as_string();
    const std::string shapeName = shape ? shape->get() : std::string();
    if (shapeName == "flat") {
        tariff.shape = TariffShape::Flat;
        ReadFlat(t, tariff, LineOf(shapeNode), lines);
    } else if (shapeName == "bands") {
        tariff.shape = TariffShape::Bands;
        ReadBands(t, tariff, LineOf(shapeNode), lines);
    } else if (shapeName == "regions") {
        tariff.shape = TariffShape::Regions;
        ReadRegions(t, tariff, LineOf(shapeNode), lines);
    } else {
        Refuse(LineOf(shapeNode), "料金の形" + (shape ? Quoted(shapeName) : std::string()) +
                                      "は使えません（flat、bands、regions のどれかです）。");
    }
    if (const std::optional<TariffFault> fault = ValidateTariff(tariff)) Refuse(lines.of(fault->cell), fault->reason);
    return tariff;
}

std::string Utf8Of(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// File names and reasons may quote characters Shift-JIS cannot hold; in the
// seller's message they stand as "?" rather than vanish.
std::string SjisShowingUnmappable(std::string utf8)
{
    const SjisConversion first = SjisFromUtf8(utf8);
    if (first.ok()) return first.text;
    for (char32_t c : first.unmappable) {
        const std::string bytes = Utf8Of(c);
        for (std::size_t at = utf8.find(bytes); at != std::string::npos; at = utf8.find(bytes, at + 1))
            utf8.replace(at, bytes.size(), "?");
    }
    return SjisFromUtf8(utf8).text;
}

std::string Lowered(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Debian's toml++ (3.x) decides whether a character outside a string is a
// kind of blank with a table lookup that reaches undefined behaviour for
// some characters (hiragana and Japanese punctuation among them) right after
// a value. TOML allows nothing beyond ASCII outside strings and comments
// anyway, so such a file is refused here, before the parser sees it; so is a
// backslash before such a character inside a basic string, which is no
// escape TOML knows. Returns the line of the first one, 0 when there is none.
int LineOfCharacterOutsideStrings(std::string_view t)
{
    int line = 1;
    std::size_t i = t.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;  // a byte order mark
    auto at = [&](std::string_view s) { return t.substr(i, s.size()) == s; };
    auto beyondAscii = [&](std::size_t k) { return k < t.size() && static_cast<unsigned char>(t[k]) >= 0x80; };
    // Inside a string: steps over an escape; false when it is a backslash
    // before a character beyond ASCII.
    auto escape = [&]() {
        if (beyondAscii(i + 1)) return false;
        if (i + 1 < t.size() && t[i + 1] == '\n') ++line;
        i += 2;
        return true;
    };
    while (i < t.size()) {
        const char c = t[i];
        if (c == '\n') {
            ++line;
            ++i;
        } else if (c == '#') {
            while (i < t.size() && t[i] != '\n') ++i;
        } else if (at("\"\"\"") || at("'''")) {
            const std::string close(3, c);
            for (i += 3; i < t.size() && !at(close);) {
                if (c == '"' && t[i] == '\\') {
                    if (!escape()) return line;
                    continue;
                }
                if (t[i] == '\n') ++line;
                ++i;
            }
            i += 3;
        } else if (c == '"' || c == '\'') {
            for (++i; i < t.size() && t[i] != c && t[i] != '\n';) {
                if (c == '"' && t[i] == '\\') {
                    if (!escape()) return line;
                    continue;
                }
                ++i;
            }
            if (i < t.size() && t[i] == c) ++i;
        } else if (beyondAscii(i)) {
            return line;
        } else {
            ++i;
        }
    }
    return 0;
}

}  // namespace

bool IsServiceId(std::string_view id)
{
    if (id.empty() || id.size() > 64) return false;
    for (char c : id)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return false;
    return true;
}

std::variant<Tariff, TariffProblem> ReadTariffText(std::string_view id, std::string_view utf8,
                                                   const std::string& fileName)
{
    if (const int line = LineOfCharacterOutsideStrings(utf8); line != 0)
        return TariffProblem{
            fileName, line,
            "文字列（\"…\"）とコメント（#…）の外に、全角の文字や空白などTOMLが許さない文字があります。"};
    try {
        const toml::table table = toml::parse(utf8);
        return ReadTable(id, table);
    } catch (const toml::parse_error& e) {
        return TariffProblem{fileName, static_cast<int>(e.source().begin.line),
                             "TOMLとして読めません（" + std::string(e.description()) + "）。"};
    } catch (const Refusal& r) {
        return TariffProblem{fileName, r.line, r.reason};
    }
}

TariffFolder ReadTariffFolder(const std::filesystem::path& folder)
{
    TariffFolder out;
    std::error_code ec;
    if (!std::filesystem::exists(folder, ec)) return out;
    std::vector<std::filesystem::path> files;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) {
        out.problems.push_back({folder.filename().string(), 0, "フォルダを読めません。"});
        return out;
    }
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.front() == '.') continue;
        if (Lowered(entry.path().extension().string()) != kTariffExtension) continue;
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());

    for (const std::filesystem::path& file : files) {
        const std::string name = file.filename().string();
        const std::string id = file.stem().string();
        if (!IsServiceId(id)) {
            out.problems.push_back({name, 0, "ファイル名は半角の英数字と「-」「_」だけにしてください。"});
            continue;
        }
        const ReadResult read = ReadWholeFile(file, kLargestTariffFile);
        if (!read.ok()) {
            out.problems.push_back(
                {name, 0, read.status == ReadStatus::TooLarge ? "ファイルが大きすぎます。" : "ファイルを読めません。"});
            continue;
        }
        auto result = ReadTariffText(id, read.bytes, name);
        if (auto* problem = std::get_if<TariffProblem>(&result)) {
            out.problems.push_back(std::move(*problem));
            continue;
        }
        Tariff& tariff = std::get<Tariff>(result);
        // Two files whose names differ only in case would be one id on a
        // seller's other computer; the project file could not tell them apart.
        const auto same = std::find_if(out.services.begin(), out.services.end(),
                                       [&](const Tariff& t) { return Lowered(t.id) == Lowered(tariff.id); });
        if (same != out.services.end()) {
            out.problems.push_back({name, 0, "同じ名前（大文字と小文字の違いだけ）のファイルがあります。"});
            continue;
        }
        out.services.push_back(std::move(tariff));
    }
    std::stable_sort(out.services.begin(), out.services.end(), [](const Tariff& a, const Tariff& b) {
        return a.order != b.order ? a.order < b.order : a.id < b.id;
    });
    return out;
}

std::string DescribeTariffProblem(const TariffProblem& p)
{
    return p.file + (p.line > 0 ? ":" + std::to_string(p.line) : std::string()) + ": " + p.reason;
}

std::string TariffProblemsMessage(const std::vector<TariffProblem>& problems)
{
    if (problems.empty()) return {};
    std::string text = "次の料金ファイルは誤りがあるため使いません。直すと次の起動から表示されます。\r\n";
    for (const TariffProblem& p : problems) {
        text += "\r\n・" + p.file;
        if (p.line > 0) text += "（" + std::to_string(p.line) + "行目）";
        text += "：" + p.reason;
    }
    // File names and reasons may quote characters Shift-JIS cannot hold;
    // they become "?" here rather than vanish.
    return SjisShowingUnmappable(text);
}

std::string JapaneseDate(const TariffDate& d)
{
    return std::to_string(d.year) + "年" + std::to_string(d.month) + "月" + std::to_string(d.day) + "日";
}

}  // namespace torepal
