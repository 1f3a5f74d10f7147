#pragma once
// Port: one synchronous HTTP GET of a catalogue ("Msxml2.XMLHTTP" on Windows).
#include <string>

namespace zu {

class CatalogHttp {
public:
    virtual ~CatalogHttp() = default;
    // Creates the request, opens GET `url` synchronously, sends it and returns the whole
    // response body as text, whatever the status. Throws ComError with the platform's
    // code when the request cannot be made, opened or sent (an unreachable server).
    virtual std::string get(const std::string& url) = 0;
};

}  // namespace zu
