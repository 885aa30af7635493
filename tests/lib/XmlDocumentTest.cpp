#include "lib/XmlDocument.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vondrel {
namespace {

using test::TempFolder;

std::vector<std::string> AttributeNames(const TXmlElement& element) {
    std::vector<std::string> names;
    for (const TXmlAttribute& attribute : element.Attributes())
        names.push_back(attribute.Name() + "=" + attribute.Value());
    return names;
}

TEST(XmlDocument, FindsTheFirstElementOfATagAnywhereInDocumentOrder) {
    TXmlDocument document;
    ASSERT_TRUE(document.LoadXml("<TfrmSample Caption=\"form\">"
                                 "  <pnlTop><lblName Caption=\"deep\"/></pnlTop>"
                                 "  <lblName Caption=\"shallow\"/>"
                                 "  <Other><lblname Caption=\"other case\"/></Other>"
                                 "</TfrmSample>"))
        << document.ParseError().Reason;
    EXPECT_EQ(document.DocumentElement().TagName(), "TfrmSample");
    const TXmlElement found = document.FirstElementByTagName("lblName");
    ASSERT_TRUE(found);
    EXPECT_EQ(found.Attribute("Caption"), "deep");
    // Tag names are compared as they are written.
    EXPECT_EQ(document.FirstElementByTagName("lblname").Attribute("Caption"), "other case");
    EXPECT_FALSE(document.FirstElementByTagName("lblMissing"));
    EXPECT_EQ(document.FirstElementByTagName("TfrmSample"), document.DocumentElement());
}

TEST(XmlDocument, GivesAttributesInDocumentOrderWithEntitiesResolved) {
    TXmlDocument document;
    ASSERT_TRUE(
        document.LoadXml("<a Zeta=\"1\" Alpha=\"&amp;Save\" Font.Name=\"Tahoma\" Items_3=\"&#x4E00;\">"
                         "<b/>text<![CDATA[<raw>]]><c/></a>"));
    const TXmlElement root = document.DocumentElement();
    EXPECT_EQ(AttributeNames(root),
              (std::vector<std::string>{"Zeta=1", "Alpha=&Save", "Font.Name=Tahoma", "Items_3=一"}));
    EXPECT_FALSE(root.Attribute("zeta"));
    EXPECT_EQ(root.Text(), "text<raw>");
    ASSERT_EQ(root.ChildElements().size(), 2u);
    EXPECT_EQ(root.ChildElements()[1].TagName(), "c");
}

TEST(XmlDocument, SelectsAttributesAndElementsByXPath) {
    TXmlDocument document;
    ASSERT_TRUE(document.LoadXml("<TfrmBaseGene><Messages><sOption Msg=\"Options\"/></Messages>"
                                 "<sEmpty Msg=\"\"/><sNoMsg Caption=\"x\"/></TfrmBaseGene>"));
    const TXmlNode option = document.SelectSingleNode("//sOption/@Msg");
    ASSERT_TRUE(option.Attribute);
    EXPECT_EQ(option.Attribute.Value(), "Options");
    const TXmlNode empty = document.SelectSingleNode("//sEmpty/@Msg");
    ASSERT_TRUE(empty.Attribute);
    EXPECT_EQ(empty.Attribute.Value(), "");
    EXPECT_TRUE(document.SelectSingleNode("//sNoMsg/@Msg").Empty());
    const TXmlNode element = document.SelectSingleNode("//sNoMsg");
    EXPECT_EQ(element.Element.TagName(), "sNoMsg");
    EXPECT_THROW(document.SelectSingleNode("//E;000038/@Msg"), EXmlError);
}

TEST(XmlDocument, ReadsTheEncodingsLanguageFilesComeIn) {
    const std::string gbk = "\xCB\xF0\xD2\xE6\xBD\xE1\xD7\xAA";                     // 损益结转
    const std::string big5 = "\xB7\x6C\xAF\x71\xB5\xB2\xC2\xE0";                    // 損益結轉
    const std::string utf16le("\xFF\xFE<\0a\0 \0C\0=\0\"\0\x1F\x66\"\0/\0>\0", 22); // <a C="星"/>
    const std::string utf16be("\xFE\xFF\0<\0a\0 \0C\0=\0\"\x66\x1F\0\"\0/\0>", 22);
    const struct {
        const char* name;
        std::string bytes;
        std::string caption;
    } cases[] = {
        {"UTF-8 without declaration", "<a C=\"损益结转\"/>", "损益结转"},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF<?xml version=\"1.0\"?><a C=\"损益\"/>", "损益"},
        {"GB2312 as declared", "<?xml version=\"1.0\" encoding=\"GB2312\"?><a C=\"" + gbk + "\"/>",
         "损益结转"},
        {"GBK in single quotes", "<?xml version='1.0' encoding='gbk' ?><a C=\"" + gbk + "\"/>", "损益结转"},
        {"Big5 as declared", "<?xml version=\"1.0\" encoding=\"big5\"?><a C=\"" + big5 + "\"/>", "損益結轉"},
        {"ISO-8859-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a C=\"caf\xE9\"/>", "café"},
        {"UTF-16 little-endian", utf16le, "星"},
        {"UTF-16 big-endian", utf16be, "星"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TXmlDocument document;
        ASSERT_TRUE(document.LoadXml(c.bytes)) << document.ParseError().Reason;
        EXPECT_EQ(document.DocumentElement().Attribute("C"), c.caption);
    }
}

TEST(XmlDocument, ReportsWhyADocumentCannotBeLoadedAndKeepsNothing) {
    const struct {
        const char* name;
        std::string bytes;
        const char* reasonContains;
    } cases[] = {
        {"mismatched tags", "<a>\n  <b></a>", "line 2"},
        {"empty file", "", "No document element"},
        {"only a declaration", "<?xml version=\"1.0\"?>", "No document element"},
        {"two document elements", "<a/><b/>", "Only one document element"},
        {"text beside the document element", "<a/>stray", "outside the document element"},
        {"an attribute twice", "<a><b Caption=\"1\" Caption=\"2\"/></a>", "'Caption' is given twice on 'b'"},
        {"an unquoted attribute", "<a Caption=x/>", "attribute"},
        {"GBK bytes without a declaration", "<a C=\"\xCB\xF0\xD2\xE6\"/>", "not valid UTF-8"},
        {"an unknown encoding", "<?xml version=\"1.0\" encoding=\"EBCDIC\"?><a/>",
         "'EBCDIC' is not supported"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TXmlDocument document;
        ASSERT_TRUE(document.LoadXml("<previous/>"));
        EXPECT_FALSE(document.LoadXml(c.bytes));
        EXPECT_NE(document.ParseError().ErrorCode, 0);
        EXPECT_NE(document.ParseError().Reason.find(c.reasonContains), std::string::npos)
            << document.ParseError().Reason;
        EXPECT_FALSE(document.DocumentElement());
        EXPECT_FALSE(document.FirstElementByTagName("previous"));
    }
}

TEST(XmlDocument, LoadsFilesAndNamesAFileItCannotRead) {
    const TempFolder folder;
    const std::string file = folder.Write("TKMForm.Lng", "<TKMForm Caption=\"x\"/>");
    TXmlDocument document;
    ASSERT_TRUE(document.Load(file));
    EXPECT_EQ(document.ParseError().ErrorCode, 0);
    EXPECT_EQ(document.DocumentElement().Attribute("Caption"), "x");

    EXPECT_FALSE(document.Load(folder.File("Missing.Lng")));
    EXPECT_NE(document.ParseError().Reason.find("Missing.Lng"), std::string::npos);
    EXPECT_FALSE(document.Load(folder.Path()));
    EXPECT_NE(document.ParseError().ErrorCode, 0);
}

} // namespace
} // namespace vondrel
