#include "shipping/TariffPresets.h"

namespace torepal {
namespace {

// 宅急便 (ヤマト運輸): the size classes and the weight each carries, as the
// carrier's own Instagram account (yamato_transport) lists them, quoted in
// https://danchizumano-nandeyanen.com/?p=450715 (read 2026-12-09): 60 to
// 200 size, 2/5/10/15/20/25/30/30 kg; the larger of size and weight
// decides the class.
// The carrier's regions could not be confirmed from a public page, so the
// preset names none: the seller adds them as the price page shows them.
TariffPreset Takkyubin()
{
    TariffPreset p;
    p.idBase = "takkyubin";
    p.label = "宅急便（ヤマト運輸）: サイズと重さの区分";
    p.note =
        "サイズ60～200と各サイズの重さの上限は、ヤマト運輸の公式Instagramを引いた "
        "https://danchizumano-nandeyanen.com/?p=450715 （2026年12月9日に確認）によります。"
        "地域の分け方は公の出典で確かめられなかったため入っていません。"
        "運送会社の料金表のとおりに地域を加え、料金を貼り付け、出典と日付を書いてください。";
    Tariff& t = p.service;
    t.name = "宅急便";
    t.carrier = "ヤマト運輸";
    t.shape = TariffShape::Regions;
    t.sizeClasses = {
        //  size  weight (g)
        {60, 2'000},   {80, 5'000},   {100, 10'000}, {120, 15'000},
        {140, 20'000}, {160, 25'000}, {180, 30'000}, {200, 30'000},
    };
    return p;
}

}  // namespace

const std::vector<TariffPreset>& TariffPresets()
{
    static const std::vector<TariffPreset> presets = {Takkyubin()};
    return presets;
}

std::vector<TariffCell> EmptyPriceCells(const Tariff& t)
{
    std::vector<TariffCell> cells;
    switch (t.shape) {
        case TariffShape::Flat:
            if (t.flatYen == 0) cells.push_back({TariffField::FlatPrice, -1, -1, -1});
            break;
        case TariffShape::Bands:
            for (std::size_t v = 0; v < t.variants.size(); ++v)
                for (std::size_t b = 0; b < t.variants[v].bands.size(); ++b)
                    if (t.variants[v].bands[b].yen == 0)
                        cells.push_back({TariffField::BandPrice, static_cast<int>(v), static_cast<int>(b), -1});
            break;
        case TariffShape::Regions:
            for (std::size_t s = 0; s < t.sizeClasses.size(); ++s)
                for (std::size_t o = 0; o < t.regionYen.size(); ++o)
                    for (std::size_t d = 0; d < t.regionYen[o].size(); ++d)
                        if (s >= t.regionYen[o][d].size() || t.regionYen[o][d][s] == 0)
                            cells.push_back(
                                {TariffField::Price, static_cast<int>(s), static_cast<int>(o), static_cast<int>(d)});
            break;
    }
    return cells;
}

}  // namespace torepal
