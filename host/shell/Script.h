#pragma once

#include <vondrel/Exception.h>

#include "ui/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// A script line that cannot be run as written.
class EScriptSyntax : public Exception {
public:
    EScriptSyntax(int line, const std::string& why)
        : Exception("script line " + std::to_string(line) + ": " + why), line_(line) {}
    int Line() const noexcept { return line_; }

private:
    int line_;
};

/// One command of a shell script, checked when read.
///
///     show                      shows the job form
///     focus NAME                clicks into a control
///     set NAME TEXT             focuses it and types TEXT over its text
///     leave                     Tab to the next control
///     click NAME                clicks a control or menu item
///     close                     clicks the form's close box
///     key KEY [NAME]            presses a key (F1, Esc, Enter, Tab, Ctrl+Tab, Ctrl+PageUp,
///                               Ctrl+Alt+V ...), on NAME when given
///     check NAME on|off
///     choose NAME INDEX|TEXT    an item of a combo box, radio group or page control
///     select NAME ROW...        rows of a list view (counted from 0)
///     answer dialog BUTTON      the next dialog's button (OK, Cancel, Yes, No ...)
///     answer lookup ROW...|none the rows the next lookup window returns
///     answer date YYYYMMDD|none the next date chooser's date
///     answer phrase TEXT        the next phrase list's text
///     answer tree CODE          the next code tree's code
///     on-modal CLASS ... end    commands for the next modal form of that class
///     run-command MODE RESTORE [JSON]
///                               runs the job with [MODE, [RESTORE, data]]
///     release                   releases the job form
///     dump form|control NAME|list NAME|messages|outcome|jobs|dialogs
///     quit                      ends the run here
///
/// NAME may be a dotted path through owned components ("sp05.edFrom"). TEXT is the rest
/// of the line; put it in double quotes to keep blanks at its ends or to give an empty
/// text. Lines starting with "#" are comments.
struct TScriptCommand {
    int Line = 0;
    std::string Source;       ///< the line as written, trimmed
    std::string Verb;         ///< "set", "answer", "dump" ...
    std::string What;         ///< the kind of answer or dump
    std::string Name;         ///< the control, form class or button
    std::string Text;         ///< a text argument
    std::vector<int> Numbers; ///< rows, an index, the run mode
    Word Key = 0;
    TShiftState Shift;
    bool Flag = false;                ///< check on, restore flag, "none" answers
    std::vector<TScriptCommand> Body; ///< on-modal
};

/// Reads a script; raises EScriptSyntax for the first line that is not a command.
std::vector<TScriptCommand> ParseScript(std::string_view text, int firstLine = 1);

/// How many "on-modal" blocks the lines leave open (for reading a block line by line).
int OpenBlocks(std::string_view text);

/// A key with its shift state: "Ctrl+Shift+Tab"; key 0 when it is not one.
std::pair<Word, TShiftState> ParseKey(std::string_view text);

} // namespace vondrel
