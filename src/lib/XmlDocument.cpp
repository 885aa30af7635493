#include "lib/XmlDocument.h"

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/Unicode.h"

#include <pugixml.hpp>

#include <cstring>
#include <filesystem>

namespace vondrel {

namespace {

// Error codes of the checks made after parsing, beyond those of the parser.
constexpr int kErrorFile = 101;
constexpr int kErrorEncoding = 102;
constexpr int kErrorStructure = 103;

pugi::xml_node Node(pugi::xml_node_struct* node) {
    return pugi::xml_node(node);
}

pugi::xml_attribute Attr(pugi::xml_attribute_struct* attribute) {
    return pugi::xml_attribute(attribute);
}

/// The encoding named by the XML declaration at the start of the bytes; empty without one.
std::string DeclaredEncoding(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml")
        return {};
    const std::size_t end = bytes.find("?>");
    const std::string_view declaration = bytes.substr(0, end);
    const std::size_t key = declaration.find("encoding");
    if (key == std::string_view::npos)
        return {};
    std::size_t at = declaration.find('=', key);
    if (at == std::string_view::npos)
        return {};
    at = declaration.find_first_not_of(" \t\r\n", at + 1);
    if (at == std::string_view::npos || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const std::size_t close = declaration.find(declaration[at], at + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(declaration.substr(at + 1, close - at - 1));
}

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    return text;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return Utf16ToUtf8(text);
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view candidate : names)
        if (SameText(name, candidate))
            return true;
    return false;
}

/// The document's text as UTF-8, or the reason it cannot be decoded.
bool DecodeDocument(std::string_view bytes, std::string& text, std::string& reason) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        text = Utf16ToUtf8(Utf16FromBytes(bytes.substr(2), bytes[0] == '\xFE'));
        return true;
    }
    const std::string encoding = Trim(DeclaredEncoding(bytes));
    if (encoding.empty() || IsOneOf(encoding, {"UTF-8", "UTF8", "US-ASCII", "ASCII"})) {
        if (!IsValidUtf8(bytes)) {
            reason = "The document is not valid UTF-8 and its declaration names no other encoding";
            return false;
        }
        text = std::string(bytes);
        return true;
    }
    if (IsOneOf(encoding, {"ISO-8859-1", "LATIN1", "L1"})) {
        text = Latin1ToUtf8(bytes);
        return true;
    }
    int codePage = 0;
    if (IsOneOf(encoding, {"GB2312", "GBK", "CP936", "WINDOWS-936", "X-GBK", "GB18030"}))
        codePage = kCodePageGBK;
    else if (IsOneOf(encoding, {"BIG5", "BIG-5", "CP950", "WINDOWS-950", "X-BIG5", "BIG5-HKSCS"}))
        codePage = kCodePageBig5;
    if (codePage == 0) {
        reason = "The encoding '" + encoding + "' is not supported";
        return false;
    }
    const std::optional<std::u16string> wide = MultiByteToWideChar(codePage, bytes);
    if (!wide) {
        reason = "The encoding '" + encoding + "' is not supported";
        return false;
    }
    text = Utf16ToUtf8(*wide);
    return true;
}

/// Line and column (both 1-based, the column in characters) of a byte offset.
void Position(std::string_view text, std::ptrdiff_t offset, int& line, int& column) {
    line = 1;
    column = 1;
    const auto end = static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0));
    for (std::size_t i = 0; i < end && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
}

/// What the parser accepts but a well-formed document does not have: text beside the
/// document element, several document elements, an attribute given twice.
std::string StructureProblem(const pugi::xml_document& document) {
    int elements = 0;
    for (pugi::xml_node node : document.children()) {
        if (node.type() == pugi::node_element)
            ++elements;
        else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            return "Text is not allowed outside the document element";
    }
    if (elements == 0)
        return "No document element found";
    if (elements > 1)
        return "Only one document element is allowed";
    struct Walker : pugi::xml_tree_walker {
        std::string Problem;
        bool for_each(pugi::xml_node& node) override {
            if (node.type() != pugi::node_element)
                return true;
            for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
                for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute())
                    if (std::strcmp(a.name(), b.name()) == 0) {
                        Problem = std::string("The attribute '") + a.name() + "' is given twice on '" +
                                  node.name() + "'";
                        return false;
                    }
            return true;
        }
    } walker;
    const_cast<pugi::xml_document&>(document).traverse(walker);
    return walker.Problem;
}

} // namespace

std::string TXmlAttribute::Name() const {
    return attribute_ ? Attr(attribute_).name() : std::string();
}

std::string TXmlAttribute::Value() const {
    return attribute_ ? Attr(attribute_).value() : std::string();
}

std::string TXmlElement::TagName() const {
    return node_ ? Node(node_).name() : std::string();
}

std::vector<TXmlAttribute> TXmlElement::Attributes() const {
    std::vector<TXmlAttribute> attributes;
    if (!node_)
        return attributes;
    for (pugi::xml_attribute attribute : Node(node_).attributes())
        attributes.push_back(TXmlAttribute(attribute.internal_object()));
    return attributes;
}

std::optional<std::string> TXmlElement::Attribute(std::string_view name) const {
    if (!node_)
        return std::nullopt;
    for (pugi::xml_attribute attribute : Node(node_).attributes())
        if (name == attribute.name())
            return std::string(attribute.value());
    return std::nullopt;
}

std::vector<TXmlElement> TXmlElement::ChildElements() const {
    std::vector<TXmlElement> children;
    if (!node_)
        return children;
    for (pugi::xml_node child : Node(node_).children())
        if (child.type() == pugi::node_element)
            children.push_back(TXmlElement(child.internal_object()));
    return children;
}

std::string TXmlElement::Text() const {
    std::string text;
    if (!node_)
        return text;
    for (pugi::xml_node child : Node(node_).children())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
    return text;
}

TXmlDocument::TXmlDocument() : document_(std::make_unique<pugi::xml_document>()) {}

TXmlDocument::~TXmlDocument() = default;

bool TXmlDocument::Fail(int code, std::string reason, int line, int column) {
    document_->reset();
    error_ = TXmlParseError{code, std::move(reason), line, column};
    return false;
}

bool TXmlDocument::Load(const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec))
        return Fail(kErrorFile, "File not found: " + fileName);
    const std::optional<std::string> bytes = ReadFileBytes(fileName);
    if (!bytes)
        return Fail(kErrorFile, "Cannot read the file " + fileName);
    return LoadXml(*bytes);
}

bool TXmlDocument::LoadXml(std::string_view bytes) {
    std::string text;
    std::string reason;
    if (!DecodeDocument(bytes, text, reason))
        return Fail(kErrorEncoding, reason);
    // As a fragment, text outside the document element is kept, so the check below sees it.
    const pugi::xml_parse_result result = document_->load_buffer(
        text.data(), text.size(), pugi::parse_default | pugi::parse_fragment, pugi::encoding_utf8);
    if (!result) {
        int line = 0;
        int column = 0;
        Position(text, result.offset, line, column);
        return Fail(static_cast<int>(result.status),
                    std::string(result.description()) + " (line " + std::to_string(line) + ", column " +
                        std::to_string(column) + ")",
                    line, column);
    }
    if (std::string problem = StructureProblem(*document_); !problem.empty())
        return Fail(kErrorStructure, std::move(problem));
    error_ = TXmlParseError{};
    return true;
}

TXmlElement TXmlDocument::DocumentElement() const {
    return TXmlElement(document_->document_element().internal_object());
}

TXmlElement TXmlDocument::FirstElementByTagName(std::string_view tagName) const {
    const pugi::xml_node found = document_->find_node([tagName](pugi::xml_node node) {
        return node.type() == pugi::node_element && tagName == node.name();
    });
    return TXmlElement(found.internal_object());
}

TXmlNode TXmlDocument::SelectSingleNode(std::string_view xpath) const {
    try {
        const pugi::xpath_node found = document_->select_node(std::string(xpath).c_str());
        TXmlNode node;
        if (found.attribute())
            node.Attribute = TXmlAttribute(found.attribute().internal_object());
        else if (found.node() && found.node().type() == pugi::node_element)
            node.Element = TXmlElement(found.node().internal_object());
        return node;
    } catch (const pugi::xpath_exception& error) {
        throw EXmlError("'" + std::string(xpath) + "' is not a valid XPath expression: " + error.what());
    }
}

} // namespace vondrel
