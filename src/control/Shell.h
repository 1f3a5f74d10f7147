#pragma once
// Port: the current user's application-data folder ("" when the system has none).
#include <string>

namespace zu {

class Shell {
public:
    virtual ~Shell() = default;
    virtual std::string appDataFolder() = 0;
};

}  // namespace zu
