#include "shipping/TariffPaste.h"

#include <algorithm>
#include <climits>

namespace torepal {
namespace {

// The code points of a UTF-8 text; a broken sequence becomes U+FFFD, which
// no cell reader takes.
std::u32string CodePoints(std::string_view s)
{
    std::u32string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t len = b < 0x80             ? 1
                                : (b & 0xE0) == 0xC0 ? 2
                                : (b & 0xF0) == 0xE0 ? 3
                                : (b & 0xF8) == 0xF0 ? 4
                                                     : 0;
        if (len == 0 || i + len > s.size()) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (std::size_t k = 1; k < len; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out += c;
        i += len;
    }
    return out;
}

// Full-width digits, letters and signs as their ASCII forms; blanks of any
// width removed. What is left is compared with plain ASCII.
std::u32string Normalised(std::string_view utf8)
{
    std::u32string out;
    for (char32_t c : CodePoints(utf8)) {
        if (c == U' ' || c == U'\t' || c == U'\u3000' || c == U'\u00A0' || c == U'\r' || c == U'\n') continue;
        if (c >= U'\uFF01' && c <= U'\uFF5E' && c != U'\uFF5E') c = c - 0xFF01 + 0x21;  // ！..～ but the tilde
        if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
        out += c;
    }
    return out;
}

bool StripPrefix(std::u32string& s, std::u32string_view p)
{
    if (!s.starts_with(p)) return false;
    s.erase(0, p.size());
    return true;
}

bool StripSuffix(std::u32string& s, std::u32string_view p)
{
    if (!s.ends_with(p)) return false;
    s.erase(s.size() - p.size());
    return true;
}

// Digits with optional "," between groups of three: "1200", "1,200".
std::optional<long long> Digits(std::u32string_view s)
{
    if (s.empty() || s.size() > 15) return std::nullopt;
    long long v = 0;
    std::size_t group = 0;  // digits since the last ","
    bool grouped = false;
    for (const char32_t c : s) {
        if (c == U',') {
            // The first group holds one to three digits, every later one three.
            if (group == 0 || group > 3 || (grouped && group != 3)) return std::nullopt;
            grouped = true;
            group = 0;
            continue;
        }
        if (c < U'0' || c > U'9') return std::nullopt;
        v = v * 10 + (c - U'0');
        ++group;
    }
    if (grouped && group != 3) return std::nullopt;
    return v;
}

std::optional<int> AsInt(std::optional<long long> v)
{
    if (!v || *v > INT_MAX) return std::nullopt;
    return static_cast<int>(*v);
}

// "1.5" in kilograms as grams; at most three decimals.
std::optional<long long> Kilograms(std::u32string_view s)
{
    const std::size_t dot = s.find(U'.');
    if (dot == std::u32string_view::npos) {
        const auto whole = Digits(s);
        return whole ? std::optional<long long>(*whole * 1000) : std::nullopt;
    }
    const std::u32string_view fraction = s.substr(dot + 1);
    if (fraction.empty() || fraction.size() > 3) return std::nullopt;
    const auto whole = Digits(s.substr(0, dot));
    auto part = Digits(fraction);
    if (!whole || !part || fraction.find(U',') != std::u32string_view::npos) return std::nullopt;
    for (std::size_t k = fraction.size(); k < 3; ++k) *part *= 10;
    return *whole * 1000 + *part;
}

bool Between(int value, std::size_t size)
{
    return value >= 0 && static_cast<std::size_t>(value) < size;
}

}  // namespace

CellBlock SplitCells(std::string_view text, char delimiter)
{
    CellBlock rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false, wasQuoted = false;
    auto endCell = [&] {
        row.push_back(std::move(cell));
        cell.clear();
        wasQuoted = false;
    };
    auto endRow = [&] {
        endCell();
        rows.push_back(std::move(row));
        row.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"' && cell.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == delimiter) {
            endCell();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endRow();
        } else {
            cell += c;
        }
    }
    if (!cell.empty() || !row.empty() || wasQuoted) endRow();
    return rows;
}

std::optional<int> ReadPriceCell(std::string_view utf8)
{
    std::u32string s = Normalised(utf8);
    if (!StripPrefix(s, U"\u00A5") && !StripPrefix(s, U"\uFFE5")) StripPrefix(s, U"\\");
    StripSuffix(s, U"円");
    return AsInt(Digits(s));
}

std::optional<int> ReadGramsCell(std::string_view utf8)
{
    std::u32string s = Normalised(utf8);
    if (!StripPrefix(s, U"\uFF5E") && !StripPrefix(s, U"\u301C")) StripPrefix(s, U"~");
    if (!StripSuffix(s, U"まで")) StripSuffix(s, U"以下");
    if (StripSuffix(s, U"kg")) return AsInt(Kilograms(s));
    StripSuffix(s, U"g");
    return AsInt(Digits(s));
}

std::optional<int> ReadSizeCell(std::string_view utf8)
{
    std::u32string s = Normalised(utf8);
    if (!StripSuffix(s, U"サイズ") && !StripSuffix(s, U"size")) StripSuffix(s, U"cm");
    return AsInt(Digits(s));
}

TariffCell GridCell(TariffGrid grid, int group, int row, int column)
{
    switch (grid) {
        case TariffGrid::Bands:
            return {column == 0 ? TariffField::BandWeight : TariffField::BandPrice, group, row, -1};
        case TariffGrid::Sizes:
            return {column == 0 ? TariffField::SizeCm : TariffField::SizeGrams, -1, row, -1};
        case TariffGrid::Prices:
            return {TariffField::Price, group, row, column};
    }
    return {};
}

void AddSizeClass(Tariff& t, SizeClass size)
{
    t.sizeClasses.push_back(size);
    for (auto& row : t.regionYen)
        for (auto& list : row) list.resize(t.sizeClasses.size(), 0);
}

void RemoveSizeClass(Tariff& t, std::size_t index)
{
    if (index >= t.sizeClasses.size()) return;
    t.sizeClasses.erase(t.sizeClasses.begin() + static_cast<std::ptrdiff_t>(index));
    for (auto& row : t.regionYen)
        for (auto& list : row)
            if (index < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}

void AddRegion(Tariff& t, const std::string& name)
{
    t.regions.push_back(TariffRegion{name, {}});
    const std::size_t n = t.regions.size();
    t.regionYen.resize(n);
    for (auto& row : t.regionYen) row.resize(n, std::vector<int>(t.sizeClasses.size(), 0));
}

void RemoveRegion(Tariff& t, std::size_t index)
{
    if (index >= t.regions.size()) return;
    t.regions.erase(t.regions.begin() + static_cast<std::ptrdiff_t>(index));
    if (index < t.regionYen.size()) t.regionYen.erase(t.regionYen.begin() + static_cast<std::ptrdiff_t>(index));
    for (auto& row : t.regionYen)
        if (index < row.size()) row.erase(row.begin() + static_cast<std::ptrdiff_t>(index));
}

int RegionOfPrefecture(const Tariff& t, const std::string& prefecture)
{
    for (std::size_t r = 0; r < t.regions.size(); ++r) {
        const auto& list = t.regions[r].prefectures;
        if (std::find(list.begin(), list.end(), prefecture) != list.end()) return static_cast<int>(r);
    }
    return -1;
}

void AssignPrefecture(Tariff& t, const std::string& prefecture, std::size_t region)
{
    for (TariffRegion& r : t.regions) std::erase(r.prefectures, prefecture);
    if (region >= t.regions.size()) return;
    const auto& official = OfficialPrefectureNames();
    auto rank = [&](const std::string& name) {
        return std::find(official.begin(), official.end(), name) - official.begin();
    };
    auto& list = t.regions[region].prefectures;
    const auto at =
        std::find_if(list.begin(), list.end(), [&](const std::string& p) { return rank(p) > rank(prefecture); });
    list.insert(at, prefecture);
}

PasteOutcome PasteCells(Tariff& t, TariffGrid grid, int group, int row, int column, const CellBlock& block)
{
    PasteOutcome outcome;
    for (std::size_t i = 0; i < block.size(); ++i) {
        for (std::size_t j = 0; j < block[i].size(); ++j) {
            const int r = row + static_cast<int>(i);
            const int c = column + static_cast<int>(j);
            const std::string& text = block[i][j];
            int* target = nullptr;
            std::optional<int> value;
            switch (grid) {
                case TariffGrid::Bands: {
                    if (!Between(group, t.variants.size()) || c < 0 || c > 1 || r < 0) break;
                    auto& bands = t.variants[static_cast<std::size_t>(group)].bands;
                    if (static_cast<std::size_t>(r) >= bands.size()) bands.resize(static_cast<std::size_t>(r) + 1);
                    WeightBand& band = bands[static_cast<std::size_t>(r)];
                    target = c == 0 ? &band.upToGrams : &band.yen;
                    value = c == 0 ? ReadGramsCell(text) : ReadPriceCell(text);
                    break;
                }
                case TariffGrid::Sizes: {
                    if (c < 0 || c > 1 || r < 0) break;
                    while (t.sizeClasses.size() <= static_cast<std::size_t>(r)) AddSizeClass(t, SizeClass{});
                    SizeClass& size = t.sizeClasses[static_cast<std::size_t>(r)];
                    target = c == 0 ? &size.sizeCm : &size.maxGrams;
                    value = c == 0 ? ReadSizeCell(text) : ReadGramsCell(text);
                    break;
                }
                case TariffGrid::Prices: {
                    if (!Between(r, t.regionYen.size())) break;
                    auto& rowYen = t.regionYen[static_cast<std::size_t>(r)];
                    if (!Between(c, rowYen.size())) break;
                    auto& list = rowYen[static_cast<std::size_t>(c)];
                    if (!Between(group, list.size())) break;
                    target = &list[static_cast<std::size_t>(group)];
                    value = ReadPriceCell(text);
                    break;
                }
            }
            if (!target) {
                ++outcome.outside;
                continue;
            }
            const TariffCell cell = GridCell(grid, group, r, c);
            if (!value) {
                outcome.refused.push_back(cell);
                continue;
            }
            *target = *value;
            outcome.taken.push_back(cell);
        }
    }
    return outcome;
}

}  // namespace torepal
