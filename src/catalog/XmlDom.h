#pragma once
// Port: the XML document object model the catalogues are read and edited through.
//
// Adapters implement XmlNodeImpl / XmlDocumentImpl; the core only sees the handle types
// XmlNode and XmlDocument. A handle may be empty; using an empty handle where a node is
// needed throws ComError(hr::pointer). A handle keeps its node, and the node its
// document, alive: it stays usable after the document slot is refilled and after the
// node has been removed from its parent. Node lists are snapshots.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/ComError.h"

namespace zu {

enum class XmlNodeKind { Element, Attribute, Text, Document, Other };

class XmlNodeImpl {
public:
    virtual ~XmlNodeImpl() = default;
    virtual XmlNodeKind kind() const = 0;
    virtual std::string nodeName() const = 0;
    // Attribute: its value. Element/document: the concatenated text content.
    virtual std::string text() const = 0;
    virtual void setText(const std::string& value) = 0;
    // First match of a path relative to this node, or null.
    virtual std::shared_ptr<XmlNodeImpl> selectSingleNode(const std::string& path) = 0;
    virtual std::vector<std::shared_ptr<XmlNodeImpl>> selectNodes(const std::string& path) = 0;
    // attributes.getNamedItem(name): the attribute node, or null.
    virtual std::shared_ptr<XmlNodeImpl> attributeNode(const std::string& name) = 0;
    virtual std::optional<std::string> getAttribute(const std::string& name) = 0;
    virtual void setAttribute(const std::string& name, const std::string& value) = 0;
    // Detaches `child`; throws ComError when it is not a child of this node.
    virtual void removeChild(XmlNodeImpl& child) = 0;
    virtual std::shared_ptr<XmlNodeImpl> parentNode() = 0;
    virtual std::shared_ptr<XmlNodeImpl> firstChild() = 0;
};

class XmlDocumentImpl {
public:
    virtual ~XmlDocumentImpl() = default;
    // Replaces the content with the parsed text; true when it was well-formed.
    virtual bool loadXML(const std::string& text) = 0;
    // parseError.errorCode: 0 after a successful parse, non-zero otherwise.
    virtual long parseErrorCode() = 0;
    // The whole document serialised, reflecting every change so far.
    virtual std::string xml() = 0;
    virtual std::shared_ptr<XmlNodeImpl> documentElement() = 0;
    // The document node itself, for selections relative to the document.
    virtual std::shared_ptr<XmlNodeImpl> node() = 0;
};

class XmlNode;
using XmlNodeList = std::vector<XmlNode>;

class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(std::shared_ptr<XmlNodeImpl> impl) : impl_(std::move(impl)) {}

    bool empty() const { return !impl_; }
    explicit operator bool() const { return !empty(); }

    // The same node taken as an element / attribute: empty when it is not one.
    XmlNode asElement() const;
    XmlNode asAttribute() const;

    XmlNodeKind kind() const { return impl().kind(); }
    std::string nodeName() const { return impl().nodeName(); }
    std::string text() const { return impl().text(); }
    void setText(const std::string& value) const { impl().setText(value); }
    XmlNode selectSingleNode(const std::string& path) const { return XmlNode(impl().selectSingleNode(path)); }
    XmlNodeList selectNodes(const std::string& path) const;
    XmlNode attribute(const std::string& name) const { return XmlNode(impl().attributeNode(name)); }
    std::optional<std::string> getAttribute(const std::string& name) const { return impl().getAttribute(name); }
    void setAttribute(const std::string& name, const std::string& value) const { impl().setAttribute(name, value); }
    // Removing an empty handle is a failure (invalid argument), as is a non-child.
    void removeChild(const XmlNode& child) const;
    XmlNode parentNode() const { return XmlNode(impl().parentNode()); }
    XmlNode firstChild() const { return XmlNode(impl().firstChild()); }

    const std::shared_ptr<XmlNodeImpl>& raw() const { return impl_; }

private:
    XmlNodeImpl& impl() const;
    std::shared_ptr<XmlNodeImpl> impl_;
};

class XmlDocument {
public:
    XmlDocument() = default;
    explicit XmlDocument(std::shared_ptr<XmlDocumentImpl> impl) : impl_(std::move(impl)) {}

    bool empty() const { return !impl_; }
    explicit operator bool() const { return !empty(); }

    bool loadXML(const std::string& text) const { return impl().loadXML(text); }
    long parseErrorCode() const { return impl().parseErrorCode(); }
    std::string xml() const { return impl().xml(); }
    XmlNode documentElement() const { return XmlNode(impl().documentElement()); }
    XmlNode node() const { return XmlNode(impl().node()); }
    XmlNode selectSingleNode(const std::string& path) const { return node().selectSingleNode(path); }
    XmlNodeList selectNodes(const std::string& path) const { return node().selectNodes(path); }

private:
    XmlDocumentImpl& impl() const;
    std::shared_ptr<XmlDocumentImpl> impl_;
};

// Port: makes new, empty documents ("Msxml2.DOMDocument" on Windows).
class XmlFactory {
public:
    virtual ~XmlFactory() = default;
    // Throws ComError with the platform's code when no document can be made.
    virtual XmlDocument createDocument() = 0;
};

}  // namespace zu
