#include "catalog/XmlDom.h"

namespace zu {

XmlNodeImpl& XmlNode::impl() const {
    if (!impl_) throw ComError(hr::pointer, "empty XML node handle");
    return *impl_;
}

XmlDocumentImpl& XmlDocument::impl() const {
    if (!impl_) throw ComError(hr::pointer, "empty XML document handle");
    return *impl_;
}

XmlNode XmlNode::asElement() const {
    return impl_ && impl_->kind() == XmlNodeKind::Element ? *this : XmlNode();
}

XmlNode XmlNode::asAttribute() const {
    return impl_ && impl_->kind() == XmlNodeKind::Attribute ? *this : XmlNode();
}

XmlNodeList XmlNode::selectNodes(const std::string& path) const {
    XmlNodeList list;
    for (auto& n : impl().selectNodes(path)) list.emplace_back(std::move(n));
    return list;
}

void XmlNode::removeChild(const XmlNode& child) const {
    XmlNodeImpl& self = impl();
    if (child.empty()) throw ComError(hr::invalidArg, "removeChild of an empty handle");
    self.removeChild(*child.impl_);
}

}  // namespace zu
