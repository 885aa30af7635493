#pragma once

#include <vondrel/Exception.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pugi {
class xml_document;
struct xml_node_struct;
struct xml_attribute_struct;
} // namespace pugi

namespace vondrel {

/// A bad XPath expression.
class EXmlError : public Exception {
    using Exception::Exception;
};

/// An attribute of an element: its name and text. Valid while its document lives.
class TXmlAttribute {
public:
    TXmlAttribute() = default;

    explicit operator bool() const noexcept { return attribute_ != nullptr; }
    std::string Name() const;
    std::string Value() const;

private:
    friend class TXmlElement;
    friend class TXmlDocument;
    explicit TXmlAttribute(pugi::xml_attribute_struct* attribute) : attribute_(attribute) {}
    pugi::xml_attribute_struct* attribute_ = nullptr;
};

/// An element of a loaded document, or none. Valid while its document lives.
class TXmlElement {
public:
    TXmlElement() = default;

    explicit operator bool() const noexcept { return node_ != nullptr; }
    std::string TagName() const;
    /// Every attribute, in the order the document gives them.
    std::vector<TXmlAttribute> Attributes() const;
    /// The text of an attribute by name; empty when the element has none of that name.
    std::optional<std::string> Attribute(std::string_view name) const;
    /// The elements directly inside this one, in document order.
    std::vector<TXmlElement> ChildElements() const;
    /// The text directly inside the element (its character data, CDATA included).
    std::string Text() const;

    friend bool operator==(const TXmlElement& a, const TXmlElement& b) noexcept { return a.node_ == b.node_; }

private:
    friend class TXmlDocument;
    explicit TXmlElement(pugi::xml_node_struct* node) : node_(node) {}
    pugi::xml_node_struct* node_ = nullptr;
};

/// What an XPath expression selected first: an element, an attribute, or nothing.
struct TXmlNode {
    TXmlElement Element;
    TXmlAttribute Attribute;

    bool Empty() const noexcept { return !Element && !Attribute; }
};

/// Why a document could not be loaded. ErrorCode is 0 after a successful load.
struct TXmlParseError {
    int ErrorCode = 0;
    std::string Reason;
    /// Where the parser stopped (1-based); 0 when the failure has no position.
    int Line = 0;
    int Column = 0;
};

/// An XML document read into memory. The bytes may be UTF-8 (with or without a byte-order
/// mark), UTF-16 with a byte-order mark, or in the code page the XML declaration names
/// (GB2312/GBK, Big5, ISO-8859-1, ASCII); texts come out as UTF-8. A document must have
/// exactly one document element, no text outside it and no attribute twice on an element.
class TXmlDocument {
public:
    TXmlDocument();
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    /// Loads a file; false (and ParseError says why) when it cannot be read or parsed.
    /// A failed load leaves the document empty.
    bool Load(const std::string& fileName);
    /// Loads a document from its bytes, the same way.
    bool LoadXml(std::string_view bytes);
    const TXmlParseError& ParseError() const noexcept { return error_; }

    /// The root element; none when nothing is loaded.
    TXmlElement DocumentElement() const;
    /// The first element of that tag name anywhere in the document, in document order
    /// (what "//name" selects first); none when there is no such element.
    TXmlElement FirstElementByTagName(std::string_view tagName) const;
    /// The first node an XPath expression selects. Raises EXmlError for an expression
    /// that is not valid XPath.
    TXmlNode SelectSingleNode(std::string_view xpath) const;

private:
    bool Fail(int code, std::string reason, int line = 0, int column = 0);

    std::unique_ptr<pugi::xml_document> document_;
    TXmlParseError error_;
};

} // namespace vondrel
