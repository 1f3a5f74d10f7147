#include "platform/win32/MsXmlDom.h"

#include <msxml2.h>

#include "platform/win32/ComCreate.h"
#include "platform/win32/ComSupport.h"

namespace zu {

using namespace win;

namespace {

// IXMLDOMDocument2; the import libraries of some toolchains lack this IID.
constexpr IID kIidXmlDomDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// A node handle for what a lookup found; S_FALSE ("none") leaves a null pointer, which
// becomes an empty handle.
template <class T>
std::shared_ptr<XmlNodeImpl> wrapNode(ComPtr<T> node);

class MsXmlNode final : public XmlNodeImpl {
public:
    explicit MsXmlNode(ComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}

    XmlNodeKind kind() const override {
        DOMNodeType type = NODE_INVALID;
        check(node_->get_nodeType(&type), "nodeType");
        switch (type) {
            case NODE_ELEMENT: return XmlNodeKind::Element;
            case NODE_ATTRIBUTE: return XmlNodeKind::Attribute;
            case NODE_TEXT:
            case NODE_CDATA_SECTION: return XmlNodeKind::Text;
            case NODE_DOCUMENT: return XmlNodeKind::Document;
            default: return XmlNodeKind::Other;
        }
    }
    std::string nodeName() const override {
        Bstr name;
        check(node_->get_nodeName(name.put()), "nodeName");
        return narrow(name.get());
    }
    std::string text() const override {
        Bstr text;
        check(node_->get_text(text.put()), "text");
        return narrow(text.get());
    }
    void setText(const std::string& value) override {
        Bstr text(widen(value));
        check(node_->put_text(text.get()), "put_text");
    }
    std::shared_ptr<XmlNodeImpl> selectSingleNode(const std::string& path) override {
        Bstr query(widen(path));
        ComPtr<IXMLDOMNode> found;
        check(node_->selectSingleNode(query.get(), found.put()), "selectSingleNode");
        return wrapNode(std::move(found));
    }
    std::vector<std::shared_ptr<XmlNodeImpl>> selectNodes(const std::string& path) override {
        Bstr query(widen(path));
        ComPtr<IXMLDOMNodeList> list;
        check(node_->selectNodes(query.get(), list.put()), "selectNodes");
        std::vector<std::shared_ptr<XmlNodeImpl>> snapshot;
        if (!list) return snapshot;
        long length = 0;
        check(list->get_length(&length), "length");
        snapshot.reserve(static_cast<std::size_t>(length));
        for (long i = 0; i < length; ++i) {
            ComPtr<IXMLDOMNode> item;
            check(list->get_item(i, item.put()), "item");
            snapshot.push_back(wrapNode(std::move(item)));
        }
        return snapshot;
    }
    std::shared_ptr<XmlNodeImpl> attributeNode(const std::string& name) override {
        ComPtr<IXMLDOMNamedNodeMap> attributes;
        check(node_->get_attributes(attributes.put()), "attributes");
        if (!attributes) throw ComError(hr::pointer, "node has no attributes");
        Bstr attrName(widen(name));
        ComPtr<IXMLDOMNode> found;
        check(attributes->getNamedItem(attrName.get(), found.put()), "getNamedItem");
        return wrapNode(std::move(found));
    }
    std::optional<std::string> getAttribute(const std::string& name) override {
        Bstr attrName(widen(name));
        Variant value;
        check(element()->getAttribute(attrName.get(), value.put()), "getAttribute");
        if (value.get()->vt == VT_NULL || value.get()->vt == VT_EMPTY) return std::nullopt;
        check(VariantChangeType(value.get(), value.get(), 0, VT_BSTR), "getAttribute value");
        return narrow(value.get()->bstrVal);
    }
    void setAttribute(const std::string& name, const std::string& value) override {
        Bstr attrName(widen(name));
        Variant attrValue = Variant::fromBstr(widen(value));
        check(element()->setAttribute(attrName.get(), *attrValue.get()), "setAttribute");
    }
    void removeChild(XmlNodeImpl& child) override {
        auto* other = dynamic_cast<MsXmlNode*>(&child);
        if (!other) throw ComError(hr::invalidArg, "removeChild: not an MSXML node");
        ComPtr<IXMLDOMNode> removed;
        check(node_->removeChild(other->node_.get(), removed.put()), "removeChild");
    }
    std::shared_ptr<XmlNodeImpl> parentNode() override {
        ComPtr<IXMLDOMNode> parent;
        check(node_->get_parentNode(parent.put()), "parentNode");
        return wrapNode(std::move(parent));
    }
    std::shared_ptr<XmlNodeImpl> firstChild() override {
        ComPtr<IXMLDOMNode> child;
        check(node_->get_firstChild(child.put()), "firstChild");
        return wrapNode(std::move(child));
    }

private:
    ComPtr<IXMLDOMElement> element() const {
        ComPtr<IXMLDOMElement> e;
        check(node_->QueryInterface(IID_IXMLDOMElement, e.putVoid()), "node is not an element");
        return e;
    }

    ComPtr<IXMLDOMNode> node_;
};

template <class T>
std::shared_ptr<XmlNodeImpl> wrapNode(ComPtr<T> node) {
    if (!node) return nullptr;
    // Every DOM interface derives from IXMLDOMNode; keep the node interface itself.
    ComPtr<IXMLDOMNode> asNode;
    check(node->QueryInterface(IID_IXMLDOMNode, asNode.putVoid()), "QueryInterface IXMLDOMNode");
    return std::make_shared<MsXmlNode>(std::move(asNode));
}

class MsXmlDocument final : public XmlDocumentImpl {
public:
    explicit MsXmlDocument(ComPtr<IXMLDOMDocument> doc) : doc_(std::move(doc)) {}

    bool loadXML(const std::string& text) override {
        Bstr source(widen(text));
        VARIANT_BOOL ok = VARIANT_FALSE;
        check(doc_->loadXML(source.get(), &ok), "loadXML");
        return ok == VARIANT_TRUE;
    }
    long parseErrorCode() override {
        ComPtr<IXMLDOMParseError> error;
        check(doc_->get_parseError(error.put()), "parseError");
        if (!error) throw ComError(hr::pointer, "no parseError object");
        long code = 0;
        check(error->get_errorCode(&code), "parseError.errorCode");
        return code;
    }
    std::string xml() override {
        Bstr text;
        check(doc_->get_xml(text.put()), "xml");
        return narrow(text.get());
    }
    std::shared_ptr<XmlNodeImpl> documentElement() override {
        ComPtr<IXMLDOMElement> root;
        check(doc_->get_documentElement(root.put()), "documentElement");
        return wrapNode(std::move(root));
    }
    std::shared_ptr<XmlNodeImpl> node() override { return wrapNode(doc_); }

private:
    ComPtr<IXMLDOMDocument> doc_;
};

}  // namespace

XmlDocument MsXmlFactory::createDocument() {
    auto doc = createComObject<IXMLDOMDocument>(L"Msxml2.DOMDocument", IID_IXMLDOMDocument);
    // Selections are XPath, as on every other DOM: version 3 would otherwise use its older
    // pattern language, which some implementations answer malformed paths in with "none".
    ComPtr<IXMLDOMDocument2> doc2;
    check(doc->QueryInterface(kIidXmlDomDocument2, doc2.putVoid()), "QueryInterface IXMLDOMDocument2");
    Bstr property(L"SelectionLanguage");
    Variant language = Variant::fromBstr(L"XPath");
    check(doc2->setProperty(property.get(), *language.get()), "SelectionLanguage");
    return XmlDocument(std::make_shared<MsXmlDocument>(std::move(doc)));
}

}  // namespace zu
