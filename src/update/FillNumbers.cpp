#include <string>

#include "common/Text.h"
#include "update/PhaseServices.h"

namespace zu {

std::string fillNumbers(std::string pattern, std::initializer_list<long long> numbers) {
    std::size_t from = 0;
    for (long long n : numbers) {
        const std::size_t at = pattern.find("%d", from);
        if (at == std::string::npos) break;
        const std::string digits = decimal(n);
        pattern.replace(at, 2, digits);
        from = at + digits.size();
    }
    return pattern;
}

}  // namespace zu
