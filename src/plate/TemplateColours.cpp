#include "plate/TemplateColours.h"

#include <cstdio>

#include "text/Encoding.h"

namespace torepal {

std::optional<TypeColourLabels> ColourLabels(int type)
{
    // The blanks are as the seller knows them: ideographic spaces around
    // 枠カラー, --- and 影カラー, ASCII blanks around 文字カラー except in
    // タイプ１.
    static const TypeColourLabels type1{Sjis("【　枠カラー　】"), Sjis("【　---　】"), Sjis("【文字カラー】"), false};
    static const TypeColourLabels type2{Sjis("【　枠カラー　】"), Sjis("【　影カラー　】"), Sjis("【 文字カラー 】"),
                                        true};
    static const TypeColourLabels others{Sjis("【　枠カラー　】"), Sjis("【バックカラー】"), Sjis("【 文字カラー 】"),
                                         true};
    switch (type) {
        case 0:
            return type1;
        case 1:
            return type2;
        case 2:
        case 3:
        case 4:
            return others;
        default:
            return std::nullopt;
    }
}

std::string PaletteColourText(const Rgb& c)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%.2x%.2x%.2x", static_cast<unsigned>(c.red & 0xFF),
                  static_cast<unsigned>(c.green & 0xFF), static_cast<unsigned>(c.blue & 0xFF));
    return text;
}

}  // namespace torepal
