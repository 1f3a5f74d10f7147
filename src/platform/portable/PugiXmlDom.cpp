#include "platform/portable/PugiXmlDom.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string_view>

namespace zu {

namespace {

// pugixml frees a node on remove_child, while our handles must outlive removal. A
// removed node is therefore moved under a holder element inside the same document,
// which serialisation, the document element and parentNode all look past.
constexpr const char* kHolderName = "zu.detached";

struct DocData {
    pugi::xml_document doc;
    pugi::xml_parse_result parsed;
    pugi::xml_node holder() {
        for (pugi::xml_node n : doc.children())
            if (n.type() == pugi::node_element && std::string_view(n.name()) == kHolderName) return n;
        return doc.append_child(kHolderName);
    }
    bool isHolder(const pugi::xml_node& n) const {
        return n.type() == pugi::node_element && std::string_view(n.name()) == kHolderName &&
               n.parent() == doc;
    }
};
using DocPtr = std::shared_ptr<DocData>;

void collectText(const pugi::xml_node& n, std::string& out) {
    for (pugi::xml_node c : n.children()) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            out += c.value();
        else if (c.type() == pugi::node_element)
            collectText(c, out);
    }
}

class PugiNode final : public XmlNodeImpl {
public:
    PugiNode(DocPtr doc, pugi::xml_node node) : doc_(std::move(doc)), node_(node) {}
    PugiNode(DocPtr doc, pugi::xml_attribute attr, pugi::xml_node owner)
        : doc_(std::move(doc)), node_(owner), attr_(attr) {}

    static std::shared_ptr<XmlNodeImpl> wrap(const DocPtr& doc, pugi::xml_node n) {
        if (!n) return nullptr;
        return std::make_shared<PugiNode>(doc, n);
    }
    static std::shared_ptr<XmlNodeImpl> wrap(const DocPtr& doc, const pugi::xpath_node& x) {
        if (x.attribute()) return std::make_shared<PugiNode>(doc, x.attribute(), x.parent());
        return wrap(doc, x.node());
    }

    XmlNodeKind kind() const override {
        if (attr_) return XmlNodeKind::Attribute;
        switch (node_.type()) {
            case pugi::node_element: return XmlNodeKind::Element;
            case pugi::node_pcdata:
            case pugi::node_cdata: return XmlNodeKind::Text;
            case pugi::node_document: return XmlNodeKind::Document;
            default: return XmlNodeKind::Other;
        }
    }
    std::string nodeName() const override {
        if (attr_) return attr_.name();
        switch (node_.type()) {
            case pugi::node_element: return node_.name();
            case pugi::node_pcdata: return "#text";
            case pugi::node_cdata: return "#cdata-section";
            case pugi::node_document: return "#document";
            default: return node_.name();
        }
    }
    std::string text() const override {
        if (attr_) return attr_.value();
        if (node_.type() == pugi::node_pcdata || node_.type() == pugi::node_cdata) return node_.value();
        // The content of an element, without the white space around it (MSXML's `text`).
        std::string out;
        collectText(node_, out);
        constexpr const char* kSpace = " \t\r\n";
        const auto first = out.find_first_not_of(kSpace);
        if (first == std::string::npos) return {};
        return out.substr(first, out.find_last_not_of(kSpace) - first + 1);
    }
    void setText(const std::string& value) override {
        if (attr_) {
            attr_.set_value(value.c_str());
            return;
        }
        if (node_.type() == pugi::node_pcdata || node_.type() == pugi::node_cdata) {
            node_.set_value(value.c_str());
            return;
        }
        while (node_.first_child()) node_.remove_child(node_.first_child());
        node_.append_child(pugi::node_pcdata).set_value(value.c_str());
    }
    std::shared_ptr<XmlNodeImpl> selectSingleNode(const std::string& path) override {
        return wrap(doc_, element().select_node(query(path)));
    }
    std::vector<std::shared_ptr<XmlNodeImpl>> selectNodes(const std::string& path) override {
        std::vector<std::shared_ptr<XmlNodeImpl>> out;
        for (const pugi::xpath_node& x : element().select_nodes(query(path)))
            if (!(x.node() && doc_->isHolder(x.node()))) out.push_back(wrap(doc_, x));
        return out;
    }
    std::shared_ptr<XmlNodeImpl> attributeNode(const std::string& name) override {
        pugi::xml_attribute a = element().attribute(name.c_str());
        if (!a) return nullptr;
        return std::make_shared<PugiNode>(doc_, a, node_);
    }
    std::optional<std::string> getAttribute(const std::string& name) override {
        pugi::xml_attribute a = element().attribute(name.c_str());
        if (!a) return std::nullopt;
        return std::string(a.value());
    }
    void setAttribute(const std::string& name, const std::string& value) override {
        pugi::xml_node e = element();
        if (e.type() != pugi::node_element) throw ComError(hr::fail, "setAttribute on a non-element");
        pugi::xml_attribute a = e.attribute(name.c_str());
        if (!a) a = e.append_attribute(name.c_str());
        a.set_value(value.c_str());
    }
    void removeChild(XmlNodeImpl& child) override {
        auto* other = dynamic_cast<PugiNode*>(&child);
        if (attr_ || !other || other->attr_ || other->doc_ != doc_ || other->node_.parent() != node_ ||
            doc_->isHolder(node_))
            throw ComError(hr::invalidArg, "removeChild: not a child of this node");
        if (!doc_->holder().append_move(other->node_))
            throw ComError(hr::fail, "removeChild: the node could not be detached");
    }
    std::shared_ptr<XmlNodeImpl> parentNode() override {
        if (attr_) return nullptr;
        pugi::xml_node p = node_.parent();
        if (doc_->isHolder(p)) return nullptr;
        return wrap(doc_, p);
    }
    std::shared_ptr<XmlNodeImpl> firstChild() override {
        if (attr_) return nullptr;
        pugi::xml_node c = node_.first_child();
        if (doc_->isHolder(c)) c = c.next_sibling();
        return wrap(doc_, c);
    }

private:
    pugi::xml_node element() const {
        if (attr_) throw ComError(hr::fail, "operation needs an element, not an attribute");
        return node_;
    }
    static pugi::xpath_query query(const std::string& path) {
        try {
            return pugi::xpath_query(path.c_str());
        } catch (const pugi::xpath_exception&) {
            throw ComError(hr::fail, "invalid selection path: " + path);
        }
    }

    DocPtr doc_;
    pugi::xml_node node_;
    pugi::xml_attribute attr_;
};

// pugixml accepts some texts that are not well-formed XML: more than one root, text
// around the root, references to undeclared entities. A second, literal parse of the
// text finds those, so that such a body fails to load as it would anywhere else.
bool referencesAreDeclared(std::string_view text) {
    static constexpr std::string_view kNamed[] = {"lt;", "gt;", "amp;", "apos;", "quot;"};
    for (std::size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
        const std::string_view rest = text.substr(at + 1);
        const bool named = std::any_of(std::begin(kNamed), std::end(kNamed),
                                       [&](std::string_view n) { return rest.substr(0, n.size()) == n; });
        if (named) continue;
        const bool hex = rest.substr(0, 2) == "#x";
        const std::size_t digitsFrom = hex ? 2 : 1;
        if (rest.empty() || rest[0] != '#') return false;
        std::size_t end = digitsFrom;
        while (end < rest.size() && (hex ? std::isxdigit(static_cast<unsigned char>(rest[end]))
                                         : std::isdigit(static_cast<unsigned char>(rest[end]))))
            ++end;
        if (end == digitsFrom || end >= rest.size() || rest[end] != ';') return false;
    }
    return true;
}

bool referencesAreDeclared(const pugi::xml_node& node) {
    for (pugi::xml_attribute a : node.attributes())
        if (!referencesAreDeclared(a.value())) return false;
    for (pugi::xml_node c : node.children()) {
        if (c.type() == pugi::node_pcdata && !referencesAreDeclared(c.value())) return false;
        if (c.type() == pugi::node_element && !referencesAreDeclared(c)) return false;
    }
    return true;
}

pugi::xml_parse_status strictStatus(const std::string& text) {
    pugi::xml_document literal;
    const unsigned flags = (pugi::parse_default | pugi::parse_fragment) & ~pugi::parse_escapes;
    const pugi::xml_parse_result result = literal.load_buffer(text.data(), text.size(), flags, pugi::encoding_utf8);
    if (!result) return result.status;
    int roots = 0;
    for (pugi::xml_node n : literal.children()) {
        if (n.type() == pugi::node_element) ++roots;
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) return pugi::status_no_document_element;
    }
    if (roots != 1) return pugi::status_no_document_element;
    return referencesAreDeclared(literal) ? pugi::status_ok : pugi::status_bad_pcdata;
}

class PugiDocument final : public XmlDocumentImpl {
public:
    PugiDocument() : data_(std::make_shared<DocData>()) {
        data_->parsed.status = pugi::status_no_document_element;
    }

    bool loadXML(const std::string& text) override {
        // A fresh tree: handles into the previous content keep it alive.
        data_ = std::make_shared<DocData>();
        data_->parsed = data_->doc.load_buffer(text.data(), text.size(),
                                               pugi::parse_default | pugi::parse_declaration,
                                               pugi::encoding_utf8);
        if (data_->parsed) data_->parsed.status = strictStatus(text);
        if (!data_->parsed) data_->doc.reset();
        return static_cast<bool>(data_->parsed);
    }
    long parseErrorCode() override {
        return data_->parsed ? 0 : static_cast<long>(data_->parsed.status);
    }
    std::string xml() override {
        std::ostringstream out;
        for (pugi::xml_node n : data_->doc.children())
            if (!data_->isHolder(n)) n.print(out, "", pugi::format_raw, pugi::encoding_utf8);
        return out.str();
    }
    std::shared_ptr<XmlNodeImpl> documentElement() override {
        for (pugi::xml_node n : data_->doc.children())
            if (n.type() == pugi::node_element && !data_->isHolder(n)) return PugiNode::wrap(data_, n);
        return nullptr;
    }
    std::shared_ptr<XmlNodeImpl> node() override { return PugiNode::wrap(data_, data_->doc); }

private:
    DocPtr data_;
};

}  // namespace

XmlDocument PugiXmlFactory::createDocument() { return XmlDocument(std::make_shared<PugiDocument>()); }

}  // namespace zu
