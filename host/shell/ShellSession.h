#pragma once

#include "MessageCatalogue.h"

#include <vondrel/Dispatch.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vondrel {

class TShellContext;

/// What the session object needs to know of its installation.
struct TShellSessionSettings {
    /// The client install folder (ClientPath), ending in a separator.
    std::string InstallFolder;
    /// The interface language: CHS, CHT or ENG.
    std::string Language = "CHS";
    /// The application server's address; "127.0.0.1" (or "localhost") creates it in this
    /// process by its class name.
    std::string ServerAddress = "127.0.0.1";
    std::string ServerClass = "Quorvex.dmReportCounter";
    /// The product the shell runs as (the session's ProductID).
    std::int32_t ProductId = 1;
};

/// The shell's session object, the dispatch object a job form receives from its
/// controller. Its members, called late-bound by name:
///
/// - Com_Counter() → the counter service: GetCounter(function, var args, [company,
///   database]) and GetSysInfo(var company), forwarded to the application server.
/// - Com_Validator() → the validator service: CheckValue and QueryData(var table, var
///   check number, var database, var values, var result) → boolean on the server's check
///   definitions; properties ProductID and BaseLimited (written by the form, readable).
/// - Com_F2Window() → the lookup service: F2GetData(request) shows the lookup window with
///   the rows of the server's lookup [0] table, [1] number, [2] parameters on database
///   [6] ([3] true lets several rows be chosen) and returns the chosen rows, Empty when
///   none; GetPhrase(var user, var database, window) shows the user's phrases and returns
///   the chosen text ("" when cancelled); ShowInputDay([ROC calendar flag, start date
///   "YYYYMMDD", database]) shows the date chooser and returns "YYYYMMDD", Empty when
///   cancelled.
/// - ProductID (property) → the product number.
/// - GetMessage(kind, number) → the catalogue text in the interface language.
/// - CallHelp([system, topic]) → reports the help topic to OnHelp.
/// - GetFileList([file name]) → "<Modify>yyyy/mm/dd hh:nn:ss</Modify><Path>file</Path>"
///   for the server's copy of a library in its work folders, "" when it has none.
///
/// The service objects are made once per session. Windows are shown through the
/// installed UI driver.
class TShellSession : public TAutoObject {
public:
    TShellSession(TShellSessionSettings settings, TMessageCatalogue catalogue);
    ~TShellSession() override;

    const TShellSessionSettings& Settings() const noexcept;
    const TMessageCatalogue& Catalogue() const noexcept { return catalogue_; }

    /// The application server, created on first use; raises when it cannot be reached.
    Variant AppServer();

    /// A help topic was asked for.
    std::function<void(const std::string& system, const std::string& topic)> OnHelp;

private:
    std::shared_ptr<TShellContext> context_;
    TMessageCatalogue catalogue_;
    Variant counter_;
    Variant validator_;
    Variant lookup_;
};

/// True for a server address this shell reaches in its own process.
bool IsLocalServerAddress(std::string_view address);

} // namespace vondrel
