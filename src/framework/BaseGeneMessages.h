#pragma once

#include "ui/Dialogs.h"

#include <vondrel/Variant.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vondrel {

// Message identifiers the job forms post: a kind letter, ";", a catalogue number and
// arguments separated by ";". A number with a leading "-" is logged and not shown.
inline constexpr const char* kMsgShortSession = "E;000038";         ///< the session array is too short
inline constexpr const char* kMsgWrongProgram = "E;000036";         ///< the form is not the program's
inline constexpr const char* kMsgNoServer = "E;000006";             ///< no application-server connection
inline constexpr const char* kMsgCodeNotFoundError = "E;000001;";   ///< + the text of I/000008
inline constexpr const char* kMsgCodeNotFoundWarning = "W;000004;"; ///< + the text of I/000008
inline constexpr const char* kMsgOptionNamesFailed = "E;000030;";   ///< + the text of I/000011
inline constexpr const char* kMsgOptionValuesFailed = "E;000030";
inline constexpr const char* kMsgRunCommandMismatch = "W;000014";
inline constexpr const char* kMsgInvalidDate = "E;000005";
inline constexpr const char* kMsgRequiredEmpty = "E;000037";
/// The identifier under which exception texts are logged.
inline constexpr const char* kMsgRecordedError = "E;-1";
/// The catalogue message whose text follows a code that was not found.
inline constexpr const char* kCodeNotFoundKind = "I";
inline constexpr const char* kCodeNotFoundNumber = "000008";

/// The text in place of a catalogue text when there is no session object: kind and number
/// are filled in.
inline constexpr const char* kNoCatalogueText = "Can not Get Message\rType= %s, ID= %s ";
/// What follows every entry of the two message logs.
inline constexpr const char* kLogSeparator = "; ";

// Keys of the texts of the job forms' language file, with their built-in defaults.
inline constexpr const char* kTextOption = "sOption";
inline constexpr const char* kTextOptionInf = "sOptionInf";
inline constexpr const char* kTextEnvSetting = "sEnvSetting";
inline constexpr const char* kTextProjectName = "sProjectName";
inline constexpr const char* kTextCreateTime = "sCreateTime";
inline constexpr const char* kTextDeleteProj = "sDeleteProj";
inline constexpr const char* kTextProjNameEmpty = "sProjNameEmpty";
inline constexpr const char* kTextProjNameError = "sProjNameError";
inline constexpr const char* kTextProjNameExist = "sProjNameExist";
inline constexpr const char* kTextFailedRename = "sFailedRename";
inline constexpr const char* kTextDatePramError = "sDatePramError";
inline constexpr const char* kTextYMPramError = "sYMPramError";
inline constexpr const char* kTextBBM = "sBBM";
/// The language file class of these texts.
inline constexpr const char* kBaseGeneClass = "TfrmBaseGene";

/// The built-in default of a form text of the job forms; empty for an unknown key.
std::string_view BaseGeneTextDefault(std::string_view key) noexcept;

/// The dialog type and the buttons that go with a message kind letter ("E" error, "W"
/// warning, ...; any other letter a plain dialog with OK).
TMsgDlgType MessageKindDialogType(std::string_view kind) noexcept;
TMsgDlgButtons MessageKindButtons(std::string_view kind) noexcept;

/// Fills a message template with the arguments the way the platform's Format does:
/// "%s" (any simple value as text), "%d", "%u", "%x" (integers), "%e", "%f", "%g", "%n",
/// "%m" (floating-point numbers), with an optional argument index ("%1:s"), "-" for
/// left alignment, a width and a precision, "*" taking them from the arguments, and
/// "%%". Nothing when a placeholder is malformed, lacks its argument or does not fit it.
std::optional<std::string> FormatMessageText(std::string_view pattern, std::span<const Variant> args);

/// The template filled with the arguments; when they do not fit it, the template, a CR
/// and every argument as text followed by ";".
std::string MessageText(const std::string& pattern, std::span<const Variant> args);

} // namespace vondrel
