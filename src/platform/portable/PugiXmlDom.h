#pragma once
// XML DOM adapter over pugixml (UTF-8 text).
#include "catalog/XmlDom.h"

namespace zu {

class PugiXmlFactory final : public XmlFactory {
public:
    XmlDocument createDocument() override;
};

}  // namespace zu
