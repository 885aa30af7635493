#pragma once

#include <vondrel/Dispatch.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vondrel::test {

/// What the test session knows, answers and records; shared by the session object and
/// the service objects it hands out.
struct TSessionState {
    // Which parts the session can hand out; a missing one raises when asked for.
    bool CounterAvailable = true;
    bool ValidatorAvailable = true;
    bool LookupAvailable = true;
    bool ProductIdAvailable = true;
    bool CatalogueFails = false;
    int ProductId = 7;
    /// Catalogue texts by (kind, number); an unknown message gives an empty text.
    std::map<std::pair<std::string, std::string>, std::string> Catalogue;

    // Queued answers of the lookup service: rows to choose (by index) or nothing, a
    // phrase, a date "YYYYMMDD" (empty: cancelled). Without a queued answer the lookup
    // chooses nothing, the phrase is empty and the date chooser is cancelled.
    std::deque<std::optional<std::vector<int>>> LookupAnswers;
    /// Results the lookup returns as they stand, before any rows are chosen.
    std::deque<Variant> LookupResults;
    std::deque<std::string> PhraseAnswers;
    std::deque<std::string> DateAnswers;

    // Records.
    int SysInfoCalls = 0;
    std::vector<std::string> CounterFunctions;
    std::vector<std::string> ValidatorCalls;
    Variant LastProductID;
    Variant LastBaseLimited;
    std::vector<Variant> LookupRequests;
    std::vector<Variant> PhraseRequests;
    std::vector<Variant> DateRequests;
    std::vector<Variant> HelpCalls;

    /// The application server the services forward to (created on first use).
    Variant Server();

private:
    Variant server_;
};

/// A session object as a shell hands one to a job form: counter, validator and lookup
/// services that forward to the reference application server, the product id, a small
/// message catalogue and help.
class TTestSession : public TAutoObject {
public:
    TTestSession();
    TSessionState& State() noexcept { return *state_; }

private:
    std::shared_ptr<TSessionState> state_;
};

} // namespace vondrel::test
