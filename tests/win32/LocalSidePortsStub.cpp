#include "support/SidePorts.h"
#include <stdexcept>
namespace zu::test {
std::unique_ptr<XmlFactory> makeSideXmlFactory() { throw std::runtime_error("stub"); }
std::unique_ptr<FileSystem> makeSideFileSystem() { throw std::runtime_error("stub"); }
std::unique_ptr<LocalClock> makeSideClock() { throw std::runtime_error("stub"); }
std::unique_ptr<Locale> makeSideLocale() { throw std::runtime_error("stub"); }
}
