#pragma once
// Catalogue GET through "Msxml2.XMLHTTP" (synchronous). COM must be initialised on the
// calling thread.
#include "catalog/CatalogHttp.h"

namespace zu {

class XmlHttpCatalog final : public CatalogHttp {
public:
    std::string get(const std::string& url) override;
};

}  // namespace zu
