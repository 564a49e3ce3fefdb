#include "shipping/TariffWriter.h"

#include <algorithm>
#include <cstdio>

#include "shipping/TariffRules.h"

namespace torepal {
namespace {

// A TOML basic string: quotes, backslashes and control characters escaped,
// everything else (Japanese included) as it is.
std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", c);
            out += escape;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string Padded(int value, std::size_t width)
{
    std::string s = std::to_string(value);
    return std::string(width > s.size() ? width - s.size() : 0, ' ') + s;
}

std::size_t Width(int value)
{
    return std::to_string(value).size();
}

std::string Date(const TariffDate& d)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

// "34" or "24.8": the centimetres as the carrier prints them.
std::string Centimetres(int mm)
{
    return std::to_string(mm / 10) + (mm % 10 ? "." + std::to_string(mm % 10) : std::string());
}

// Only the limits a file states, so a file without them is written as before.
void WriteLimits(const ParcelLimits& limits, std::string& out)
{
    for (const LimitEntry& e : LimitEntries())
        if (limits.*e.member > 0) out += std::string(e.key) + " = " + Centimetres(limits.*e.member) + "\n";
}

void WriteBands(const Tariff& t, std::string& out)
{
    for (const TariffVariant& v : t.variants) {
        out += "\n[[variant]]\n";
        if (!v.name.empty()) out += "name = " + Quoted(v.name) + "\n";
        WriteLimits(v.limits, out);
        std::size_t wg = 1, wy = 1;
        for (const WeightBand& b : v.bands) {
            wg = std::max(wg, Width(b.upToGrams));
            wy = std::max(wy, Width(b.yen));
        }
        out += "bands = [\n";
        for (const WeightBand& b : v.bands) out += "  [" + Padded(b.upToGrams, wg) + ", " + Padded(b.yen, wy) + "],\n";
        out += "]\n";
    }
}

void WriteRegions(const Tariff& t, std::string& out)
{
    std::size_t wc = 1, wg = 1;
    for (const SizeClass& c : t.sizeClasses) {
        wc = std::max(wc, Width(c.sizeCm));
        wg = std::max(wg, Width(c.maxGrams));
    }
    out += "sizes = [\n";
    for (const SizeClass& c : t.sizeClasses)
        out += "  [" + Padded(c.sizeCm, wc) + ", " + Padded(c.maxGrams, wg) + "],\n";
    out += "]\n";
    for (const TariffRegion& r : t.regions) {
        out += "\n[[region]]\nname = " + Quoted(r.name) + "\nprefectures = [";
        for (std::size_t i = 0; i < r.prefectures.size(); ++i) out += (i ? ", " : "") + Quoted(r.prefectures[i]);
        out += "]\n";
    }
    std::size_t wy = 1;
    for (const auto& row : t.regionYen)
        for (const auto& list : row)
            for (int y : list) wy = std::max(wy, Width(y));
    for (std::size_t o = 0; o < t.regions.size() && o < t.regionYen.size(); ++o) {
        out += "\n[prices." + Quoted(t.regions[o].name) + "]\n";
        for (std::size_t d = 0; d < t.regions.size() && d < t.regionYen[o].size(); ++d) {
            out += Quoted(t.regions[d].name) + " = [";
            const std::vector<int>& yen = t.regionYen[o][d];
            for (std::size_t s = 0; s < yen.size(); ++s) out += (s ? ", " : "") + Padded(yen[s], wy);
            out += "]\n";
        }
    }
}

}  // namespace

std::string TariffToToml(const Tariff& t)
{
    std::string out;
    out += "name = " + Quoted(t.name) + "\n";
    out += "carrier = " + Quoted(t.carrier) + "\n";
    out += (t.dateKind == TariffDateKind::Effective ? "effective = " : "in_force = ") + Date(t.date) + "\n";
    out += "source = " + Quoted(t.source) + "\n";
    if (t.order != Tariff{}.order) out += "order = " + std::to_string(t.order) + "\n";
    switch (t.shape) {
        case TariffShape::Flat:
            out += "shape = \"flat\"\n";
            out += "price = " + std::to_string(t.flatYen) + "\n";
            out += "max_weight_g = " + std::to_string(t.flatMaxGrams) + "\n";
            WriteLimits(t.limits, out);
            break;
        case TariffShape::Bands:
            out += "shape = \"bands\"\n";
            WriteLimits(t.limits, out);
            WriteBands(t, out);
            break;
        case TariffShape::Regions:
            out += "shape = \"regions\"\n";
            WriteLimits(t.limits, out);
            WriteRegions(t, out);
            break;
    }
    return out;
}

bool HasComments(std::string_view text)
{
    // Enough of TOML's strings to tell a "#" inside one from a comment:
    // basic and literal strings, single- and multi-line.
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '#') return true;
        if (c == '"' || c == '\'') {
            const bool multi = text.substr(i, 3) == std::string(3, c);
            const std::string close = multi ? std::string(3, c) : std::string(1, c);
            i += close.size();
            while (i < text.size()) {
                if (c == '"' && text[i] == '\\') {
                    i += 2;
                    continue;
                }
                if (!multi && text[i] == '\n') break;
                if (text.substr(i, close.size()) == close) {
                    i += close.size();
                    break;
                }
                ++i;
            }
            continue;
        }
        ++i;
    }
    return false;
}

}  // namespace torepal
