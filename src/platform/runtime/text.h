// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string_view>

namespace platform {

// The designs and the identity data hold their texts as UTF-8 views.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace platform
