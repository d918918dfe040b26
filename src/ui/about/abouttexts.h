// SPDX-License-Identifier: MIT
#pragma once

// The two about texts. Each is fixed wording around the maker's web address,
// joined at compile time so the layouts can hold it like any other caption.

#include "app/identity.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace ui {

template<const std::string_view &...pieces>
struct JoinedText
{
    static constexpr std::array<char, (pieces.size() + ...)> chars = [] {
        std::array<char, (pieces.size() + ...)> joined{};
        auto out = joined.begin();
        ((out = std::ranges::copy(pieces, out).out), ...);
        return joined;
    }();
    static constexpr std::string_view value{chars.data(), chars.size()};
};

inline constexpr std::string_view productTextOpening = "Tillomar created by Varnholt (";
inline constexpr std::string_view productTextClosing =
    ") as a request from a user. This program is intended to find out your makings preferably at a flea "
    "market or a garage sale of some sort. This program is very fast and effective for calculating money "
    "with different currency amounts.";

inline constexpr std::string_view makerTextOpening =
    "Program created by Varnholt. Varnholt is a non-profit organization out to help people in need of "
    "helpful programs. If you would like to donate or have a program created for yourself, go to ";
inline constexpr std::string_view makerTextClosing = " and send a request.";

// The menu items that open the windows; their captions also name the windows,
// which show no caption of their own, for a reader.
inline constexpr std::string_view productAboutItem = "About Tillomar";
inline constexpr std::string_view makerAboutItem = "About Varnholt";

inline constexpr std::string_view productText =
    JoinedText<productTextOpening, app::makerAddress, productTextClosing>::value;
inline constexpr std::string_view makerText =
    JoinedText<makerTextOpening, app::makerAddress, makerTextClosing>::value;

} // namespace ui
