#pragma once
// The checks before a listing page goes out: what on the form the auction
// site no longer accepts, what it forbids, or what would not come out as the
// seller means. Each finding names the field and what to do. Nothing is
// ever blocked: the page is rendered and saved exactly as before.
//
// The site's rules, as found in public sources:
// - Since 2018-03-01 a listing is paid only through Yahoo!かんたん決済; a
//   transfer straight to the seller's bank or postal account and payment in
//   stamps are no longer allowed (ITmedia NEWS, 2018-01-17, "「ヤフオク!」の
//   決済、「かんたん決済」に一本化"; the site's notice
//   auctions.yahoo.co.jp/topic/notice/function/post_2043/).
// - "メールアドレスやURLなどを表記して、ヤフオク!の外での取引を誘引すること"
//   is listed among the violations (the site's notice of 2014-12-10,
//   auctions.yahoo.co.jp/topic/notice/function/post_1102/).
// - A title holds at most 65 characters since 2017-01-18 (30 before;
//   aqcg.jp/yahootitle, also decodolphin.net: 65 as of 2018-03).

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plate/PlateState.h"
#include "shipping/Tariff.h"
#include "text/TextChecks.h"

namespace torepal {

inline constexpr std::size_t kTitleCharacterLimit = 65;

// The title's length as the site counts it: characters, not bytes.
std::size_t TitleCharacterCount(std::string_view title);

// "n/65", the count shown beside the title.
std::string TitleCountText(std::string_view title);

// Every finding for the form's values, in the form's order: title, texts,
// colours, payment boxes, carrier boxes, the ticked current services
// (`currentServices`, as the page is rendered with them). Empty when there
// is nothing to say.
std::vector<CheckResult> CheckListing(const PlateState& state, const PlateFlags& flags,
                                      const PlateSelections& selections, std::span<const Tariff> currentServices = {});

// Whether the page runs off a phone's screen: said for the types of fixed
// width (タイプ１, ４, ５) while the スマートフォンでも読みやすく box is off.
// The live preview shows it after the listing's own findings.
std::vector<CheckResult> CheckPhoneWidth(const PlateFlags& flags, const PlateSelections& selections);

}  // namespace torepal
