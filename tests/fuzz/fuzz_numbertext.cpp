// SPDX-License-Identifier: MIT
// Arbitrary texts through every number rule: each must give a value or a
// run-time error, and whatever a rule writes must read back the same.

#include "platform/runtime/numbertext.h"
#include "platform/runtime/runtimeerror.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2));
    const QString latin = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));

    for (const QString &t : {text, latin}) {
        double value = 0;
        try {
            value = platform::leadingNumber(t);
        } catch (const platform::RuntimeError &e) {
            if (e.number() != 6)
                std::abort();
            continue;
        }
        if (!std::isfinite(value))
            std::abort();
        for (QChar separator : {QChar(u'.'), QChar(u',')}) {
            const QString written = platform::doubleText(value, separator);
            if (std::fabs(value) < 1.797693134862314e308
                && platform::doubleText(platform::readDoubleText(written, separator), separator) != written)
                std::abort();
        }
        try {
            const platform::Currency currency = platform::toCurrency(value);
            if (platform::currencyText(currency).isEmpty())
                std::abort();
        } catch (const platform::RuntimeError &e) {
            if (e.number() != 6)
                std::abort();
        }
        try {
            platform::readDoubleText(t);
        } catch (const platform::RuntimeError &) {
        }
    }
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw) && std::fabs(raw) < 1.797693134862314e308) {
            const QString written = platform::doubleText(raw);
            if (platform::doubleText(platform::readDoubleText(written)) != written)
                std::abort();
        }
    }
    return 0;
}
