#pragma once
// Which version of a product is installed, from the version subkeys of its registry key.
#include <string>
#include <string_view>
#include <vector>

namespace zu {

class Registry;

inline constexpr const char* noInstalledVersion = "0.0";

// The subkey of HKEY_LOCAL_MACHINE "Software\Velmora\<product>" whose name carries the
// highest version number, exactly as enumerated; "0.0" when there is none, when the
// subkey count cannot be read or when a subkey name does not fit its 65-character buffer.
std::string findInstalledVersion(Registry& registry, const std::string& productName);

// The leading dotted number of a name ("6.10 SP1" -> {6, 10}), each component a digit
// string without leading zeros, so components of any length compare as integers.
// Empty when the name does not start (after blanks, an optional "+") with a digit.
std::vector<std::string> leadingVersion(std::string_view name);

// <0, 0, >0 like strcmp; missing components count as 0, so "7" equals "7.0".
int compareVersions(const std::vector<std::string>& a, const std::vector<std::string>& b);

}  // namespace zu
