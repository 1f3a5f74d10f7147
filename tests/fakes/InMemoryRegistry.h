#pragma once
// A registry held in memory, with the enumeration order and buffer limits of the real one.
#include <map>
#include <string>
#include <vector>

#include "inspect/Registry.h"

namespace zu::test {

class InMemoryRegistry final : public Registry {
public:
    struct Key {
        std::vector<std::string> subkeys;       // in enumeration order
        std::vector<RegistryValue> values;      // in enumeration order
        bool infoFails = false;                 // RegQueryInfoKey fails
    };

    // Adds (or returns) a key; its parent keys get it as a subkey.
    Key& key(RegistryRoot root, const std::string& path);
    void addString(RegistryRoot root, const std::string& path, const std::string& name, const std::string& data);
    void addValue(RegistryRoot root, const std::string& path, RegistryValue value);

    std::unique_ptr<RegistryKey> open(RegistryRoot root, const std::string& path) override;

    std::vector<std::string> opened;  // "HKLM\path" of every open asked for

private:
    std::map<std::pair<RegistryRoot, std::string>, Key> keys_;
};

}  // namespace zu::test
