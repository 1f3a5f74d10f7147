#pragma once
// Fetching a catalogue into the kept document, and the error catalogue.
#include <string>

#include "catalog/XmlDom.h"

namespace zu {

class CatalogHttp;

enum class LoadOutcome { Loaded, ParseFailure };

// Puts a new, empty document into `slot` (before anything is fetched, so the slot is
// replaced whatever happens next), GETs `url` and parses the body into it. The HTTP
// status is not looked at. Loaded when the document parsed; ParseFailure otherwise.
// Transport and object-creation failures throw ComError with their code.
LoadOutcome loadCatalog(XmlDocument& slot, XmlFactory& xml, CatalogHttp& http, const std::string& url);

// The error catalogue with `message` (escaped for XML) in double quotes as the summary.
std::string makeErrorCatalog(const std::string& message);

}  // namespace zu
