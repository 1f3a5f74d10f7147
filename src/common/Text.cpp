#include "common/Text.h"

#include "common/Locale.h"

#include <cctype>
#include <limits>

namespace zu {

void replaceAll(std::string& text, std::string_view token, std::string_view value,
                const Locale* locale) {
    if (token.empty()) return;
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, token.size(), token) == 0) {
            out.append(value);
            i += token.size();
            continue;
        }
        const bool lead = locale && locale->isLeadByte(static_cast<unsigned char>(text[i]));
        const std::size_t step = (lead && i + 1 < text.size()) ? 2 : 1;
        out.append(text, i, step);
        i += step;
    }
    text = std::move(out);
}

std::string decimal(std::int64_t value) { return std::to_string(value); }

std::int32_t leadingInt(std::string_view text, std::int32_t fallback) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return fallback;
    std::int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void trimTrailing(std::string& text, char c) {
    while (!text.empty() && text.back() == c) text.pop_back();
}

}  // namespace zu
