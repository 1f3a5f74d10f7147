#include "fakes/InMemoryRegistry.h"

#include <algorithm>

namespace zu::test {

namespace {
std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

class Handle final : public RegistryKey {
public:
    explicit Handle(const InMemoryRegistry::Key& k) : key_(k) {}
    std::optional<std::uint32_t> subkeyCount() override {
        if (key_.infoFails) return std::nullopt;
        return static_cast<std::uint32_t>(key_.subkeys.size());
    }
    std::optional<std::string> subkeyName(std::uint32_t index, std::uint32_t nameChars) override {
        if (index >= key_.subkeys.size()) return std::nullopt;
        const std::string& n = key_.subkeys[index];
        if (n.size() + 1 > nameChars) return std::nullopt;  // ERROR_MORE_DATA
        return n;
    }
    std::optional<RegistryValue> value(std::uint32_t index, std::uint32_t nameChars,
                                       std::uint32_t dataBytes) override {
        if (index >= key_.values.size()) return std::nullopt;
        const RegistryValue& v = key_.values[index];
        const std::size_t stored = v.data.size() + (v.type == regSz ? 1 : 0);
        if (v.name.size() + 1 > nameChars || stored > dataBytes) return std::nullopt;
        return v;
    }

private:
    const InMemoryRegistry::Key& key_;
};
}  // namespace

InMemoryRegistry::Key& InMemoryRegistry::key(RegistryRoot root, const std::string& path) {
    auto slash = path.rfind('\\');
    if (slash != std::string::npos) {
        Key& parent = key(root, path.substr(0, slash));
        const std::string leaf = path.substr(slash + 1);
        if (std::find(parent.subkeys.begin(), parent.subkeys.end(), leaf) == parent.subkeys.end())
            parent.subkeys.push_back(leaf);
    }
    return keys_[{root, lower(path)}];
}

void InMemoryRegistry::addString(RegistryRoot root, const std::string& path, const std::string& name,
                                 const std::string& data) {
    addValue(root, path, RegistryValue{name, regSz, data});
}

void InMemoryRegistry::addValue(RegistryRoot root, const std::string& path, RegistryValue value) {
    key(root, path).values.push_back(std::move(value));
}

std::unique_ptr<RegistryKey> InMemoryRegistry::open(RegistryRoot root, const std::string& path) {
    opened.push_back((root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + path);
    auto it = keys_.find({root, lower(path)});
    if (it == keys_.end()) return nullptr;
    return std::make_unique<Handle>(it->second);
}

}  // namespace zu::test
