#pragma once
// Port: a newly generated UUID in its 36-character text form.
#include <string>

namespace zu {

class UuidSource {
public:
    virtual ~UuidSource() = default;
    virtual std::string newUuid() = 0;
};

}  // namespace zu
