#include "shipping/TariffReader.h"

#include <toml++/toml.h>

#include <algorithm>
#include <set>

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

// Limits far beyond any real rate card; they keep every number an int.
constexpr std::int64_t kMostYen = 10'000'000;
constexpr std::int64_t kMostGrams = 1'000'000;
constexpr std::int64_t kMostCm = 1'000;
constexpr std::int64_t kMostOrder = 9'999;

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
    if (v.empty()) Refuse(LineOf(n), Quoted(what) + "が空です。");
    if (v.find_first_of("\r\n") != std::string::npos) Refuse(LineOf(n), Quoted(what) + "に改行は書けません。");
    const SjisConversion c = SjisFromUtf8(v);
    if (!c.ok())
        Refuse(LineOf(n),
               Quoted(what) + "にShift-JISで書けない文字があります（" + DescribeCharacters(c.unmappable) + "）。");
    return v;
}

std::string Text(const toml::table& t, std::string_view key, int line)
{
    return CheckedText(Required(t, key, line), key);
}

int WholeNumber(const toml::node& n, std::int64_t lowest, std::int64_t highest, const std::string& what)
{
    const auto* i = n.as_integer();
    if (!i) Refuse(LineOf(n), what + "は整数で書いてください。");
    const std::int64_t v = i->get();
    if (v < lowest || v > highest)
        Refuse(LineOf(n), what + "は" + std::to_string(lowest) + "～" + std::to_string(highest) + "にしてください（" +
                              std::to_string(v) + "）。");
    return static_cast<int>(v);
}

int Yen(const toml::node& n)
{
    if (n.as_floating_point() || n.as_string()) Refuse(LineOf(n), "料金は1円以上の整数（円）で書いてください。");
    return WholeNumber(n, 1, kMostYen, "料金");
}

int Grams(const toml::node& n)
{
    return WholeNumber(n, 1, kMostGrams, "重さ（g）");
}

bool IsLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

TariffDate CheckedDate(const toml::node& n)
{
    const auto* d = n.as_date();
    if (!d) Refuse(LineOf(n), "日付ではありません（2024-10-01 のように引用符なしで書いてください）。");
    const toml::date v = d->get();
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int year = v.year, month = v.month, day = v.day;
    if (year < 1900 || month < 1 || month > 12 || day < 1 ||
        day > kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0))
        Refuse(LineOf(n), "日付が正しくありません。");
    return TariffDate{year, month, day};
}

const toml::array& ArrayOf(const toml::node& n, const std::string& what)
{
    const auto* a = n.as_array();
    if (!a) Refuse(LineOf(n), what + "は [ ... ] の形で書いてください。");
    return *a;
}

// "[上限, 値]": a pair of whole numbers in a list.
std::pair<const toml::node*, const toml::node*> Pair(const toml::node& n, const std::string& what)
{
    const toml::array& a = ArrayOf(n, what);
    if (a.size() != 2) Refuse(LineOf(n), what + "は [上限, 値] の二つの数で書いてください。");
    return {a.get(0), a.get(1)};
}

void ReadFlat(const toml::table& t, Tariff& tariff, int line)
{
    tariff.flatYen = Yen(Required(t, "price", line));
    tariff.flatMaxGrams = Grams(Required(t, "max_weight_g", line));
}

std::vector<WeightBand> Bands(const toml::node& n)
{
    const toml::array& list = ArrayOf(n, "bands");
    if (list.empty()) Refuse(LineOf(n), "「bands」に料金がありません。");
    std::vector<WeightBand> bands;
    for (const toml::node& entry : list) {
        const auto [weight, price] = Pair(entry, "重さの区切り");
        WeightBand band{Grams(*weight), Yen(*price)};
        if (!bands.empty() && band.upToGrams <= bands.back().upToGrams)
            Refuse(LineOf(entry), "重さの区切りが小さい順に並んでいません（" + std::to_string(bands.back().upToGrams) +
                                      "g の次に " + std::to_string(band.upToGrams) + "g）。");
        bands.push_back(band);
    }
    return bands;
}

void ReadBands(const toml::table& t, Tariff& tariff, int line)
{
    const toml::node& node = Required(t, "variant", line);
    const auto* list = node.as_array();
    if (!list || list->empty() || !list->is_array_of_tables())
        Refuse(LineOf(node), "料金の列は [[variant]] の表で書いてください。");
    std::set<std::string> names;
    for (const toml::node& entry : *list) {
        const toml::table& v = *entry.as_table();
        TariffVariant variant;
        if (const toml::node* name = v.get("name")) variant.name = CheckedText(*name, "name");
        if (variant.name.empty() && list->size() > 1)
            Refuse(LineOf(entry), "列が二つ以上あるときは、どの列にも「name」を書いてください。");
        if (!names.insert(variant.name).second)
            Refuse(LineOf(entry), "列の名前" + Quoted(variant.name) + "が重なっています。");
        variant.bands = Bands(Required(v, "bands", LineOf(entry)));
        tariff.variants.push_back(std::move(variant));
    }
}

void ReadRegions(const toml::table& t, Tariff& tariff, int line)
{
    const toml::node& sizesNode = Required(t, "sizes", line);
    const toml::array& sizes = ArrayOf(sizesNode, "sizes");
    if (sizes.empty()) Refuse(LineOf(sizesNode), "「sizes」に大きさの区分がありません。");
    for (const toml::node& entry : sizes) {
        const auto [cm, grams] = Pair(entry, "大きさの区分");
        SizeClass c{WholeNumber(*cm, 1, kMostCm, "三辺の合計（cm）"), Grams(*grams)};
        if (!tariff.sizeClasses.empty() && c.sizeCm <= tariff.sizeClasses.back().sizeCm)
            Refuse(LineOf(entry), "大きさの区分が小さい順に並んでいません（" +
                                      std::to_string(tariff.sizeClasses.back().sizeCm) + "cm の次に " +
                                      std::to_string(c.sizeCm) + "cm）。");
        tariff.sizeClasses.push_back(c);
    }

    const toml::node& regionsNode = Required(t, "region", line);
    const auto* regions = regionsNode.as_array();
    if (!regions || regions->empty() || !regions->is_array_of_tables())
        Refuse(LineOf(regionsNode), "地域は [[region]] の表で書いてください。");
    const auto& official = OfficialPrefectureNames();
    std::vector<int> regionOf(official.size(), -1);
    for (const toml::node& entry : *regions) {
        const toml::table& r = *entry.as_table();
        TariffRegion region;
        region.name = Text(r, "name", LineOf(entry));
        for (const TariffRegion& earlier : tariff.regions)
            if (earlier.name == region.name) Refuse(LineOf(entry), "地域" + Quoted(region.name) + "が二つあります。");
        const toml::node& prefNode = Required(r, "prefectures", LineOf(entry));
        for (const toml::node& p : ArrayOf(prefNode, "prefectures")) {
            const std::string name = CheckedText(p, "prefectures");
            const auto at = std::find(official.begin(), official.end(), name);
            if (at == official.end()) Refuse(LineOf(p), Quoted(name) + "は都道府県名ではありません。");
            int& owner = regionOf[static_cast<std::size_t>(at - official.begin())];
            if (owner >= 0) Refuse(LineOf(p), Quoted(name) + "が二度書かれています。");
            owner = static_cast<int>(tariff.regions.size());
            region.prefectures.push_back(name);
        }
        if (region.prefectures.empty())
            Refuse(LineOf(entry), "地域" + Quoted(region.name) + "に都道府県がありません。");
        tariff.regions.push_back(std::move(region));
    }
    for (std::size_t p = 0; p < official.size(); ++p)
        if (regionOf[p] < 0) Refuse(LineOf(regionsNode), Quoted(official[p]) + "がどの地域にもありません。");

    auto regionIndex = [&](const toml::key& key) {
        for (std::size_t i = 0; i < tariff.regions.size(); ++i)
            if (tariff.regions[i].name == key.str()) return i;
        Refuse(static_cast<int>(key.source().begin.line), Quoted(key.str()) + "という地域はありません。");
    };

    const toml::node& pricesNode = Required(t, "prices", line);
    const auto* prices = pricesNode.as_table();
    if (!prices) Refuse(LineOf(pricesNode), "料金は [prices.\"発地域\"] の表で書いてください。");
    const std::size_t n = tariff.regions.size();
    tariff.regionYen.assign(n, {});
    for (const auto& [originKey, originNode] : *prices) {
        const std::size_t origin = regionIndex(originKey);
        const auto* row = originNode.as_table();
        if (!row) Refuse(LineOf(originNode), Quoted(originKey.str()) + "発の料金は表で書いてください。");
        std::vector<std::vector<int>> yen(n);
        std::vector<bool> seen(n, false);
        for (const auto& [destKey, destNode] : *row) {
            const std::size_t dest = regionIndex(destKey);
            seen[dest] = true;
            const toml::array& list = ArrayOf(destNode, "料金");
            if (list.size() != tariff.sizeClasses.size())
                Refuse(LineOf(destNode), "大きさの区分が" + std::to_string(tariff.sizeClasses.size()) +
                                             "つなのに料金が" + std::to_string(list.size()) + "つです。");
            for (const toml::node& y : list) yen[dest].push_back(Yen(y));
        }
        for (std::size_t d = 0; d < n; ++d)
            if (!seen[d])
                Refuse(LineOf(originNode),
                       Quoted(originKey.str()) + "発" + Quoted(tariff.regions[d].name) + "着の料金がありません。");
        tariff.regionYen[origin] = std::move(yen);
    }
    for (std::size_t o = 0; o < n; ++o)
        if (tariff.regionYen[o].empty())
            Refuse(LineOf(pricesNode), Quoted(tariff.regions[o].name) + "発の料金がありません。");
}

Tariff ReadTable(std::string_view id, const toml::table& t)
{
    Tariff tariff;
    tariff.id = std::string(id);
    tariff.name = Text(t, "name", 0);
    tariff.carrier = Text(t, "carrier", 0);
    tariff.source = Text(t, "source", 0);

    const toml::node* effective = t.get("effective");
    const toml::node* inForce = t.get("in_force");
    if (effective && inForce) Refuse(LineOf(*inForce), "「effective」と「in_force」はどちらか一つだけ書いてください。");
    if (!effective && !inForce) Refuse(0, "料金の日付（「effective」か「in_force」）がありません。");
    tariff.date = CheckedDate(effective ? *effective : *inForce);
    tariff.dateKind = effective ? TariffDateKind::Effective : TariffDateKind::InForce;

    if (const toml::node* order = t.get("order")) tariff.order = WholeNumber(*order, 0, kMostOrder, "「order」");

    const toml::node& shapeNode = Required(t, "shape", 0);
    const auto* shape = shapeNode.as_string();
    const std::string shapeName = shape ? shape->get() : std::string();
    if (shapeName == "flat") {
        tariff.shape = TariffShape::Flat;
        ReadFlat(t, tariff, LineOf(shapeNode));
    } else if (shapeName == "bands") {
        tariff.shape = TariffShape::Bands;
        ReadBands(t, tariff, LineOf(shapeNode));
    } else if (shapeName == "regions") {
        tariff.shape = TariffShape::Regions;
        ReadRegions(t, tariff, LineOf(shapeNode));
    } else {
        Refuse(LineOf(shapeNode), "料金の形" + (shape ? Quoted(shapeName) : std::string()) +
                                      "は使えません（flat、bands、regions のどれかです）。");
    }
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
