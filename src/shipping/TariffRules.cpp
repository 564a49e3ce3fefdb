#include "shipping/TariffRules.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "shipping/TariffReader.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

std::string Quoted(std::string_view key)
{
    return "「" + std::string(key) + "」";
}

bool IsLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// A field's name in a reason: its key in a file, its label on the form.
std::string_view Named(TariffWording w, std::string_view fileKey, std::string_view formLabel)
{
    return w == TariffWording::File ? fileKey : formLabel;
}

TariffFault At(TariffField field, int group, int row, int column, std::string reason)
{
    return TariffFault{TariffCell{field, group, row, column}, std::move(reason)};
}

// Each limit on its own, then the sides in their order: a second side
// longer than the longest, or a thickness beyond either, is a slip.
std::optional<TariffFault> LimitsFault(const ParcelLimits& l, int group)
{
    const auto& entries = LimitEntries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (auto f = LimitFault(l.*entries[i].member, entries[i].what))
            return At(TariffField::Limit, group, static_cast<int>(i), -1, *f);
    if (l.widthMm > 0 && l.lengthMm > 0 && l.widthMm > l.lengthMm)
        return At(TariffField::Limit, group, 2, -1, "短辺が長辺より長くなっています。");
    const int longer = l.widthMm > 0 ? l.widthMm : l.lengthMm;
    if (l.thicknessMm > 0 && longer > 0 && l.thicknessMm > longer)
        return At(TariffField::Limit, group, 3, -1, "厚さが辺の長さを超えています。");
    return std::nullopt;
}

std::optional<TariffFault> BandsFault(const Tariff& t, TariffWording w)
{
    const std::string_view nameKey = Named(w, "name", "列の名前");
    if (t.variants.empty()) return At(TariffField::Bands, -1, -1, -1, "料金の列がありません。");
    std::set<std::string> names;
    for (std::size_t v = 0; v < t.variants.size(); ++v) {
        const TariffVariant& variant = t.variants[v];
        const int g = static_cast<int>(v);
        if (variant.name.empty()) {
            if (t.variants.size() > 1)
                return At(TariffField::VariantName, g, -1, -1,
                          "列が二つ以上あるときは、どの列にも" + Quoted(nameKey) + "を書いてください。");
        } else if (auto f = TextFault(variant.name, nameKey)) {
            return At(TariffField::VariantName, g, -1, -1, *f);
        }
        if (!names.insert(variant.name).second)
            return At(TariffField::VariantName, g, -1, -1, "列の名前" + Quoted(variant.name) + "が重なっています。");
        if (variant.bands.empty())
            return At(TariffField::Bands, g, -1, -1,
                      Quoted(Named(w, "bands", "重さの区切りと料金")) + "に料金がありません。");
        if (auto f = LimitsFault(variant.limits, g)) return f;
        for (std::size_t b = 0; b < variant.bands.size(); ++b) {
            const WeightBand& band = variant.bands[b];
            const int r = static_cast<int>(b);
            if (auto f = GramsFault(band.upToGrams)) return At(TariffField::BandWeight, g, r, -1, *f);
            if (auto f = YenFault(band.yen)) return At(TariffField::BandPrice, g, r, -1, *f);
            if (b > 0 && band.upToGrams <= variant.bands[b - 1].upToGrams)
                return At(TariffField::BandWeight, g, r, -1,
                          "重さの区切りが小さい順に並んでいません（" + std::to_string(variant.bands[b - 1].upToGrams) +
                              "g の次に " + std::to_string(band.upToGrams) + "g）。");
        }
    }
    return std::nullopt;
}

std::optional<TariffFault> RegionsFault(const Tariff& t, TariffWording w)
{
    if (t.sizeClasses.empty())
        return At(TariffField::Sizes, -1, -1, -1,
                  w == TariffWording::File ? "「sizes」に大きさの区分がありません。" : "大きさの区分がありません。");
    for (std::size_t i = 0; i < t.sizeClasses.size(); ++i) {
        const SizeClass& c = t.sizeClasses[i];
        const int r = static_cast<int>(i);
        if (auto f = CmFault(c.sizeCm)) return At(TariffField::SizeCm, -1, r, -1, *f);
        if (auto f = GramsFault(c.maxGrams)) return At(TariffField::SizeGrams, -1, r, -1, *f);
        if (i > 0 && c.sizeCm <= t.sizeClasses[i - 1].sizeCm)
            return At(TariffField::SizeCm, -1, r, -1,
                      "大きさの区分が小さい順に並んでいません（" + std::to_string(t.sizeClasses[i - 1].sizeCm) +
                          "cm の次に " + std::to_string(c.sizeCm) + "cm）。");
    }

    if (t.regions.empty()) return At(TariffField::Regions, -1, -1, -1, "地域がありません。");
    const auto& official = OfficialPrefectureNames();
    std::vector<int> regionOf(official.size(), -1);
    for (std::size_t r = 0; r < t.regions.size(); ++r) {
        const TariffRegion& region = t.regions[r];
        const int row = static_cast<int>(r);
        if (auto f = TextFault(region.name, Named(w, "name", "地域の名前")))
            return At(TariffField::RegionName, -1, row, -1, *f);
        for (std::size_t e = 0; e < r; ++e)
            if (t.regions[e].name == region.name)
                return At(TariffField::RegionName, -1, row, -1, "地域" + Quoted(region.name) + "が二つあります。");
        for (std::size_t p = 0; p < region.prefectures.size(); ++p) {
            const std::string& name = region.prefectures[p];
            const int column = static_cast<int>(p);
            const auto at = std::find(official.begin(), official.end(), name);
            if (at == official.end())
                return At(TariffField::Prefecture, -1, row, column, Quoted(name) + "は都道府県名ではありません。");
            int& owner = regionOf[static_cast<std::size_t>(at - official.begin())];
            if (owner >= 0)
                return At(TariffField::Prefecture, -1, row, column, Quoted(name) + "が二度書かれています。");
            owner = row;
        }
        if (region.prefectures.empty())
            return At(TariffField::RegionName, -1, row, -1, "地域" + Quoted(region.name) + "に都道府県がありません。");
    }
    for (std::size_t p = 0; p < official.size(); ++p)
        if (regionOf[p] < 0)
            return At(TariffField::PrefectureMissing, -1, -1, static_cast<int>(p),
                      Quoted(official[p]) + "がどの地域にもありません。");

    const std::size_t n = t.regions.size();
    for (std::size_t o = 0; o < n; ++o) {
        if (o >= t.regionYen.size() || t.regionYen[o].empty())
            return At(TariffField::PriceRow, -1, static_cast<int>(o), -1,
                      Quoted(t.regions[o].name) + "発の料金がありません。");
        for (std::size_t d = 0; d < n; ++d) {
            const int row = static_cast<int>(o), column = static_cast<int>(d);
            if (d >= t.regionYen[o].size() || t.regionYen[o][d].empty())
                return At(TariffField::PriceRow, -1, row, column,
                          Quoted(t.regions[o].name) + "発" + Quoted(t.regions[d].name) + "着の料金がありません。");
            const std::vector<int>& yen = t.regionYen[o][d];
            if (yen.size() != t.sizeClasses.size())
                return At(TariffField::PriceRow, -1, row, column,
                          "大きさの区分が" + std::to_string(t.sizeClasses.size()) + "つなのに料金が" +
                              std::to_string(yen.size()) + "つです。");
            for (std::size_t s = 0; s < yen.size(); ++s)
                if (auto f = YenFault(yen[s])) return At(TariffField::Price, static_cast<int>(s), row, column, *f);
        }
    }
    return std::nullopt;
}

std::string Nth(int index)
{
    return std::to_string(index + 1) + "行目";
}

std::string VariantLabel(const Tariff& t, int v)
{
    if (v < 0 || static_cast<std::size_t>(v) >= t.variants.size()) return "料金の列";
    const std::string& name = t.variants[static_cast<std::size_t>(v)].name;
    return name.empty() ? "料金の列" : Quoted(name);
}

std::string RegionLabel(const Tariff& t, int r)
{
    if (r < 0 || static_cast<std::size_t>(r) >= t.regions.size()) return "地域" + std::to_string(r + 1);
    return Quoted(t.regions[static_cast<std::size_t>(r)].name);
}

std::string SizeLabel(const Tariff& t, int s)
{
    if (s < 0 || static_cast<std::size_t>(s) >= t.sizeClasses.size()) return "大きさ" + std::to_string(s + 1);
    return std::to_string(t.sizeClasses[static_cast<std::size_t>(s)].sizeCm) + "サイズ";
}

}  // namespace

std::optional<std::string> TextFault(std::string_view v, std::string_view what)
{
    if (v.empty()) return Quoted(what) + "が空です。";
    if (v.find_first_of("\r\n") != std::string_view::npos) return Quoted(what) + "に改行は書けません。";
    const SjisConversion c = SjisFromUtf8(v);
    if (!c.ok())
        return Quoted(what) + "にShift-JISで書けない文字があります（" + DescribeCharacters(c.unmappable) + "）。";
    return std::nullopt;
}

std::optional<std::string> NumberFault(std::int64_t v, std::int64_t lowest, std::int64_t highest,
                                       const std::string& what)
{
    if (v >= lowest && v <= highest) return std::nullopt;
    return what + "は" + std::to_string(lowest) + "～" + std::to_string(highest) + "にしてください（" +
           std::to_string(v) + "）。";
}

std::optional<std::string> YenFault(std::int64_t yen)
{
    // An empty cell of the editor, or a preset's price not yet pasted.
    if (yen == 0) return std::string("料金が入っていません（0円のサービスは保存できません）。");
    return NumberFault(yen, 1, kMostTariffYen, "料金");
}

std::optional<std::string> GramsFault(std::int64_t grams)
{
    return NumberFault(grams, 1, kMostTariffGrams, "重さ（g）");
}

std::optional<std::string> CmFault(std::int64_t cm)
{
    return NumberFault(cm, 1, kMostTariffCm, "三辺の合計（cm）");
}

std::optional<std::string> DateFault(const TariffDate& d)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.year < 1900 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > kDays[d.month - 1] + (d.month == 2 && IsLeapYear(d.year) ? 1 : 0))
        return std::string("日付が正しくありません。");
    return std::nullopt;
}

const std::array<LimitEntry, 4>& LimitEntries()
{
    static const std::array<LimitEntry, 4> entries = {{
        {"max_sum_cm", "三辺の合計の上限（cm）", "三辺の合計", &ParcelLimits::sumMm},
        {"max_length_cm", "長辺の上限（cm）", "長辺", &ParcelLimits::lengthMm},
        {"max_width_cm", "短辺の上限（cm）", "短辺", &ParcelLimits::widthMm},
        {"max_thickness_cm", "厚さの上限（cm）", "厚さ", &ParcelLimits::thicknessMm},
    }};
    return entries;
}

std::optional<std::string> LimitFault(std::int64_t mm, const std::string& what)
{
    if (mm == 0 || (mm >= 1 && mm <= kMostTariffCm * 10)) return std::nullopt;
    return what + "は0.1～" + std::to_string(kMostTariffCm) + "にしてください。";
}

std::optional<TariffFault> ValidateTariff(const Tariff& t, TariffWording w)
{
    if (auto f = TextFault(t.name, Named(w, "name", "サービス名"))) return At(TariffField::Name, -1, -1, -1, *f);
    if (auto f = TextFault(t.carrier, Named(w, "carrier", "運送会社"))) return At(TariffField::Carrier, -1, -1, -1, *f);
    if (auto f = TextFault(t.source, Named(w, "source", "出典"))) return At(TariffField::Source, -1, -1, -1, *f);
    if (auto f = DateFault(t.date)) return At(TariffField::Date, -1, -1, -1, *f);
    if (auto f = NumberFault(t.order, 0, kMostTariffOrder, Quoted(Named(w, "order", "一覧での順番"))))
        return At(TariffField::Order, -1, -1, -1, *f);
    if (auto f = LimitsFault(t.limits, -1)) return f;
    switch (t.shape) {
        case TariffShape::Flat:
            if (auto f = YenFault(t.flatYen)) return At(TariffField::FlatPrice, -1, -1, -1, *f);
            if (auto f = GramsFault(t.flatMaxGrams)) return At(TariffField::FlatWeight, -1, -1, -1, *f);
            return std::nullopt;
        case TariffShape::Bands:
            return BandsFault(t, w);
        case TariffShape::Regions:
            return RegionsFault(t, w);
    }
    return std::nullopt;
}

std::optional<std::string> ServiceIdFault(std::string_view id, const std::vector<std::string>& taken)
{
    if (id.empty()) return std::string("IDが空です。");
    if (!IsServiceId(id)) return std::string("IDは半角の英数字と「-」「_」だけで、64文字までにしてください。");
    if (std::find(taken.begin(), taken.end(), id) != taken.end())
        return "ID" + Quoted(id) + "のサービスはすでにあります。別のIDにしてください。";
    return std::nullopt;
}

bool RatesDiffer(const Tariff& a, const Tariff& b)
{
    auto bands = [](const Tariff& t) {
        std::vector<std::vector<std::pair<int, int>>> out;
        for (const TariffVariant& v : t.variants) {
            out.emplace_back();
            for (const WeightBand& band : v.bands) out.back().emplace_back(band.upToGrams, band.yen);
        }
        return out;
    };
    auto sizes = [](const Tariff& t) {
        std::vector<std::pair<int, int>> out;
        for (const SizeClass& c : t.sizeClasses) out.emplace_back(c.sizeCm, c.maxGrams);
        return out;
    };
    auto places = [](const Tariff& t) {
        std::vector<std::vector<std::string>> out;
        for (const TariffRegion& r : t.regions) out.push_back(r.prefectures);
        return out;
    };
    if (a.shape != b.shape || !(a.limits == b.limits) || a.variants.size() != b.variants.size()) return true;
    for (std::size_t v = 0; v < a.variants.size(); ++v)
        if (!(a.variants[v].limits == b.variants[v].limits)) return true;
    switch (a.shape) {
        case TariffShape::Flat:
            return a.flatYen != b.flatYen || a.flatMaxGrams != b.flatMaxGrams;
        case TariffShape::Bands:
            return bands(a) != bands(b);
        case TariffShape::Regions:
            return sizes(a) != sizes(b) || places(a) != places(b) || a.regionYen != b.regionYen;
    }
    return false;
}

bool DateNewRates(const Tariff& saved, Tariff& edited, const TariffDate& today)
{
    const TariffDate& d = saved.date;
    const bool oldDate = edited.date.year == d.year && edited.date.month == d.month && edited.date.day == d.day &&
                         edited.dateKind == saved.dateKind;
    if (!oldDate || !RatesDiffer(saved, edited)) return false;
    edited.date = today;
    // The seller knows the new prices are in force today, not the day
    // they took effect: "時点" says no more than that.
    edited.dateKind = TariffDateKind::InForce;
    return true;
}

namespace {

// The cells whose name does not depend on where they are: the service's own
// values and the parts named as a whole.
constexpr std::pair<TariffField, const char*> kFixedCellNames[] = {
    {TariffField::None, "サービス"},
    {TariffField::Name, "サービス名"},
    {TariffField::Carrier, "運送会社"},
    {TariffField::Source, "出典"},
    {TariffField::Date, "日付"},
    {TariffField::Order, "一覧での順番"},
    {TariffField::FlatPrice, "料金"},
    {TariffField::FlatWeight, "重さの上限"},
    {TariffField::Sizes, "大きさの区分"},
    {TariffField::Regions, "地域"},
    {TariffField::PrefectureMissing, "都道府県の地域"},
};

}  // namespace

std::string DescribeTariffCell(const Tariff& t, const TariffCell& c)
{
    for (const auto& [field, name] : kFixedCellNames)
        if (c.field == field) return name;
    switch (c.field) {
        case TariffField::VariantName:
            return std::to_string(c.group + 1) + "番目の列の名前";
        case TariffField::Bands:
            return VariantLabel(t, c.group);
        case TariffField::BandWeight:
            return VariantLabel(t, c.group) + "の" + Nth(c.row) + "の重さ";
        case TariffField::BandPrice:
            return VariantLabel(t, c.group) + "の" + Nth(c.row) + "の料金";
        case TariffField::SizeCm:
            return "大きさの区分の" + Nth(c.row) + "の三辺の合計";
        case TariffField::SizeGrams:
            return "大きさの区分の" + Nth(c.row) + "の重さ";
        case TariffField::RegionName:
            return "地域の" + Nth(c.row);
        case TariffField::Prefecture:
            return RegionLabel(t, c.row) + "の都道府県";
        case TariffField::Price:
            return SizeLabel(t, c.group) + "の" + RegionLabel(t, c.row) + "発" + RegionLabel(t, c.column) + "着";
        case TariffField::PriceRow:
            return RegionLabel(t, c.row) + "発" + (c.column >= 0 ? RegionLabel(t, c.column) + "着" : "") + "の料金";
        case TariffField::Limit: {
            const std::string what =
                c.row >= 0 && c.row < 4 ? LimitEntries()[static_cast<std::size_t>(c.row)].what : "大きさの上限";
            return c.group >= 0 ? VariantLabel(t, c.group) + "の" + what : what;
        }
        default:  // a fixed name above
            break;
    }
    return "サービス";
}

}  // namespace torepal
