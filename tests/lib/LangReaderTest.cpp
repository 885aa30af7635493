#include "lib/LangReader.h"

#include "support/UiFixture.h"

#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/Panel.h"
#include "ui/StatusBar.h"
#include "ui/Strings.h"
#include "ui/TreeView.h"

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace vondrel {
namespace {

using test::UiTest;

std::vector<std::string> Lines(const TStrings& strings) {
    std::vector<std::string> lines;
    for (int i = 0; i < strings.Count(); ++i)
        lines.push_back(strings.Get(i));
    return lines;
}

/// A form with one control of each kind a language file reaches into.
struct SampleForm {
    TOwnedPtr<TForm> Form{Create<TForm>(nullptr)};
    TLabel* Name = nullptr;
    TMemo* Note = nullptr;
    TComboBox* Kind = nullptr;
    TListView* Rows = nullptr;
    TTreeView* Tree = nullptr;
    TStatusBar* Status = nullptr;
    TPanel* Top = nullptr;
    TLabel* Inner = nullptr;

    SampleForm() {
        Form->SetName("frmSample");
        Form->SetCaption("样例");
        Name = Make<TLabel>(Form.get(), "lblName");
        Name->SetCaption("名称");
        Name->SetColor(clBtnFace);
        Note = Make<TMemo>(Form.get(), "meNote");
        Note->Lines()->SetText("a\nb");
        Kind = Make<TComboBox>(Form.get(), "cbKind");
        Kind->SetStyle(csDropDownList);
        Kind->Items()->SetText("甲\n乙");
        Kind->SetItemIndex(1);
        Rows = Make<TListView>(Form.get(), "lvRows");
        Rows->Columns()->Add()->SetCaption("代码");
        for (const char* caption : {"一", "二", "三"})
            Rows->Items()->Add()->SetCaption(caption);
        Rows->Items()->Item(1)->SubItems()->Add("子");
        Tree = Make<TTreeView>(Form.get(), "tvTree");
        TTreeNode* a = Tree->Items()->AddChild(nullptr, "A");
        Tree->Items()->AddChild(a, "A1");
        Tree->Items()->AddChild(a, "A2");
        TTreeNode* b = Tree->Items()->Add(a, "B");
        Tree->Items()->AddChild(b, "B1");
        Status = Make<TStatusBar>(Form.get(), "sbMain");
        Status->Panels()->Add()->SetText("面板一");
        Status->Panels()->Add()->SetText("面板二");
        Top = Make<TPanel>(Form.get(), "pnlTop");
        Top->SetCaption("顶部");
        Inner = Make<TLabel>(Top, "lblInner");
        Inner->SetCaption("内部");
    }

    template <class T>
    static T* Make(TComponent* owner, const char* name) {
        auto* control = new T(owner);
        control->SetName(name);
        return control;
    }

    /// Applies a language file whose document element is TfrmSample around `body`.
    void Apply(const std::string& body, const std::vector<std::string>& excluded = {}) {
        TXmlDocument document;
        ASSERT_TRUE(document.LoadXml("<TfrmSample>" + body + "</TfrmSample>"))
            << document.ParseError().Reason;
        TLangReader reader(document);
        TStringList names;
        for (const std::string& name : excluded)
            names.Add(name);
        reader.SetExcludeControls(names);
        reader.ReadComponent(Form.get());
    }
};

class LangReader : public UiTest {};

TEST_F(LangReader, AppliesEveryKindOfPropertyPath) {
    const struct {
        const char* name;
        std::string body;
        std::function<void(SampleForm&)> check;
    } cases[] = {
        {"caption and hint", R"(<lblName Caption="Name" Hint="The name"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(f.Name->Caption(), "Name");
             EXPECT_EQ(f.Name->Hint(), "The name");
         }},
        {"font name, and a style with blanks around it",
         R"(<lblName Font.Name="Tahoma" Font.Style=" [fsBold, fsItalic] "/>)",
         [](SampleForm& f) {
             EXPECT_EQ(f.Name->Font()->Name(), "Tahoma");
             EXPECT_EQ(f.Name->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
         }},
        {"a colour by its name", R"(<lblName Color="clRed"/>)",
         [](SampleForm& f) { EXPECT_EQ(f.Name->Color(), clRed); }},
        {"a colour as a number", R"(<lblName Color="65280"/>)",
         [](SampleForm& f) { EXPECT_EQ(f.Name->Color(), clLime); }},
        {"lines of a memo, empty lines added up to the one named",
         R"(<meNote Lines_0="first" Lines_3="fourth"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(Lines(*f.Note->Lines()), (std::vector<std::string>{"first", "b", "", "fourth"}));
         }},
        {"items of a combo box beyond its end keep the selection", R"(<cbKind Items_5="戊"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(Lines(*f.Kind->Items()), (std::vector<std::string>{"甲", "乙", "", "", "", "戊"}));
             EXPECT_EQ(f.Kind->ItemIndex(), 1);
         }},
        {"the selected item of a combo box translated", R"(<cbKind Items_0="A" Items_1="B"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(f.Kind->ItemIndex(), 1);
             EXPECT_EQ(f.Kind->Text(), "B");
         }},
        {"list view columns, items and sub-items",
         R"(<lvRows Columns_0.Caption="Code" Items_2.Caption="three" Items_1.SubItems_0="sub"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(f.Rows->Columns()->Items(0)->Caption(), "Code");
             EXPECT_EQ(f.Rows->Items()->Item(2)->Caption(), "three");
             EXPECT_EQ(Lines(*f.Rows->Items()->Item(1)->SubItems()), (std::vector<std::string>{"sub"}));
         }},
        {"a column the list view does not have", R"(<lvRows Columns_1.Caption="none" Hint="applied"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(f.Rows->Columns()->Count(), 1);
             EXPECT_EQ(f.Rows->Columns()->Items(0)->Caption(), "代码");
             EXPECT_EQ(f.Rows->Hint(), "applied");
         }},
        {"tree nodes in the tree's flat order", R"(<tvTree Items_4.Text="B one" Items_1.Text="A one"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(f.Tree->Items()->Item(4)->Text(), "B one");
             EXPECT_EQ(f.Tree->Items()->GetFirstNode()->Item(0)->Text(), "A one");
             EXPECT_EQ(f.Tree->Items()->Item(3)->Text(), "B");
         }},
        {"a node beyond the tree's", R"(<tvTree Items_5.Text="none"/>)",
         [](SampleForm& f) { EXPECT_EQ(f.Tree->Items()->Count(), 5); }},
        {"an item of a collection property reached by name", R"(<sbMain Panels.Items_1.Text="Ready"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(f.Status->Panels()->Items(0)->Text(), "面板一");
             EXPECT_EQ(f.Status->Panels()->Items(1)->Text(), "Ready");
         }},
        {"what cannot be assigned is skipped and the rest applied in order",
         R"(<lblName Nonsense="x" Width="wide" Name="not a name" Font.Nothing="x" Caption_1="y" Caption="after" PopupMenu.Items_0.Caption="x" Hint="last"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(f.Name->Caption(), "after");
             EXPECT_EQ(f.Name->Hint(), "last");
             EXPECT_EQ(f.Name->Name(), "lblName");
         }},
        {"an index on a name other than Items or Columns falls back to the name",
         R"(<lblName Caption_0.Text="fallback"/>)",
         [](SampleForm& f) { EXPECT_EQ(f.Name->Caption(), "fallback"); }},
        {"absurd line numbers are refused",
         R"(<meNote Lines_2000000000="x" Lines_99999999999="y" Lines_1="b2"/>)",
         [](SampleForm& f) {
             EXPECT_EQ(Lines(*f.Note->Lines()), (std::vector<std::string>{"a", "b2"}));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SampleForm form;
        form.Apply(c.body);
        c.check(form);
    }
}

TEST_F(LangReader, TheFormTakesTheDocumentElementThenItsOwnElementThenItsComponentsDepthFirst) {
    SampleForm form;
    TXmlDocument document;
    ASSERT_TRUE(document.LoadXml(R"(<TfrmSample Caption="document" Hint="from the document">
                                      <Group><lblInner Caption="inner"/></Group>
                                      <frmSample Caption="own"/>
                                      <pnlTop Caption="top"/>
                                      <lblName Caption="name"/>
                                    </TfrmSample>)"));
    TLangReader reader(document);
    std::vector<std::string> log;
    reader.BeforeLoadComponent = [&log](TComponent* component, const TXmlElement& element) {
        log.push_back("before " + component->Name() + " " + element.TagName());
    };
    reader.AfterLoadComponent = [&log](TComponent* component, const TXmlElement& element) {
        log.push_back("after " + component->Name() + " " + element.TagName() + " " +
                      dynamic_cast<TControl*>(component)->Caption());
    };
    reader.ReadComponent(form.Form.get());
    EXPECT_EQ(form.Form->Caption(), "own");
    EXPECT_EQ(form.Form->Hint(), "from the document");
    EXPECT_EQ(log,
              (std::vector<std::string>{"before frmSample TfrmSample", "after frmSample TfrmSample document",
                                        "before frmSample frmSample", "after frmSample frmSample own",
                                        "before lblName lblName", "after lblName lblName name",
                                        "before pnlTop pnlTop", "after pnlTop pnlTop top",
                                        "before lblInner lblInner", "after lblInner lblInner inner"}));
}

TEST_F(LangReader, OnlyTheFirstElementOfANameCounts) {
    SampleForm form;
    form.Apply(R"(<Early><lblName Caption="first"/></Early><lblName Caption="second" Hint="second"/>)");
    EXPECT_EQ(form.Name->Caption(), "first");
    EXPECT_EQ(form.Name->Hint(), "");
}

TEST_F(LangReader, AnExcludedComponentKeepsItsTextsWhileWhatItOwnsIsLocalised) {
    SampleForm form;
    form.Apply(R"(<pnlTop Caption="top"/><lblInner Caption="inner"/><lblName Caption="name"/>)",
               {" PNLTOP "});
    EXPECT_EQ(form.Top->Caption(), "顶部");
    EXPECT_EQ(form.Inner->Caption(), "inner");
    EXPECT_EQ(form.Name->Caption(), "name");
}

TEST_F(LangReader, AComponentWithoutNameIsPassedOverButNotWhatItOwns) {
    SampleForm form;
    auto* unnamed = new TPanel(form.Form.get());
    unnamed->SetCaption("无名");
    auto* inside = SampleForm::Make<TLabel>(unnamed, "lblInside");
    form.Apply(R"(<lblInside Caption="inside"/>)");
    EXPECT_EQ(unnamed->Caption(), "无名");
    EXPECT_EQ(inside->Caption(), "inside");
}

// The data-aware combo box of the grid pack, as far as a language file sees it.
class TwwDBComboBox : public TWinControl {
public:
    explicit TwwDBComboBox(TComponent* owner) : TWinControl(owner) {
        static const TClassInfo& custom = DescribeClass("TwwDBCustomComboBox");
        SetClass(custom);
        static const TClassInfo& info =
            DescribeClass<TwwDBComboBox>("TwwDBComboBox", [](TClassBuilder<TwwDBComboBox>& c) {
                c.Property("Items", &TwwDBComboBox::Items);
                c.Property("ItemIndex", &TwwDBComboBox::ItemIndex, &TwwDBComboBox::SetItemIndex);
            });
        SetClass(info);
        // Like the real one, a new list loses the selection.
        items_.OnChange = [this](TObject*) { itemIndex_ = -1; };
    }
    TStrings* Items() const noexcept { return &items_; }
    int ItemIndex() const noexcept { return itemIndex_; }
    void SetItemIndex(int index) { itemIndex_ = index < items_.Count() ? index : -1; }

private:
    mutable TStringList items_;
    int itemIndex_ = -1;
};

TEST_F(LangReader, ComboBoxReadersKeepTheSelectedItem) {
    SampleForm form;
    auto* dataCombo = SampleForm::Make<TwwDBComboBox>(form.Form.get(), "cbData");
    dataCombo->Items()->SetText("x\ny\nz");
    dataCombo->SetItemIndex(2);
    EXPECT_NE(dynamic_cast<TwwDBCustomComboBoxRead*>(TReaderFactory::CreateReader(*dataCombo).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<TCustomComboBoxRead*>(TReaderFactory::CreateReader(*form.Kind).get()), nullptr);
    const std::unique_ptr<ILangRead> plain = TReaderFactory::CreateReader(*form.Name);
    EXPECT_EQ(typeid(*plain), typeid(TComponentRead));

    // A new list would lose the selection without the reader; a language file never
    // changes which item is selected.
    form.Apply(R"(<cbData Items="X&#13;&#10;Y&#13;&#10;Z"/><cbKind ItemIndex="0" Items="A&#13;&#10;B"/>)");
    EXPECT_EQ(Lines(*dataCombo->Items()), (std::vector<std::string>{"X", "Y", "Z"}));
    EXPECT_EQ(dataCombo->ItemIndex(), 2);
    EXPECT_EQ(form.Kind->ItemIndex(), 1);
    EXPECT_EQ(form.Kind->Text(), "B");
}

} // namespace
} // namespace vondrel
