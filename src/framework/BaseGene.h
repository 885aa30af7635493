#pragma once

#include "framework/KMForm.h"
#include "framework/SocketConnection.h"

#include "ui/Colors.h"
#include "ui/Types.h"

#include <vondrel/Variant.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vondrel {

class TButton;
class TClientDataSet;
class TExtPageControl;
class TF2Button;
class TImageList;
class TLabel;
class TListView;
class TMaskEdit;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TSplitter;
class TTabSheet;
class TToolBar;
class TToolButton;

/// The program code a job library's file name stands for: the name without its extension
/// and without its last character (the client marker "C" of "Zorb71C.dll"), at least six
/// characters long, upper-cased.
std::string ProgramCodeOf(std::string_view modulePath);

/// Upper case for the code pages the suite runs in: the ASCII letters and the letters
/// those code pages hold beyond them (Latin-1, Greek, Cyrillic, full-width Latin); every
/// other character, Chinese ones among them, is left as it is.
std::string CodePageUpperCase(std::string_view text);

/// The generic job form every batch or report job inherits: it takes the session from
/// the controller, derives the program code from the library's file name, obtains the
/// shell's services, reads the system parameters and the program master, connects to
/// the application server, calls server functions by name, reports catalogue messages,
/// checks and looks up codes, and handles the keyboard.
class TfrmBaseGene : public TKMForm {
public:
    explicit TfrmBaseGene(TComponent* owner);
    ~TfrmBaseGene() override;

    void AfterConstruction() override;
    void WndProc(TMessage& message) override;

    /// The full file name of the library the form was created from.
    void SetModulePath(const std::string& path);
    const std::string& ModulePath() const noexcept { return modulePath_; }

    // ---- The form's own virtual operations, in their slot order: descendants override
    // ---- them in this order, calling the inherited operation first.

    /// Places the controls of the system options page (the first time it is shown).
    virtual void LayoutSystemPage();
    /// Builds OptionArray before a submission; false when it cannot be built.
    virtual bool BuildOptionArray();
    /// Declares the job's option layout and reads the program master.
    virtual void InitOptions();
    /// Puts a phrase the user picks into the control's text.
    virtual void PickPhrase(TControl* control);
    /// Declares the required option fields ("name;flag;part,...").
    virtual void SetRequiredFields(const std::string& fields);
    /// Runs the job's server half in this process; false when it could not run.
    virtual bool RunServerJobLocally(const std::string& jobNumber, const std::string& programCode,
                                     const std::string& reserved, const std::string& companyCode,
                                     const std::string& userId, const std::string& serverClassName,
                                     const std::string& jobKind, const std::string& databaseName,
                                     const Variant& optionValues, int count, const std::string& runLogNumber);
    /// Shows the texts of the form's client datasets through the converter.
    virtual void ConvertDataSetText();
    /// Obtains the shell's service objects, the system parameters and the option layout.
    virtual void StartServices();
    /// Start-up with the session parameter array [user, company, database, shell window,
    /// extra]; false when the session was refused (the form then closes itself).
    virtual bool AcceptSession(const Variant& param);
    virtual void ReservedHook1();
    /// Puts the values of the options 1..count (and the framework's own after them).
    virtual bool GetOptionValues(Variant& values, int count);
    /// Restores the options of a run command that asks not to check them; false here.
    virtual bool RestoreOptionsHook(const Variant& data);
    virtual void ReservedHook2();
    /// Puts the environment entries 1..count.
    virtual bool GetEnvironment(Variant& environment, int count);
    /// Puts the [caption, component name] pairs of the options 1..count (and the
    /// framework's own after them).
    virtual bool GetOptionNames(Variant& names, int count);
    /// The user's rights have been read (ApplyUserRights).
    virtual void RightsApplied();
    /// The lookup window of the shell for (table, lookup number): the row or rows the user
    /// chose (several when flag is set), unassigned without the lookup service.
    virtual void LookupCode(const std::string& table, const std::string& lookupNo, const Variant& filter,
                            const Variant& extra, bool flag, Variant& result);
    /// Names the server the connection is to reach; nothing here.
    virtual void PrepareConnection(TSocketConnection* connection);
    virtual bool SaveScheme(const std::string& fieldList, const std::string& name, bool replace);
    virtual bool LoadSchemeValues(const std::string& fieldList, const std::string& text);
    /// Reloads the list of the user's condition schemes; false without a server.
    virtual bool LoadSchemeList();
    /// A scheme has been opened; true here.
    virtual bool SchemeOpened();
    virtual void RunMode(int mode);
    virtual void BeforeRestoreValue(TComponent* component, const std::string& value);
    virtual void AfterRestoreValue(TComponent* component, const std::string& value);

    // ---- Virtual operations outside the numbered slots.

    /// Runs the job with saved options: [ignored, [mode, [restore flag, saved data]]].
    virtual void ApplyRunCommand(const Variant& command);
    /// F2 on a control (the focused one, or the one an F2 button names).
    virtual void HandleF2Key(Word key, TWinControl* control);

    // ---- Start-up and the application server.

    /// Grows the option count: a job declares its own count first, which adds the system
    /// options; later calls with OptionCount + 1 grow the total by one.
    void SetOptionCount(int count);
    /// Calls a function of the server by name through the counter service (the name is
    /// upper-cased; the company and database go with it). Result is unassigned without the
    /// counter service; failures of the call reach the caller.
    void CallServer(std::string_view name, const Variant& args, Variant& result);
    /// A system parameter of the company from the cache; an empty key (re)loads the cache
    /// from the counter service and gives an empty text.
    void GetSystemParam(std::string_view key, std::string& value);
    std::string SystemParam(std::string_view key);
    /// The date layout (1..5) and separator of the company.
    int DateType();
    std::string DateSeparator();

    // ---- Messages.

    /// Logs a message identifier ("E;000038", "I;-000004;123") and shows its catalogue
    /// text unless the number starts with "-"; an empty text clears both logs.
    void PostMessageId(const std::string& idText);
    /// Logs an exception's text under "E;-1" without showing it; an empty text clears both
    /// logs.
    void RecordError(const std::string& text);
    /// The catalogue text of a message (with "%s" placeholders).
    void GetMessageText(const std::string& kind, const std::string& number, std::string& text);
    /// A message dialog with the form's caption, local button captions and the interface's
    /// font; returns the modal result (0 when not shown because the page is changing).
    TModalResult ShowDialog(const std::string& text, TMsgDlgType dialogType, TMsgDlgButtons buttons);
    /// A catalogue message filled with the arguments, with the kind's dialog type and
    /// buttons (Buttons replaces them when not empty); not logged.
    TModalResult ShowCatalogMessage(const std::string& kind, const std::string& number,
                                    TMsgDlgButtons buttons, const std::vector<Variant>& args);
    /// A text of the form's language file with its built-in default (converted for display).
    std::string FormText(std::string_view key);
    const std::string& MessageIdLog() const noexcept { return messageIdLog_; }
    const std::string& MessageTextLog() const noexcept { return messageTextLog_; }

    // ---- Code checks, lookups, help, rights.

    /// Asks the validator whether the code exists; Result is its definition's row (all
    /// rows in query mode). False without the validator or when the call fails.
    bool CheckCodeValue(const std::string& table, const std::string& checkNo, bool queryMode, Variant& result,
                        const Variant& value);
    /// Checks a typed code: an empty value passes; a code that is not found posts the
    /// kind's message ("E" error, "W" warning, others none). Result becomes the column
    /// of the definition's row (the whole row when the column is outside it).
    bool ValidateCode(const std::string& table, const std::string& checkNo, const std::string& kind,
                      int column, Variant& result, const Variant& value);
    /// A lookup into a part of a selection panel: several rows into its list, one into its
    /// from or to field (only the first four columns unless allColumns; with the panel's
    /// UseDiscard the columns are joined with its Discard text). Any other control is a
    /// mistake of the job, which an error dialog tells.
    void LookupIntoPanel(TWinControl* control, const std::string& table, const std::string& lookupNo,
                         bool allColumns, const Variant& extra, const Variant& filter);
    /// Picks a date in the shell's date chooser starting from the text; the answer in the
    /// company's date layout, the text itself when the user cancels, empty without the
    /// lookup service.
    void PickDate(const std::string& text, std::string& result);
    /// Shows the program's help topic.
    void ShowHelp();
    /// Takes the user's rights (the server's GetPower record) and their data restriction.
    void ApplyUserRights(const Variant& rights);

    // ---- The session and what start-up derived from it.

    /// The shell's session object, copied in by the controller.
    Variant Session;
    /// The outcome the controller reads when the form is destroyed: 0 nothing done,
    /// 1 job submitted or run (ResultValue holds the job number), 2 cancelled.
    std::int32_t ResultCode = 0;
    Variant ResultValue;

    const std::string& VersionStamp() const noexcept { return versionStamp_; }
    const std::string& UserId() const noexcept { return userId_; }
    const std::string& CompanyCode() const noexcept { return companyCode_; }
    const std::string& DatabaseName() const noexcept { return databaseName_; }
    const std::string& ProgramCode() const noexcept { return programCode_; }
    const std::string& ProgramName() const noexcept { return programName_; }
    const std::string& ServerClassName() const noexcept { return serverClassName_; }
    const std::string& CaptionTag() const noexcept { return captionTag_; }
    HWND ShellWindow() const noexcept { return shellWindow_; }
    /// Element 4 of the session parameter array, carried and not used.
    const Variant& SessionExtra() const noexcept { return sessionExtra_; }
    bool IsLocalServer() const noexcept { return isLocalServer_; }
    bool WantLog() const noexcept { return wantLog_; }
    void SetWantLog(bool value) noexcept { wantLog_ = value; }
    /// The control that last received the focus (the form itself at start).
    TWinControl* LastFocused() const noexcept { return lastFocused_.Get(); }
    bool SystemPageLaidOut() const noexcept { return systemPageLaidOut_; }
    /// The rights flags of the user that go with lookups.
    bool RightsFlagA() const noexcept { return rightsFlagA_; }
    bool RightsFlagB() const noexcept { return rightsFlagB_; }

    /// The server object, and the shell's counter, validator and lookup services;
    /// unassigned when not available.
    Variant AppServer;
    Variant CounterService;
    Variant ValidatorService;
    Variant LookupService;
    /// The session object's ProductID, passed on to the validator, lookups and server jobs.
    std::int32_t ProductCode = 3;
    /// The user's data restriction, handed to the validator and to lookups.
    std::u16string RightsText;
    /// "R" for a report; batch forms set "B".
    std::string JobKind = "R";
    /// Sizes of the option array.
    int EnvCount = 9;
    int OptionCount = 1;
    int SystemOptionCount = 1;
    /// Bit value 4: the form needs the lookup service.
    int LookupFlags = 0;
    Variant OptionArray;
    /// A field check failed: page changes and scheme saving are refused.
    bool ValidationFailed = false;
    /// True while a page change checks the field being left (only error dialogs show).
    bool PageChanging = false;
    bool ShowJobNumber = true;
    /// The comma-separated date and required option fields.
    std::string DateFields;
    std::string RequiredFields;
    /// One date rule line per date option of a condition scheme.
    std::vector<std::string> DateRuleList;
    /// The colour each control had at start, by component name.
    std::map<std::string, TColor> InitialColours;

    /// The published event properties the date and required field checks install.
    TNotifyEvent OnDateFieldEnter;
    TNotifyEvent OnDateFieldExit;
    TNotifyEvent OnRequiredExit;

    // ---- The designed components.

    TExtPageControl* pgOption = nullptr;
    TTabSheet* tsOption1 = nullptr;
    TTabSheet* tsOption2 = nullptr;
    TLabel* lblToday = nullptr;
    TMaskEdit* edPrintDate = nullptr;
    TF2Button* btnPrintDate = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;
    TPanel* pnlCondition = nullptr;
    TSplitter* Splitter1 = nullptr;
    TLabel* lblCondition = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TToolButton* btnInsert = nullptr;
    TToolButton* btnOpen = nullptr;
    TToolButton* btnDelete = nullptr;
    TToolButton* ToolButton1 = nullptr;
    TListView* lstCondition = nullptr;
    TPopupMenu* muOperation = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* N3 = nullptr;
    TPopupMenu* mnList = nullptr;
    TMenuItem* N7 = nullptr;
    TMenuItem* N8 = nullptr;
    TMenuItem* N9 = nullptr;
    TMenuItem* N10 = nullptr;
    TSocketConnection* MainMidas = nullptr;
    TSimpleObjectBroker* ObjBroker = nullptr;
    TClientDataSet* ClientDataSet1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;

protected:
    void FormCreate(TObject* sender) override;
    void FormShow(TObject* sender) override;
    virtual void FormClose(TObject* sender, TCloseAction& action);
    virtual void FormDestroy(TObject* sender);
    virtual void FormKeyDown(TObject* sender, Word& key, TShiftState shift);
    virtual void FormKeyPress(TObject* sender, char32_t& key);
    virtual void FormResize(TObject* sender);
    virtual void btnOkClick(TObject* sender);
    virtual void btnCancelClick(TObject* sender);
    void pgOptionChange(TObject* sender);
    void pgOptionChanging(TObject* sender, bool& allowChange);
    void tsOption2Show(TObject* sender);

    // Handlers of the condition-scheme panel; its behaviour comes with condition schemes.
    virtual void btnInsertClick(TObject* sender);
    virtual void btnOpenClick(TObject* sender);
    virtual void btnDeleteClick(TObject* sender);
    virtual void ViewIconExecute(TObject* sender);
    virtual void ViewSmallIconExecute(TObject* sender);
    virtual void ViewListExecute(TObject* sender);
    virtual void ViewReportExecute(TObject* sender);
    virtual void ToolButton1Click(TObject* sender);

    // Handlers behind OnDateFieldEnter, OnDateFieldExit and OnRequiredExit; the date and
    // required field checks put them to work.
    virtual void DateFieldEnter(TObject* sender);
    virtual void DateFieldExit(TObject* sender);
    virtual void RequiredExit(TObject* sender);

    /// Reads the client settings into MainMidas; false when a message was posted.
    bool ConfigureConnection();
    /// Creates the server object (in process for the loop-back address) or connects to
    /// it; false when that raised.
    bool ConnectServer();
    /// Reads the program master: ProgramName and WantLog.
    void ReadProgramMaster();
    /// Remembers the colour of every windowed control (InitialColours).
    void RememberInitialColours();
    /// Focuses the first enabled control of the active page.
    void FocusFirstControl();
    /// Posts a close request to the form's own window.
    void RequestClose();
    void ClearMessageLogs();

    bool SetFocusedControl(TWinControl* control) override;
    void Moved() override;

    std::string modulePath_;
    std::string versionStamp_;
    std::string userId_;
    std::string companyCode_;
    std::string databaseName_;
    std::string programCode_;
    std::string programName_;
    std::string serverClassName_;
    std::string captionTag_;
    HWND shellWindow_ = 0;
    Variant sessionExtra_;
    bool isLocalServer_ = false;
    bool wantLog_ = false;
    TComponentRef<TWinControl> lastFocused_;
    bool systemPageLaidOut_ = false;

    std::string messageIdLog_;
    std::string messageTextLog_;

    /// The system parameters as the counter service delivered them (names compared
    /// without regard to case).
    std::vector<std::pair<std::string, std::string>> systemParams_;

    /// The last run command and how it is to be applied.
    Variant lastRunCommand_;
    bool restoreFlag_ = true;
    bool autoRun_ = false;

    /// The user's rights (the GetPower record).
    std::string rightsText1_;
    bool rightsFlag2_ = false;
    bool rightsFlag3_ = false;
    std::string rightsText4_;
    std::string rightsText5_;
    std::string rightsText6_;
    std::string rightsUserName_;
    std::string rightsUserGroup_;
    bool rightsFlagA_ = false;
    bool rightsFlagB_ = false;
};

} // namespace vondrel
