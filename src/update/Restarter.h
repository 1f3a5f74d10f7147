#pragma once
// Port: restarts the computer (the user agreed to it).
namespace zu {

class Restarter {
public:
    virtual ~Restarter() = default;
    virtual void restart() = 0;
};

}  // namespace zu
