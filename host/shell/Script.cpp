#include "Script.h"

#include "ShellJson.h"

#include "platform/DateTime.h"
#include "platform/SysUtils.h"
#include "ui/Dialogs.h"

#include <algorithm>

namespace vondrel {

namespace {

struct TLine {
    int Number = 0;
    std::string Text;
};

/// The first word of the text and what follows it (trimmed).
std::pair<std::string, std::string> SplitWord(std::string_view text) {
    const std::string trimmed = Trim(text);
    const std::size_t blank = trimmed.find_first_of(" \t");
    if (blank == std::string::npos)
        return {trimmed, {}};
    return {trimmed.substr(0, blank), Trim(std::string_view(trimmed).substr(blank))};
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string rest(text);
    while (!Trim(rest).empty()) {
        auto [word, tail] = SplitWord(rest);
        words.push_back(word);
        rest = tail;
    }
    return words;
}

/// A text argument: the rest of the line, or what stands between double quotes.
std::string TextArgument(const std::string& rest) {
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        return rest.substr(1, rest.size() - 2);
    return rest;
}

std::optional<int> Number(std::string_view word) {
    return TryStrToInt(word);
}

std::optional<bool> OnOff(std::string_view word) {
    const std::string w = LowerCase(word);
    if (w == "on" || w == "true" || w == "yes" || w == "y" || w == "1")
        return true;
    if (w == "off" || w == "false" || w == "no" || w == "n" || w == "0")
        return false;
    return std::nullopt;
}

bool IsButtonName(std::string_view name) {
    for (int b = mbYes; b <= mbHelp; ++b)
        if (SameText(ButtonName(static_cast<TMsgDlgBtn>(b)), name))
            return true;
    return false;
}

class TParser {
public:
    explicit TParser(std::vector<TLine> lines) : lines_(std::move(lines)) {}

    std::vector<TScriptCommand> Block(bool inModal, int openedAt) {
        // Modal windows over modal windows go a few levels deep; a script nesting its
        // blocks without end would make the reading recurse without end.
        constexpr int kMaxOpenBlocks = 32;
        if (inModal && ++openBlocks_ > kMaxOpenBlocks)
            throw EScriptSyntax(openedAt, "\"on-modal\" blocks nest more than " +
                                              std::to_string(kMaxOpenBlocks) + " deep");
        std::vector<TScriptCommand> commands;
        while (next_ < lines_.size()) {
            const TLine& line = lines_[next_++];
            auto [verb, rest] = SplitWord(line.Text);
            if (verb == "end") {
                if (!inModal)
                    throw EScriptSyntax(line.Number, "\"end\" without \"on-modal\"");
                if (!rest.empty())
                    throw EScriptSyntax(line.Number, "\"end\" takes nothing after it");
                --openBlocks_;
                return commands;
            }
            commands.push_back(Command(line, verb, rest));
        }
        if (inModal)
            throw EScriptSyntax(openedAt, "\"on-modal\" without its \"end\"");
        return commands;
    }

private:
    TScriptCommand Command(const TLine& line, const std::string& verb, const std::string& rest) {
        TScriptCommand command;
        command.Line = line.Number;
        command.Source = line.Text;
        command.Verb = verb;
        const std::vector<std::string> words = Words(rest);
        auto fail = [&](const std::string& why) { throw EScriptSyntax(line.Number, why); };
        auto needWords = [&](std::size_t low, std::size_t high, const char* usage) {
            if (words.size() < low || words.size() > high)
                fail(std::string("usage: ") + usage);
        };

        if (verb == "show" || verb == "leave" || verb == "release" || verb == "close" || verb == "quit") {
            needWords(0, 0, (verb + " (nothing after it)").c_str());
        } else if (verb == "focus" || verb == "click") {
            needWords(1, 1, (verb + " NAME").c_str());
            command.Name = words[0];
        } else if (verb == "set") {
            if (words.empty())
                fail("usage: set NAME TEXT");
            auto [name, text] = SplitWord(rest);
            command.Name = name;
            command.Text = TextArgument(text);
        } else if (verb == "key") {
            needWords(1, 2, "key KEY [NAME]");
            std::tie(command.Key, command.Shift) = ParseKey(words[0]);
            if (!command.Key)
                fail("\"" + words[0] + "\" is not a key (F1, Esc, Enter, Tab, Ctrl+Tab, Ctrl+PageUp ...)");
            if (words.size() == 2)
                command.Name = words[1];
        } else if (verb == "check") {
            needWords(2, 2, "check NAME on|off");
            command.Name = words[0];
            const auto on = OnOff(words[1]);
            if (!on)
                fail("check takes on or off, not \"" + words[1] + "\"");
            command.Flag = *on;
        } else if (verb == "choose") {
            if (words.size() < 2)
                fail("usage: choose NAME INDEX|TEXT");
            auto [name, text] = SplitWord(rest);
            command.Name = name;
            if (const auto index = Number(text))
                command.Numbers = {*index};
            else
                command.Text = TextArgument(text);
        } else if (verb == "select") {
            if (words.empty())
                fail("usage: select NAME ROW...");
            command.Name = words[0];
            command.Numbers = Rows(line, {words.begin() + 1, words.end()});
        } else if (verb == "answer") {
            Answer(command, line, rest);
        } else if (verb == "on-modal") {
            needWords(1, 1, "on-modal CLASS ... end");
            command.Name = words[0];
            command.Body = Block(true, line.Number);
        } else if (verb == "run-command") {
            if (words.size() < 2)
                fail("usage: run-command MODE RESTORE [JSON]");
            const auto mode = Number(words[0]);
            if (!mode)
                fail("the run mode \"" + words[0] + "\" is not a number");
            command.Numbers = {*mode};
            const auto restore = OnOff(words[1]);
            if (!restore)
                fail("the restore flag is true or false, not \"" + words[1] + "\"");
            command.Flag = *restore;
            auto [modeWord, afterMode] = SplitWord(rest);
            auto [restoreWord, json] = SplitWord(afterMode);
            command.Text = json;
            if (!json.empty()) {
                try {
                    JsonTextVariant(json);
                } catch (const std::exception& e) {
                    fail(std::string("the saved data: ") + e.what());
                }
            }
        } else if (verb == "dump") {
            if (words.empty())
                fail("usage: dump form|control NAME|list NAME|messages|outcome|jobs|dialogs");
            command.What = words[0];
            const bool named = command.What == "control" || command.What == "list";
            const bool plain = command.What == "form" || command.What == "messages" ||
                               command.What == "outcome" || command.What == "jobs" ||
                               command.What == "dialogs";
            if (!named && !plain)
                fail("cannot dump \"" + command.What + "\"");
            needWords(named ? 2 : 1, named ? 2 : 1,
                      named ? ("dump " + command.What + " NAME").c_str() : "dump WHAT");
            if (named)
                command.Name = words[1];
        } else {
            fail("unknown command \"" + verb + "\"");
        }
        return command;
    }

    void Answer(TScriptCommand& command, const TLine& line, const std::string& rest) {
        auto fail = [&](const std::string& why) { throw EScriptSyntax(line.Number, why); };
        auto [what, tail] = SplitWord(rest);
        command.What = what;
        const std::vector<std::string> words = Words(tail);
        if (what == "dialog") {
            if (words.size() != 1)
                fail("usage: answer dialog BUTTON");
            if (!IsButtonName(words[0]))
                fail("\"" + words[0] +
                     "\" is not a dialog button (OK, Cancel, Yes, No, Abort, Retry, Ignore ...)");
            command.Name = words[0];
        } else if (what == "lookup") {
            if (words.empty())
                fail("usage: answer lookup ROW...|none");
            if (words.size() == 1 && words[0] == "none")
                command.Flag = true;
            else
                command.Numbers = Rows(line, words);
        } else if (what == "date") {
            if (words.size() != 1)
                fail("usage: answer date YYYYMMDD|none");
            if (words[0] == "none") {
                command.Flag = true;
            } else {
                const std::string& date = words[0];
                const bool digits = date.size() == 8 && std::all_of(date.begin(), date.end(), [](char c) {
                                        return c >= '0' && c <= '9';
                                    });
                if (!digits || !TryEncodeDate(std::stoi(date.substr(0, 4)), std::stoi(date.substr(4, 2)),
                                              std::stoi(date.substr(6, 2))))
                    fail("\"" + date + "\" is not a date YYYYMMDD");
                command.Text = date;
            }
        } else if (what == "phrase" || what == "tree") {
            if (tail.empty())
                fail("usage: answer " + what + (what == "tree" ? " CODE" : " TEXT"));
            command.Text = TextArgument(tail);
        } else {
            fail("cannot answer \"" + what + "\" (dialog, lookup, date, phrase or tree)");
        }
    }

    static std::vector<int> Rows(const TLine& line, const std::vector<std::string>& words) {
        if (words.empty())
            throw EScriptSyntax(line.Number, "no row given");
        std::vector<int> rows;
        for (const std::string& word : words) {
            const auto row = Number(word);
            if (!row || *row < 0)
                throw EScriptSyntax(line.Number, "\"" + word + "\" is not a row number (0, 1, 2 ...)");
            rows.push_back(*row);
        }
        return rows;
    }

    std::vector<TLine> lines_;
    std::size_t next_ = 0;
    int openBlocks_ = 0;
};

std::vector<TLine> ScriptLines(std::string_view text, int firstLine) {
    std::vector<TLine> lines;
    int number = firstLine - 1;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        lines.push_back({number, line});
    }
    return lines;
}

} // namespace

std::pair<Word, TShiftState> ParseKey(std::string_view text) {
    TShiftState shift;
    std::string rest(Trim(text));
    while (true) {
        const std::size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size())
            break;
        const std::string modifier = rest.substr(0, plus);
        if (SameText(modifier, "Ctrl"))
            shift.Include(ssCtrl);
        else if (SameText(modifier, "Shift"))
            shift.Include(ssShift);
        else if (SameText(modifier, "Alt"))
            shift.Include(ssAlt);
        else
            return {0, {}};
        rest = rest.substr(plus + 1);
    }
    return {KeyByName(rest), shift};
}

std::vector<TScriptCommand> ParseScript(std::string_view text, int firstLine) {
    TParser parser(ScriptLines(text, firstLine));
    return parser.Block(false, 0);
}

int OpenBlocks(std::string_view text) {
    int open = 0;
    for (const TLine& line : ScriptLines(text, 1)) {
        const std::string verb = SplitWord(line.Text).first;
        if (verb == "on-modal")
            ++open;
        else if (verb == "end" && open > 0)
            --open;
    }
    return open;
}

} // namespace vondrel
