#pragma once
// Catalogue GETs answered from a table; records every URL asked for.
#include <map>
#include <string>
#include <vector>

#include "catalog/CatalogHttp.h"
#include "common/ComError.h"

namespace zu::test {

class FakeCatalogHttp final : public CatalogHttp {
public:
    std::map<std::string, std::string> bodies;  // url -> body
    HResult unknownUrlFailure = 0x800C0005;     // INET_E_RESOURCE_NOT_FOUND for any other URL
    std::vector<std::string> requested;

    std::string get(const std::string& url) override {
        requested.push_back(url);
        auto it = bodies.find(url);
        if (it == bodies.end()) throw ComError(unknownUrlFailure, "unreachable: " + url);
        return it->second;
    }
};

}  // namespace zu::test
