#pragma once
// XML DOM adapter over MSXML ("Msxml2.DOMDocument") through COM. COM must be initialised
// on the calling thread (the control lives in a single-threaded apartment).
#include "catalog/XmlDom.h"

namespace zu {

class MsXmlFactory final : public XmlFactory {
public:
    XmlDocument createDocument() override;
};

}  // namespace zu
