// The job form as designed: its components, creation, showing, pages, focus and closing.
#include "framework/BaseGene.h"

#include "framework/BaseGeneMessages.h"

#include "controls/ExtPageControl.h"
#include "controls/F2Button.h"
#include "controls/LookupRequest.h"
#include "controls/SelectPanel.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/ClientDataSet.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/MaskEdit.h"
#include "ui/Menus.h"
#include "ui/Panel.h"
#include "ui/ToolBar.h"
#include "ui/UiDriver.h"

#include <algorithm>
#include <cctype>
#include <langinfo.h>
#include <locale.h>

namespace vondrel {

namespace {

constexpr const char* kVersionStamp = "870401-0.00.00";

/// The date separator of the user's locale (the first character of its date layout that
/// is neither a field nor a letter), "/" when it has none.
char LocaleDateSeparator() {
    locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (!locale)
        return '/';
    char separator = '/';
    if (const char* layout = nl_langinfo_l(D_FMT, locale)) {
        for (const char* p = layout; *p; ++p) {
            if (*p == '%') {
                if (p[1])
                    ++p;
                continue;
            }
            if (static_cast<unsigned char>(*p) > ' ' && static_cast<unsigned char>(*p) < 0x80 &&
                !std::isalnum(static_cast<unsigned char>(*p))) {
                separator = *p;
                break;
            }
        }
    }
    freelocale(locale);
    return separator;
}

} // namespace

// ---- Creation -------------------------------------------------------------------------

TfrmBaseGene::TfrmBaseGene(TComponent* owner) : TKMForm(owner) {
    static const TClassInfo& info =
        DescribeClass<TfrmBaseGene>("TfrmBaseGene", [](TClassBuilder<TfrmBaseGene>& c) {
            c.Event("OnDateFieldEnter", &TfrmBaseGene::OnDateFieldEnter);
            c.Event("OnDateFieldExit", &TfrmBaseGene::OnDateFieldExit);
            c.Event("OnRequiredExit", &TfrmBaseGene::OnRequiredExit);
            c.Property("WantLog", &TfrmBaseGene::WantLog, &TfrmBaseGene::SetWantLog);
            // A shell reads the message logs of the form it drives.
            c.Property("MessageIdLog", &TfrmBaseGene::MessageIdLog);
            c.Property("MessageTextLog", &TfrmBaseGene::MessageTextLog);
        });
    SetClass(info);
    SetName("frmBaseGene");
    versionStamp_ = kVersionStamp;

    SetBounds(Left(), Top(), 509, 355);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetBorderIcons({biMaximize});
    Font()->SetName("宋体");
    Font()->SetHeight(-13);
    OnClose = TCloseEvent(this, &TfrmBaseGene::FormClose);
    OnDestroy = TNotifyEvent(this, &TfrmBaseGene::FormDestroy);
    OnKeyDown = TKeyEvent(this, &TfrmBaseGene::FormKeyDown);
    OnKeyPress = TKeyPressEvent(this, &TfrmBaseGene::FormKeyPress);
    OnResize = TNotifyEvent(this, &TfrmBaseGene::FormResize);

    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    ImageList1->SetWidth(18);
    ImageList1->SetHeight(18);
    ImageList2 = new TImageList(this);
    ImageList2->SetName("ImageList2");
    ImageList2->SetWidth(24);
    ImageList2->SetHeight(24);

    // The buttons at the bottom.
    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetAlign(alBottom);
    Panel1->SetHeight(43);
    Panel1->SetCaption("");
    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(Panel1);
    btnOk->SetBounds(330, 9, 75, 25);
    btnOk->SetCaption("确定");
    btnOk->OnClick = TNotifyEvent(this, &TfrmBaseGene::btnOkClick);
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(Panel1);
    btnCancel->SetBounds(415, 9, 75, 25);
    btnCancel->SetCaption("取消");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    btnCancel->OnClick = TNotifyEvent(this, &TfrmBaseGene::btnCancelClick);

    // The saved condition schemes on the left.
    muOperation = new TPopupMenu(this);
    muOperation->SetName("muOperation");
    N2 = new TMenuItem(this);
    N2->SetName("N2");
    N2->SetCaption("开启(&O)");
    N2->OnClick = TNotifyEvent(this, &TfrmBaseGene::btnOpenClick);
    muOperation->Items()->Add(N2);
    N3 = new TMenuItem(this);
    N3->SetName("N3");
    N3->SetCaption("删除(&D)");
    N3->OnClick = TNotifyEvent(this, &TfrmBaseGene::btnDeleteClick);
    muOperation->Items()->Add(N3);

    mnList = new TPopupMenu(this);
    mnList->SetName("mnList");
    const auto viewItem = [this](const char* name, const char* caption,
                                 void (TfrmBaseGene::*handler)(TObject*)) {
        auto* item = new TMenuItem(this);
        item->SetName(name);
        item->SetCaption(caption);
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        item->OnClick = TNotifyEvent(this, handler);
        mnList->Items()->Add(item);
        return item;
    };
    N7 = viewItem("N7", "大型图标(&G)", &TfrmBaseGene::ViewIconExecute);
    N8 = viewItem("N8", "小型图标(&M)", &TfrmBaseGene::ViewSmallIconExecute);
    N9 = viewItem("N9", "清单(&L)", &TfrmBaseGene::ViewListExecute);
    N10 = viewItem("N10", "详细信息(&D)", &TfrmBaseGene::ViewReportExecute);
    N7->SetChecked(true);

    pnlCondition = new TPanel(this);
    pnlCondition->SetName("pnlCondition");
    pnlCondition->SetParent(this);
    pnlCondition->SetAlign(alLeft);
    pnlCondition->SetWidth(151);
    pnlCondition->SetCaption("");
    Splitter1 = new TSplitter(this);
    Splitter1->SetName("Splitter1");
    Splitter1->SetParent(this);
    Splitter1->SetAlign(alLeft);
    Splitter1->SetLeft(151);
    Splitter1->SetWidth(3);
    lblCondition = new TLabel(this);
    lblCondition->SetName("lblCondition");
    lblCondition->SetParent(pnlCondition);
    lblCondition->SetAlign(alTop);
    lblCondition->SetCaption(" 条件方案");
    ToolBar1 = new TToolBar(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->SetParent(pnlCondition);
    ToolBar1->SetAlign(alTop);
    ToolBar1->SetTop(20);
    ToolBar1->SetHeight(40);
    ToolBar1->SetImages(ImageList1);
    ToolBar1->SetShowCaptions(true);
    ToolBar1->SetFlat(true);
    const auto toolButton = [this](const char* name, const char* caption, const char* hint, int left,
                                   void (TfrmBaseGene::*handler)(TObject*)) {
        auto* button = new TToolButton(this);
        button->SetName(name);
        button->SetParent(ToolBar1);
        button->SetLeft(left);
        button->SetCaption(caption);
        button->SetHint(hint);
        button->SetImageIndex(left / 36);
        button->OnClick = TNotifyEvent(this, handler);
        return button;
    };
    btnInsert = toolButton("btnInsert", "保存(&S)", "保存", 0, &TfrmBaseGene::btnInsertClick);
    btnOpen = toolButton("btnOpen", "开启(&O)", "开启", 36, &TfrmBaseGene::btnOpenClick);
    btnDelete = toolButton("btnDelete", "删除(&D)", "删除", 72, &TfrmBaseGene::btnDeleteClick);
    ToolButton1 = toolButton("ToolButton1", "", "", 108, &TfrmBaseGene::ToolButton1Click);
    ToolButton1->SetStyle(tbsDropDown);
    ToolButton1->SetDropdownMenu(mnList);
    lstCondition = new TListView(this);
    lstCondition->SetName("lstCondition");
    lstCondition->SetParent(pnlCondition);
    lstCondition->SetAlign(alClient);
    lstCondition->SetSortType(stText);
    lstCondition->SetLargeImages(ImageList2);
    lstCondition->SetSmallImages(ImageList1);
    lstCondition->SetPopupMenu(muOperation);
    lstCondition->OnDblClick = TNotifyEvent(this, &TfrmBaseGene::btnOpenClick);

    // The option pages.
    pgOption = new TExtPageControl(this);
    pgOption->SetName("pgOption");
    pgOption->SetParent(this);
    pgOption->SetAlign(alClient);
    pgOption->SetHint("请输入选项条件");
    pgOption->OnChange = TNotifyEvent(this, &TfrmBaseGene::pgOptionChange);
    pgOption->OnChanging = TTabChangingEvent(this, &TfrmBaseGene::pgOptionChanging);
    tsOption1 = new TTabSheet(this);
    tsOption1->SetName("tsOption1");
    tsOption1->SetPageControl(pgOption);
    tsOption1->SetCaption("基本选项");
    tsOption2 = new TTabSheet(this);
    tsOption2->SetName("tsOption2");
    tsOption2->SetPageControl(pgOption);
    tsOption2->SetCaption("系统选项");
    tsOption2->OnShow = TNotifyEvent(this, &TfrmBaseGene::tsOption2Show);
    edPrintDate = new TMaskEdit(this);
    edPrintDate->SetName("edPrintDate");
    edPrintDate->SetParent(tsOption2);
    edPrintDate->SetBounds(60, 8, 85, 21);
    edPrintDate->SetHint("[F2]日期快手");
    edPrintDate->SetShowHint(true);
    edPrintDate->SetTabOrder(0);
    lblToday = new TLabel(this);
    lblToday->SetName("lblToday");
    lblToday->SetParent(tsOption2);
    lblToday->SetBounds(8, 12, 48, 13);
    lblToday->SetCaption("制表日期");
    lblToday->SetFocusControl(edPrintDate);
    btnPrintDate = new TF2Button(this);
    btnPrintDate->SetName("btnPrintDate");
    btnPrintDate->SetParent(tsOption2);
    btnPrintDate->SetHint("日期快手");
    btnPrintDate->SetShowHint(true);
    btnPrintDate->SetGlyphIndex(9);
    btnPrintDate->SetF2Control(edPrintDate);
    pgOption->SetActivePage(tsOption1);

    // The application server and the saved schemes it delivers.
    ObjBroker = new TSimpleObjectBroker(this);
    ObjBroker->SetName("ObjBroker");
    MainMidas = new TSocketConnection(this);
    MainMidas->SetName("MainMidas");
    MainMidas->SetSupportCallbacks(false);
    MainMidas->SetObjectBroker(ObjBroker);
    ClientDataSet1 = new TClientDataSet(this);
    ClientDataSet1->SetName("ClientDataSet1");
    ClientDataSet1->SetProviderName("pvdConSave");
    ClientDataSet1->SetRemoteServer(MainMidas);
    ClientDataSet1->AddIndex("Index1", "NCONDITION;CREATOR;PROGRAMME");
    ClientDataSet1->SetIndexName("Index1");
}

TfrmBaseGene::~TfrmBaseGene() = default;

void TfrmBaseGene::AfterConstruction() {
    // The localised form may refuse to come to life (and free itself): it goes first.
    TKMForm::AfterConstruction();
    for (TComponent* component : OwnedComponents())
        if (auto* button = dynamic_cast<TF2Button*>(component))
            button->SetFlat(true);
    // The form is a top-level window of its own, never a child of the shell's.
    SetParentWindow(0);
}

void TfrmBaseGene::FormCreate(TObject* sender) {
    TKMForm::FormCreate(sender);
    if (KmConverter().SysCodePage() == "950")
        FormatSettings().DateSeparator = LocaleDateSeparator();
    Application().SetHintHidePause(500000);
    versionStamp_ = kVersionStamp;
    SetParentWindow(0);
    companyCode_.clear();
    programCode_.clear();
    programName_.clear();
    RequiredFields.clear();
    DateFields.clear();
    OnDateFieldEnter = TNotifyEvent(this, &TfrmBaseGene::DateFieldEnter);
    OnDateFieldExit = TNotifyEvent(this, &TfrmBaseGene::DateFieldExit);
    OnRequiredExit = TNotifyEvent(this, &TfrmBaseGene::RequiredExit);
    ValidationFailed = false;
    systemPageLaidOut_ = false;
    lastFocused_ = this;
    PageChanging = false;
    ShowJobNumber = true;
    ConvertDataSetText();
    DateRuleList.clear();
    for (TComponent* component : OwnedComponents())
        if (component->HasProperty("ImeName"))
            component->SetPropText("ImeName", "");
}

void TfrmBaseGene::SetModulePath(const std::string& path) {
    modulePath_ = path;
}

// ---- Showing, pages and focus ---------------------------------------------------------

void TfrmBaseGene::FormShow(TObject* sender) {
    TKMForm::FormShow(sender);
    SetCaption(programName_ + "[" + captionTag_ + "]");
    if (pgOption->PageCount() > 0) {
        pgOption->SetActivePage(pgOption->Pages(0));
        pgOptionChange(pgOption);
    }
    ConvertFormOnce();
    TListColumns* columns = lstCondition->Columns();
    columns->Clear();
    TListColumn* name = columns->Add();
    name->SetCaption(FormText(kTextProjectName));
    name->SetWidth(-2);
    name->SetAlignment(taRightJustify);
    TListColumn* created = columns->Add();
    created->SetCaption(FormText(kTextCreateTime));
    created->SetWidth(-2);
    created->SetAlignment(taLeftJustify);
    LoadSchemeList();
}

void TfrmBaseGene::pgOptionChange(TObject*) {
    FocusFirstControl();
}

void TfrmBaseGene::FocusFirstControl() {
    TTabSheet* page = pgOption->ActivePage();
    if (!page)
        return;
    std::vector<TWinControl*> children;
    for (TControl* child : page->ChildControls())
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            children.push_back(windowed);
    for (int order = 0; order < static_cast<int>(children.size()); ++order) {
        for (TWinControl* child : children) {
            if (child->TabOrder() != order || !child->Enabled())
                continue;
            TWinControl* target = child;
            if (auto* panel = dynamic_cast<TSelectPanel*>(child))
                target = panel->EntryControl();
            if (target && target->CanFocus() && Visible())
                FocusControl(target);
            return;
        }
    }
}

void TfrmBaseGene::pgOptionChanging(TObject*, bool& allowChange) {
    PageChanging = true;
    try {
        ValidationFailed = false;
        if (TWinControl* focused = ActiveControl()) {
            // A part of a selection panel is checked by the panel's own exit check.
            if (auto* panel = dynamic_cast<TSelectPanel*>(focused->Owner()))
                focused = panel;
            const TNotifyEvent exitCheck = focused->OnExit;
            exitCheck(focused);
        }
    } catch (...) {
        PageChanging = false;
        throw;
    }
    PageChanging = false;
    allowChange = !ValidationFailed;
}

void TfrmBaseGene::tsOption2Show(TObject*) {
    if (systemPageLaidOut_)
        return;
    systemPageLaidOut_ = true;
    LayoutSystemPage();
}

void TfrmBaseGene::LayoutSystemPage() {
    tsOption2->SetFont(tsOption2->Parent() ? tsOption2->Parent()->Font() : Font());
    tsOption2->Font()->SetSize(9);
    if (Width() < 315)
        SetWidth(315);
    if (Height() < 110)
        SetHeight(110);
    lblToday->SetAutoSize(true);
    lblToday->SetLeft(8);
    lblToday->SetTop(12);
    edPrintDate->SetBounds(60, 8, 85, edPrintDate->Height());
    btnPrintDate->AlignToControl();
}

bool TfrmBaseGene::SetFocusedControl(TWinControl* control) {
    lastFocused_ = control ? control : this;
    return TKMForm::SetFocusedControl(control);
}

void TfrmBaseGene::Moved() {
    TKMForm::Moved();
    if (shellWindow_ != 0)
        RepaintWindow(shellWindow_);
}

void TfrmBaseGene::FormResize(TObject*) {
    if (shellWindow_ != 0)
        RepaintWindow(shellWindow_);
}

void TfrmBaseGene::WndProc(TMessage& message) {
    if (message.Msg == WM_LOOKUPREQUEST) {
        HandleF2Key(VK_F2, LookupRequestControl(message));
        return;
    }
    TKMForm::WndProc(message);
}

// ---- Closing --------------------------------------------------------------------------

void TfrmBaseGene::btnOkClick(TObject*) {}

void TfrmBaseGene::btnCancelClick(TObject*) {
    Close();
}

void TfrmBaseGene::FormClose(TObject*, TCloseAction& action) {
    action = caFree;
}

void TfrmBaseGene::FormDestroy(TObject*) {
    systemParams_.clear();
    DateRuleList.clear();
    InitialColours.clear();
    CounterService = Variant();
    ValidatorService = Variant();
    LookupService = Variant();
    // A server object of this process stays with its connection until the form goes.
    if (!isLocalServer_)
        MainMidas->SetConnected(false);
    AppServer = Variant();
    Session = Variant();
}

// ---- Operations whose bodies come with options, schemes, field checks and local runs ----

bool TfrmBaseGene::BuildOptionArray() {
    return false;
}

void TfrmBaseGene::SetRequiredFields(const std::string& fields) {
    RequiredFields = Trim(fields);
}

bool TfrmBaseGene::RunServerJobLocally(const std::string&, const std::string&, const std::string&,
                                       const std::string&, const std::string&, const std::string&,
                                       const std::string&, const std::string&, const Variant&, int,
                                       const std::string&) {
    return false;
}

void TfrmBaseGene::ReservedHook1() {}

bool TfrmBaseGene::GetOptionValues(Variant&, int) {
    return true;
}

bool TfrmBaseGene::RestoreOptionsHook(const Variant&) {
    return false;
}

void TfrmBaseGene::ReservedHook2() {}

bool TfrmBaseGene::GetEnvironment(Variant&, int) {
    return true;
}

bool TfrmBaseGene::GetOptionNames(Variant&, int) {
    return true;
}

// Filled in by the descendants (the run-mode form builds its scheme fields here).
void TfrmBaseGene::RightsApplied() {}

// Filled in by the descendants: the run-mode form names the application server.
void TfrmBaseGene::PrepareConnection(TSocketConnection*) {}

bool TfrmBaseGene::SaveScheme(const std::string&, const std::string&, bool) {
    return false;
}

bool TfrmBaseGene::LoadSchemeValues(const std::string&, const std::string&) {
    return false;
}

bool TfrmBaseGene::LoadSchemeList() {
    return false;
}

bool TfrmBaseGene::SchemeOpened() {
    return true;
}

// Filled in by the descendants (batch forms run the job at once for the higher modes).
void TfrmBaseGene::RunMode(int) {}

void TfrmBaseGene::BeforeRestoreValue(TComponent*, const std::string&) {}

void TfrmBaseGene::AfterRestoreValue(TComponent*, const std::string&) {}

void TfrmBaseGene::ApplyRunCommand(const Variant& command) {
    // Restoring the options and running the job automatically come with option capture;
    // until then the command is only kept.
    lastRunCommand_ = command.IsArray() && command.HighBound() >= 1 ? command[1] : Variant::Null();
}

void TfrmBaseGene::btnInsertClick(TObject*) {}
void TfrmBaseGene::btnOpenClick(TObject*) {}
void TfrmBaseGene::btnDeleteClick(TObject*) {}
void TfrmBaseGene::ViewIconExecute(TObject*) {}
void TfrmBaseGene::ViewSmallIconExecute(TObject*) {}
void TfrmBaseGene::ViewListExecute(TObject*) {}
void TfrmBaseGene::ViewReportExecute(TObject*) {}
void TfrmBaseGene::ToolButton1Click(TObject*) {}

void TfrmBaseGene::DateFieldEnter(TObject*) {}
void TfrmBaseGene::DateFieldExit(TObject*) {}
void TfrmBaseGene::RequiredExit(TObject*) {}

} // namespace vondrel
