#pragma once
// Everything the core needs of the world, handed to the control at construction.
// The COM module builds the Win32 set; tests build fakes or portable adapters.
namespace zu {

class XmlFactory;
class CatalogHttp;
class Registry;
class FileSystem;
class LocalClock;
class Installer;
class Shell;
class Strings;
class Locale;
struct UpdatePorts;

struct Ports {
    XmlFactory& xml;
    CatalogHttp& http;
    Registry& registry;
    FileSystem& files;
    LocalClock& clock;
    Installer& installer;
    Shell& shell;
    const Strings& strings;
    const Locale& locale;
    UpdatePorts& update;
};

}  // namespace zu
