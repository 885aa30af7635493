#include "lib/LanguageController.h"

#include "support/FixedPlatform.h"
#include "support/TempInstall.h"
#include "support/UiFixture.h"

#include "ui/Form.h"
#include "ui/Label.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::ScopedPlatform;
using test::TempInstall;

const char* const kSampleFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<TfrmSample Caption="Sample">
  <lblName Caption="Name"/>
  <sOption Msg="Options"/>
  <sEmpty Msg=""/>
  <sNoMsg Caption="no message"/>
</TfrmSample>)";

class LanguageFiles : public test::UiTest {
protected:
    TempInstall install;
    ScopedPlatform platform{FixedPlatformValues{.SysCodePage = "936"}};

    /// The client's interface code page; the language folders that exist.
    void Client(const std::string& uiCodePage,
                std::initializer_list<const char*> folders = {"CHS", "CHT", "ENG"}) {
        install.WriteClientIni("[CodePage]\nUICodePage=" + uiCodePage + "\n");
        for (const char* folder : folders)
            install.WriteFile(std::string("MultiLanguage/") + folder + "/Readme.txt", "");
    }
    std::string Folder(const char* code) const {
        return install.PathOf(std::string("MultiLanguage/") + code + "/");
    }

    static TOwnedPtr<TKmLangController> NewController() {
        return TOwnedPtr<TKmLangController>(Create<TKmLangController>(nullptr));
    }
};

TEST_F(LanguageFiles, TheFolderFollowsTheInterfaceCodePageOfTheInstallation) {
    const struct {
        const char* name;
        std::string client;
        std::string server;
        std::vector<const char*> folders;
        TDesignType kind;
        std::optional<const char*> code; // empty: no language folder
    } cases[] = {
        {"simplified", "936", "", {"CHS"}, dtClient, "CHS"},
        {"traditional", "950", "", {"CHT"}, dtClient, "CHT"},
        {"English", "437", "", {"ENG"}, dtClient, "ENG"},
        {"a code page without language", "1252", "", {"CHS", "CHT", "ENG"}, dtClient, std::nullopt},
        {"the language's folder is missing", "950", "", {"CHS", "ENG"}, dtClient, std::nullopt},
        {"the server installation has its own code page", "437", "950", {"CHT", "ENG"}, dtServer, "CHT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempInstall fresh;
        fresh.WriteClientIni("[CodePage]\nUICodePage=" + c.client + "\n");
        fresh.WriteServerIni(c.server.empty() ? "" : "[CodePage]\nUICodePage=" + c.server + "\n");
        for (const char* folder : c.folders)
            fresh.WriteFile(std::string("MultiLanguage/") + folder + "/Readme.txt", "");
        const std::string expected =
            c.code ? fresh.PathOf(std::string("MultiLanguage/") + *c.code + "/") : "";
        EXPECT_EQ(LanguageFolder(c.kind), expected);
        EXPECT_EQ(LanguageFileName(c.kind, "TKMForm"), expected + "TKMForm.Lng");
    }
}

TEST_F(LanguageFiles, WithoutAnInstallFolderThereIsNoLanguageFolder) {
    Client("437");
    install.SetRegistry({});
    EXPECT_EQ(LanguageFolder(dtClient), "");
}

TEST_F(LanguageFiles, ThePackageNameChoosesTheFileAndAnotherFileClosesTheController) {
    Client("437");
    install.WriteFile("MultiLanguage/ENG/TfrmSample.Lng", kSampleFile);
    install.WriteFile("MultiLanguage/ENG/TfrmOther.Lng", "<TfrmOther/>");
    const auto controller = NewController();
    std::vector<std::string> log;
    controller->BeforeOpen = [&](TObject* sender) {
        log.push_back(sender == controller.get() ? "BeforeOpen" : "?");
    };
    controller->AfterOpen = [&](TObject*) {
        log.push_back("AfterOpen " + std::to_string(controller->Active()));
    };
    controller->BeforeClose = [&](TObject*) {
        log.push_back("BeforeClose " + std::to_string(controller->Active()));
    };
    controller->AfterClose = [&](TObject*) {
        log.push_back("AfterClose " + std::to_string(controller->Active()));
    };

    controller->SetLangPackageName("TfrmSample");
    EXPECT_EQ(controller->FileName(), Folder("ENG") + "TfrmSample.Lng");
    EXPECT_FALSE(controller->Active());
    controller->SetActive(true);
    EXPECT_TRUE(controller->Active());
    controller->SetActive(true);
    controller->SetLangPackageName("TfrmSample");
    EXPECT_TRUE(controller->Active()) << "the same name keeps the loaded file";
    controller->SetLangPackageName("TfrmOther");
    EXPECT_FALSE(controller->Active());
    EXPECT_EQ(controller->FileName(), Folder("ENG") + "TfrmOther.Lng");
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeOpen", "AfterOpen 1", "BeforeClose 1", "AfterClose 0"}));
}

TEST_F(LanguageFiles, ActivationFailuresAreReportedAndLeaveTheControllerClosed) {
    Client("437");
    install.WriteFile("MultiLanguage/ENG/TfrmBroken.Lng",
                      "<TfrmBroken>\n<lblName Caption=\"x\">\n</TfrmBroken>");
    const struct {
        const char* name;
        const char* package; // nullptr: no package name at all
        std::string messageContains;
    } cases[] = {
        {"no file name", nullptr, "Cannot Find File !"},
        {"a missing file", "TfrmMissing", "TfrmMissing.Lng"},
        {"a file that is not well-formed", "TfrmBroken", "line 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto controller = NewController();
        bool opened = false;
        controller->AfterOpen = [&](TObject*) { opened = true; };
        if (c.package)
            controller->SetLangPackageName(c.package);
        try {
            controller->SetActive(true);
            ADD_FAILURE() << "activation succeeded";
        } catch (const LanguageControllerError& error) {
            EXPECT_NE(std::string(error.what()).find(c.messageContains), std::string::npos) << error.what();
        }
        EXPECT_FALSE(controller->Active());
        EXPECT_FALSE(opened);
        EXPECT_EQ(controller->Document(), nullptr);
        try {
            controller->Reader();
            ADD_FAILURE() << "an inactive controller gave its reader";
        } catch (const LanguageControllerError& error) {
            EXPECT_STREQ(error.what(), "No active LanguageController!");
        }
    }
}

// A form whose language controller is switched on while the form is being built.
class TfrmStreamed : public TForm {
public:
    explicit TfrmStreamed(bool active) : TForm(nullptr) {
        Controller = new TKmLangController(this);
        Controller->SetName("LangController");
        Controller->SetLangPackageName("TfrmSample");
        Controller->SetActive(active);
        ActiveWhileBuilding = Controller->Active();
    }
    TKmLangController* Controller = nullptr;
    bool ActiveWhileBuilding = true;
};

TEST_F(LanguageFiles, ActiveSetWhileTheFormIsBuiltTakesEffectOnceItIsBuilt) {
    Client("437");
    install.WriteFile("MultiLanguage/ENG/TfrmSample.Lng", kSampleFile);
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active);
        TOwnedPtr<TfrmStreamed> form(Create<TfrmStreamed>(active));
        EXPECT_FALSE(form->ActiveWhileBuilding);
        EXPECT_EQ(form->Controller->Active(), active);
    }
}

TEST_F(LanguageFiles, PublishedPropertiesWorkByNameAndNewExclusionsReachTheActiveReader) {
    Client("437");
    install.WriteFile("MultiLanguage/ENG/TfrmSample.Lng", kSampleFile);
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* label = new TLabel(form.get());
    label->SetName("lblName");
    label->SetCaption("名称");
    auto* controller = new TKmLangController(form.get());
    EXPECT_EQ(controller->SetPropText("LangPackageName", "TfrmSample"), TPropResult::Ok);
    EXPECT_EQ(controller->SetPropText("Active", "True"), TPropResult::Ok);
    ASSERT_TRUE(controller->Active());
    EXPECT_EQ(controller->SetPropText("ExcludeControls", " LBLNAME "), TPropResult::Ok);
    controller->Reader().ReadComponent(form.get());
    EXPECT_EQ(form->Caption(), "Sample");
    EXPECT_EQ(label->Caption(), "名称");
    controller->SetExcludeControls(nullptr);
    controller->Reader().ReadComponent(form.get());
    EXPECT_EQ(label->Caption(), "Name");

    EXPECT_EQ(controller->DesignType(), dtClient);
    EXPECT_EQ(controller->SetPropText("DesignType", "dtServer"), TPropResult::Ok);
    EXPECT_EQ(controller->DesignType(), dtServer);
    for (const char* event : {"AfterClose", "AfterLoadComponent", "AfterOpen", "BeforeClose",
                              "BeforeLoadComponent", "BeforeOpen"}) {
        SCOPED_TRACE(event);
        const TPropInfo* info = controller->FindProperty(event);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Kind, TPropKind::Event);
    }
}

TEST_F(LanguageFiles, TheLoadEventsReportEachComponentAndItsElement) {
    Client("437");
    install.WriteFile("MultiLanguage/ENG/TfrmSample.Lng", kSampleFile);
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    form->SetName("frmSample");
    auto* label = new TLabel(form.get());
    label->SetName("lblName");
    const auto controller = NewController();
    std::vector<std::string> log;
    controller->BeforeLoadComponent = [&](TComponent* component, const TXmlElement& element) {
        log.push_back(component->Name() + "<" + element.TagName());
    };
    controller->AfterLoadComponent = [&](TComponent* component, const TXmlElement&) {
        log.push_back(component->Name() + ">" + dynamic_cast<TControl*>(component)->Caption());
    };
    controller->SetLangPackageName("TfrmSample");
    controller->SetActive(true);
    controller->Reader().ReadComponent(form.get());
    EXPECT_EQ(log, (std::vector<std::string>{"frmSample<TfrmSample", "frmSample>Sample", "lblName<lblName",
                                             "lblName>Name"}));
}

TEST_F(LanguageFiles, AMessageComesFromItsEntryOrIsTheDefault) {
    Client("437");
    install.WriteFile("MultiLanguage/ENG/TfrmSample.Lng", kSampleFile);
    install.WriteFile("MultiLanguage/ENG/TfrmBroken.Lng", "<TfrmBroken><sOption Msg=\"x\"></TfrmBroken>");
    const struct {
        const char* name;
        const char* package;
        const char* identifier;
        const char* expected;
    } cases[] = {
        {"an entry", "TfrmSample", "sOption", "Options"},
        {"an empty entry is a text", "TfrmSample", "sEmpty", ""},
        {"an element without Msg", "TfrmSample", "sNoMsg", "default"},
        {"no such entry", "TfrmSample", "sMissing", "default"},
        {"an identifier that is no element name", "TfrmSample", "E;000038", "default"},
        {"no file for the package", "TfrmMissing", "sOption", "default"},
        {"a file that does not parse", "TfrmBroken", "sOption", "default"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadLangMessage(dtClient, c.package, c.identifier, "default"), c.expected);
    }
}

TEST_F(LanguageFiles, MessagesAreReadAfreshFromTheInstallationOfTheirKind) {
    Client("437");
    install.WriteServerIni("[CodePage]\nUICodePage=950\n");
    install.WriteFile("MultiLanguage/ENG/TfrmSample.Lng", kSampleFile);
    install.WriteFile("MultiLanguage/CHT/TfrmSample.Lng",
                      R"(<TfrmSample><sOption Msg="選擇條件文字"/></TfrmSample>)");
    EXPECT_EQ(ReadLangMessage(dtClient, "TfrmSample", "sOption", "选择条件文字"), "Options");
    EXPECT_EQ(ReadLangMessage(dtServer, "TfrmSample", "sOption", "选择条件文字"), "選擇條件文字");
    install.WriteFile("MultiLanguage/ENG/TfrmSample.Lng",
                      R"(<TfrmSample><sOption Msg="Option texts"/></TfrmSample>)");
    EXPECT_EQ(ReadLangMessage(dtClient, "TfrmSample", "sOption", "选择条件文字"), "Option texts");
    Client("936", {});
    EXPECT_EQ(ReadLangMessage(dtClient, "TfrmSample", "sOption", "选择条件文字"), "选择条件文字");
}

} // namespace
} // namespace vondrel
