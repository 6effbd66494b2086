#include "explore/explorer.h"

#include <algorithm>
#include <deque>
#include <map>

#include "explore/untested_variables.h"
#include "foundation/parse_integer.h"

namespace quenlo {

namespace {

using Clock = std::chrono::steady_clock;

// How many choices one visit to the page applies: enough to make the visit
// cheap, few enough to keep the progress lines and the time limit prompt.
constexpr std::size_t batch = 24;
constexpr std::size_t most_paths = 50;

struct Node {
    std::string record;
    int parent = -1;
    std::string step;  // the choice that first led here
    std::vector<Choice> choices;  // until expanded
};

struct Edge {
    int from;
    int to;
    std::string action;
};

int room_of(const std::string& record) {
    const std::size_t a = record.find(',');
    if (a == std::string::npos) return 0;
    const std::size_t b = record.find(',', a + 1);
    const auto value = parse_integer(record.substr(a + 1, b - a - 1));
    return value ? static_cast<int>(*value) : 0;
}

std::string verb_of(const std::string& action) {
    const std::size_t a = action.find('|');
    if (a == std::string::npos) return {};
    const std::size_t b = action.find('|', a + 1);
    return action.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
}

std::string object_of(const std::string& action) { return action.substr(0, action.find('|')); }

class Search {
public:
    Search(GameAgent& agent, std::string_view page, const ExploreLimits& limits)
        : agent_(agent), limits_(limits), untested_(untested_variables(page)) {}

    Exploration run() {
        const auto started = Clock::now();
        auto next_progress = started + std::chrono::seconds(1);
        result_.room_ids = agent_.room_ids();
        const std::vector<std::string> builtins = agent_.builtin_verbs();
        builtin_verbs_.insert(builtins.begin(), builtins.end());

        agent_.set_untested(untested_);
        Outcome first = agent_.start(true);
        note_words(first);
        by_state_.push_back(add_node(first.record, -1, "", std::move(first.choices)));
        std::size_t next = 0;
        bool timed_out = false;
        while (next < nodes_.size()) {
            if (time_up(started)) {
                timed_out = true;
                break;
            }
            expand(static_cast<int>(next), started, next_progress);
            if (timed_out_) {
                timed_out = true;
                break;
            }
            ++next;
        }
        result_.complete = !timed_out;
        result_.stopped = timed_out && limits_.stopped && limits_.stopped();
        result_.states = nodes_.size();
        result_.seconds = std::chrono::duration<double>(Clock::now() - started).count();
        for (const Node& node : nodes_) {
            const int room = room_of(node.record);
            if (room >= 1 && room <= 79) result_.rooms_entered.insert(room);
        }
        for (const auto& [id, word] : agent_.object_ids())
            if (word && !shown_.count(id)) result_.objects_never_shown.push_back(id);
        for (const auto& [verb, handled] : verb_answered_)
            if (!handled) result_.default_only_verbs.push_back(verb);
        if (result_.complete) find_lost_causes();
        if (limits_.progress)
            limits_.progress(progress_line(started));
        return std::move(result_);
    }

private:
    bool time_up(Clock::time_point started) const {
        return Clock::now() - started >= limits_.time || (limits_.stopped && limits_.stopped());
    }

    void expand(int index, Clock::time_point started, Clock::time_point& next_progress) {
        std::vector<Choice> choices = std::move(nodes_[index].choices);
        nodes_[index].choices.clear();
        const std::string record = nodes_[index].record;
        for (std::size_t from = 0; from < choices.size(); from += batch) {
            if (time_up(started)) {
                timed_out_ = true;
                return;
            }
            std::vector<std::string> actions;
            for (std::size_t k = from; k < std::min(choices.size(), from + batch); ++k)
                actions.push_back(choices[k].action);
            std::vector<Outcome> outcomes = agent_.apply(record, actions, false, true);
            for (std::size_t k = 0; k < outcomes.size(); ++k)
                take(index, choices[from + k], std::move(outcomes[k]));
            if (limits_.progress && Clock::now() >= next_progress) {
                limits_.progress(progress_line(started));
                next_progress = Clock::now() + std::chrono::seconds(1);
            }
        }
    }

    void take(int from, const Choice& choice, Outcome outcome) {
        ++result_.choices;
        note_words(outcome);
        if (choice.words.size() >= 2) {
            const std::string verb = verb_of(choice.action);
            if (!builtin_verbs_.count(verb)) {
                // A verb that throws is a script error, not a verb left idle.
                bool& answered = verb_answered_[{object_of(choice.action), verb}];
                answered = answered || outcome.handled || !outcome.errors.empty();
            }
        }
        const std::string step = choice_text(choice);
        // A state is new to the page even when a word's menu on it threw:
        // it is kept, so that the page's numbers and the nodes stay in step.
        if (outcome.new_state)
            by_state_.push_back(add_node(outcome.record, from, step, std::move(outcome.choices)));
        for (const PageError& error : outcome.errors) {
            const std::string key = error.message + "@" + std::to_string(error.line);
            if (fault_seen_.insert(key).second) result_.faults.push_back({error, path_to(from, step)});
        }
        if (outcome.state < 0 && !outcome.errors.empty()) return;  // the turn threw
        if (outcome.won() || outcome.lost()) {
            std::vector<Path>& paths = outcome.won() ? result_.wins : result_.losses;
            if (outcome.won()) {
                winning_.insert(from);
                if (result_.shortest_win.empty() ||
                    depth(from) + 1 < result_.shortest_win.size())
                    result_.shortest_win = path_to(from, step);
            }
            if (ended_from_.insert({from, outcome.won()}).second && paths.size() < most_paths)
                paths.push_back(path_to(from, step));
            return;
        }
        if (outcome.state < 0) return;
        const int to = by_state_.at(static_cast<std::size_t>(outcome.state));
        if (to != from) edges_.push_back({from, to, choice.action});
    }

    int add_node(std::string record, int parent, std::string step, std::vector<Choice> choices) {
        nodes_.push_back({std::move(record), parent, std::move(step), std::move(choices)});
        return static_cast<int>(nodes_.size()) - 1;
    }

    void note_words(const Outcome& outcome) {
        shown_.insert(outcome.words_shown.begin(), outcome.words_shown.end());
    }

    std::size_t depth(int node) const {
        std::size_t d = 0;
        for (int n = node; nodes_[n].parent >= 0; n = nodes_[n].parent) ++d;
        return d;
    }

    Path path_to(int node, const std::string& last) const {
        Path path;
        for (int n = node; n >= 0 && nodes_[n].parent >= 0; n = nodes_[n].parent)
            path.push_back(nodes_[n].step);
        std::reverse(path.begin(), path.end());
        if (!last.empty()) path.push_back(last);
        return path;
    }

    // Every state from which a win can be reached, walking the edges
    // backwards from the states a win is one choice from; then every choice
    // that leads from such a state to one that is not, once per action.
    void find_lost_causes() {
        std::vector<std::vector<int>> into(nodes_.size());
        for (const Edge& edge : edges_) into[edge.to].push_back(edge.from);
        std::vector<bool> can_win(nodes_.size(), false);
        std::deque<int> todo(winning_.begin(), winning_.end());
        for (int n : todo) can_win[n] = true;
        while (!todo.empty()) {
            const int n = todo.front();
            todo.pop_front();
            for (int before : into[n])
                if (!can_win[before]) {
                    can_win[before] = true;
                    todo.push_back(before);
                }
        }
        if (winning_.empty()) return;  // a game with no win at all is another fault
        std::map<std::string, std::pair<std::size_t, const Edge*>> shortest;
        for (const Edge& edge : edges_) {
            if (!can_win[edge.from] || can_win[edge.to]) continue;
            const std::size_t d = depth(edge.from);
            auto [at, added] = shortest.try_emplace(edge.action, d, &edge);
            if (!added && d < at->second.first) at->second = {d, &edge};
        }
        for (const auto& [action, found] : shortest) {
            const Edge& edge = *found.second;
            result_.lost_causes.push_back({path_to(edge.to, ""), action});
        }
        std::sort(result_.lost_causes.begin(), result_.lost_causes.end(),
                  [](const LostCause& a, const LostCause& b) { return a.path.size() < b.path.size(); });
    }

    std::string progress_line(Clock::time_point started) const {
        const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
        char text[200];
        std::snprintf(text, sizeof text, "explore: %zu states, %zu choices, %zu wins, %.1f s",
                      nodes_.size(), result_.choices, result_.wins.size(), seconds);
        return text;
    }

    GameAgent& agent_;
    const ExploreLimits& limits_;
    std::set<int> untested_;
    std::set<std::string> builtin_verbs_;
    std::vector<Node> nodes_;
    std::vector<int> by_state_;  // the page's state numbers as nodes
    std::vector<Edge> edges_;
    std::set<int> winning_;
    std::set<std::pair<int, bool>> ended_from_;
    std::set<std::string> shown_;
    std::map<std::pair<std::string, std::string>, bool> verb_answered_;
    std::set<std::string> fault_seen_;
    bool timed_out_ = false;
    Exploration result_;
};

}  // namespace

Exploration explore(GameAgent& agent, std::string_view page, const ExploreLimits& limits) {
    return Search(agent, page, limits).run();
}

}  // namespace quenlo
