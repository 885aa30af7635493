#pragma once

// Runs the shell's code path in this process: a TShellRun on an install folder whose
// JSON events are collected for the test. Header-only: the tests that use it link the
// shell's core library.

#include "ShellRun.h"

#include "support/ShellDemo.h"

#include <sstream>
#include <string>
#include <vector>

namespace vondrel::test {

/// A shell run whose output the test reads as parsed events.
class TShellHarness {
public:
    explicit TShellHarness(TShellOptions options) : run_(std::move(options), out_) {}

    TShellRun& Run() noexcept { return run_; }
    TDLLBaseController& Controller() { return *run_.Controller(); }

    /// Every event reported so far.
    std::vector<TJson> Events() const {
        std::vector<TJson> events;
        std::istringstream lines(out_.str());
        std::string line;
        while (std::getline(lines, line))
            if (!line.empty())
                events.push_back(TJson::parse(line));
        return events;
    }
    /// The events reported since the last call.
    std::vector<TJson> NewEvents() {
        std::vector<TJson> all = Events();
        std::vector<TJson> fresh(all.begin() + static_cast<std::ptrdiff_t>(std::min(seen_, all.size())),
                                 all.end());
        seen_ = all.size();
        return fresh;
    }
    /// Runs script text; returns the events it caused.
    std::vector<TJson> Script(std::string_view text) {
        NewEvents();
        run_.Run(ParseScript(text));
        return NewEvents();
    }

private:
    std::ostringstream out_;
    TShellRun run_;
    std::size_t seen_ = 0;
};

/// The options of a run of a module on the demo installation.
inline TShellOptions DemoRunOptions(const TShellDemo& demo, std::string module, std::string user = "KM01",
                                    int sessionSize = 5) {
    TShellOptions options;
    options.InstallFolder = demo.Folder();
    options.ModuleFile = std::move(module);
    options.User = std::move(user);
    options.Company = "DEMO";
    options.Database = "DEMO";
    options.SessionSize = sessionSize;
    options.ScriptFile = "-";
    return options;
}

/// The events of one kind ("notify", "dialog" ...).
inline std::vector<TJson> EventsOf(const std::vector<TJson>& events, std::string_view kind) {
    std::vector<TJson> found;
    for (const TJson& event : events)
        if (event.value("event", "") == kind)
            found.push_back(event);
    return found;
}

/// The notification codes among the events, in order.
inline std::vector<int> NotificationCodes(const std::vector<TJson>& events) {
    std::vector<int> codes;
    for (const TJson& event : EventsOf(events, "notify"))
        codes.push_back(event["code"].get<int>());
    return codes;
}

/// A compact trace of the events: "notify 272", "dialog own OnShow", "start 0" ...
inline std::vector<std::string> Trace(const std::vector<TJson>& events) {
    std::vector<std::string> trace;
    for (const TJson& event : events) {
        const std::string kind = event.value("event", "");
        if (kind == "notify")
            trace.push_back("notify " + std::to_string(event["code"].get<int>()));
        else if (kind == "dialog")
            trace.push_back("dialog " + event["text"].get<std::string>());
        else if (kind == "start")
            trace.push_back("start " + std::to_string(event["result"].get<int>()));
        else
            trace.push_back(kind);
    }
    return trace;
}

} // namespace vondrel::test
