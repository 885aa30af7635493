#include "lib/LangReader.h"
#include "lib/XmlDocument.h"

#include "support/UiFixture.h"

#include "controls/ExtPageControl.h"
#include "controls/F2Button.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/MaskEdit.h"
#include "ui/Menus.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/ToolBar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vondrel {
namespace {

namespace fs = std::filesystem;

class DemoLanguageFiles : public test::UiTest {};

const fs::path kLanguages = fs::path(VONDREL_SOURCE_DIR) / "demo/install/MultiLanguage";

/// The element tags and attribute names of a file, in document order.
std::vector<std::string> Shape(const TXmlDocument& document) {
    std::vector<std::string> shape;
    std::function<void(const TXmlElement&)> walk = [&](const TXmlElement& element) {
        std::string entry = element.TagName();
        for (const TXmlAttribute& attribute : element.Attributes())
            entry += " " + attribute.Name();
        shape.push_back(entry);
        for (const TXmlElement& child : element.ChildElements())
            walk(child);
    };
    walk(document.DocumentElement());
    return shape;
}

std::set<std::string> FileNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST_F(DemoLanguageFiles, TraditionalChineseAndEnglishTranslateTheSameTexts) {
    const std::set<std::string> english = FileNames(kLanguages / "ENG");
    EXPECT_EQ(FileNames(kLanguages / "CHT"), english);
    EXPECT_TRUE(english.count("TKMForm.Lng"));
    EXPECT_TRUE(english.count("TfrmBaseGene.Lng"));
    for (const std::string& name : english) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fs::path(name).extension(), ".Lng");
        TXmlDocument englishFile;
        TXmlDocument traditionalFile;
        ASSERT_TRUE(englishFile.Load((kLanguages / "ENG" / name).string()))
            << englishFile.ParseError().Reason;
        ASSERT_TRUE(traditionalFile.Load((kLanguages / "CHT" / name).string()))
            << traditionalFile.ParseError().Reason;
        EXPECT_EQ(englishFile.DocumentElement().TagName() + ".Lng", name);
        EXPECT_EQ(Shape(traditionalFile), Shape(englishFile));
    }
    for (const std::string& name : FileNames(kLanguages / "CHS")) {
        SCOPED_TRACE(name);
        TXmlDocument file;
        ASSERT_TRUE(file.Load((kLanguages / "CHS" / name).string())) << file.ParseError().Reason;
        EXPECT_TRUE(file.DocumentElement().Attributes().empty())
            << "the forms are designed in simplified Chinese";
    }
}

/// The base job form as designed, as far as its language file reaches it.
struct BaseJobForm {
    TOwnedPtr<TForm> Form{Create<TForm>(nullptr)};
    std::map<std::string, TComponent*> Components;

    BaseJobForm() {
        Form->SetName("frmBaseGene");
        auto* pages = Add<TExtPageControl>("pgOption");
        for (const char* name : {"tsOption1", "tsOption2"})
            Add<TTabSheet>(name)->SetPageControl(pages);
        Add<TLabel>("lblToday");
        Add<TMaskEdit>("edPrintDate");
        Add<TF2Button>("btnPrintDate");
        Add<TPanel>("Panel1");
        Add<TButton>("btnOk");
        Add<TButton>("btnCancel");
        Add<TPanel>("pnlCondition");
        Add<TSplitter>("Splitter1");
        Add<TLabel>("lblCondition");
        Add<TToolBar>("ToolBar1");
        for (const char* name : {"btnInsert", "btnOpen", "btnDelete", "ToolButton1"})
            Add<TToolButton>(name);
        Add<TListView>("lstCondition");
        for (const char* name : {"muOperation", "mnList"})
            Add<TPopupMenu>(name);
        for (const char* name : {"N2", "N3", "N7", "N8", "N9", "N10"})
            Add<TMenuItem>(name);
    }
    template <class T>
    T* Add(const char* name) {
        auto* component = new T(Form.get());
        component->SetName(name);
        Components[name] = component;
        return component;
    }
};

TEST_F(DemoLanguageFiles, TheBaseJobFormsFilesReachItsComponentsAndHoldItsTexts) {
    const std::set<std::string> keys = {"sOption",
                                        "sOptionInf",
                                        "sEnvSetting",
                                        "sProjectName",
                                        "sCreateTime",
                                        "sDeleteProj",
                                        "sProjNameEmpty",
                                        "sProjNameError",
                                        "sProjNameExist",
                                        "sFailedRename",
                                        "sDatePramError",
                                        "sYMPramError",
                                        "sBBM"};
    for (const char* language : {"ENG", "CHT"}) {
        SCOPED_TRACE(language);
        TXmlDocument file;
        ASSERT_TRUE(file.Load((kLanguages / language / "TfrmBaseGene.Lng").string()));
        BaseJobForm form;
        std::set<std::string> texts;
        for (const TXmlElement& element : file.DocumentElement().ChildElements()) {
            SCOPED_TRACE(element.TagName());
            if (keys.count(element.TagName())) {
                texts.insert(element.TagName());
                EXPECT_FALSE(element.Attribute("Msg").value_or("").empty());
                continue;
            }
            const auto found = form.Components.find(element.TagName());
            ASSERT_NE(found, form.Components.end()) << "no component of the form has that name";
            for (const TXmlAttribute& attribute : element.Attributes()) {
                SCOPED_TRACE(attribute.Name());
                EXPECT_TRUE(TComponentRead::Apply(*found->second, attribute.Name(), attribute.Value()));
                std::string applied;
                EXPECT_EQ(found->second->GetPropText(attribute.Name(), applied), TPropResult::Ok);
                EXPECT_EQ(applied, attribute.Value());
            }
        }
        EXPECT_EQ(texts, keys);
    }
}

} // namespace
} // namespace vondrel
