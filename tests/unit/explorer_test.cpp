#include "explore/explorer.h"

#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>

#include "explore/untested_variables.h"
#include "explore/walkthrough.h"

namespace quenlo {
namespace {

using nlohmann::json;

// A page that answers the agent's calls for a tiny game instead of the
// runtime: a hall with a key and a door to the vault, where the treasure wins.
// Throwing the key into the well loses the game for good without ending it;
// jumping ends it; the bell's action throws.
class ToyGame : public GameBrowser {
public:
    void open(const std::string&) override {}
    std::string evaluate(std::string_view expression) override {
        const std::string call(expression);
        if (call.starts_with("window.quenloAgent.rooms()"))
            return json({"", "_rSala_", "_rCaveau_", "_rSoffitta_"}).dump();
        if (call.starts_with("window.quenloAgent.verbs()")) return json({"prendi"}).dump();
        if (call.starts_with("window.quenloAgent.objects()"))
            return json::array({json::array({"_chiave_", true}), json::array({"_statua_", true})}).dump();
        if (call.starts_with("window.quenloAgent.start(")) return outcome("toy,1,sala", false).dump();
        if (call.starts_with("window.quenloAgent.apply(")) {
            const std::size_t open = call.find('(');
            const json args = json::parse("[" + call.substr(open + 1, call.rfind(')') - open - 1) + "]");
            json results = json::array();
            for (const json& action : args[1]) results.push_back(step(args[0], action));
            return results.dump();
        }
        return "ok";  // the agent itself, the untested variables
    }

private:
    json step(const std::string& record, const std::string& action) {
        const int room = record[4] - '0';
        std::string key = record.substr(6);
        if (action == "_campana_|suona") {
            json out = outcome(record, false);
            out["e"] = json::array({{{"m", "ReferenceError: din is not defined"}, {"l", 7}, {"c", 3}}});
            return out;
        }
        if (action == "_sala_|salta") return ended(-1);
        if (action == "_tesoro_|prendi") return ended(99);
        if (action == "_chiave_|prendi") key = "presa";
        if (action == "_chiave_|getta") key = "pozzo";
        const int to = action == "_porta_|apri" && key == "presa" ? 2 : room;
        return outcome("toy," + std::to_string(to) + "," + key, true);
    }

    json ended(int room) {
        return {{"r", ""}, {"room", room}, {"h", true}, {"s", -1}, {"e", json::array()},
                {"c", json::array()}, {"w", json::array()}, {"t", json::array()}};
    }

    json choice(const std::string& word, const std::string& verb, const std::string& id) {
        return {{"w", {word, verb}}, {"a", id + "|" + verb}};
    }

    json outcome(const std::string& record, bool handled) {
        json choices = json::array();
        const bool hall = record[4] == '1';
        const std::string key = record.substr(6);
        if (hall) {
            choices.push_back(choice("porta", "apri", "_porta_"));
            choices.push_back(choice("campana", "suona", "_campana_"));
            choices.push_back(choice("sala", "salta", "_sala_"));
            if (key == "sala") choices.push_back(choice("chiave", "prendi", "_chiave_"));
            if (key == "presa") choices.push_back(choice("chiave", "getta", "_chiave_"));
        } else {
            choices.push_back(choice("tesoro", "prendi", "_tesoro_"));
        }
        auto [at, added] = states_.try_emplace(record, static_cast<int>(states_.size()));
        return {{"r", record}, {"room", record[4] - '0'}, {"h", handled}, {"s", at->second},
                {"n", added}, {"e", json::array()}, {"c", choices}, {"w", {"_chiave_"}},
                {"t", json::array()}};
    }

    std::map<std::string, int> states_;
};

TEST(Explorer, FindsTheWinTheScriptErrorAndTheChoiceThatLosesTheGameForGood) {
    ToyGame page;
    GameAgent agent(page);
    ExploreLimits limits;
    const Exploration found = explore(agent, "", limits);
    EXPECT_TRUE(found.complete);
    EXPECT_EQ(found.states, 4u);  // hall with the key there, taken, in the well; the vault
    EXPECT_EQ(found.shortest_win, (Path{"chiave > prendi", "porta > apri", "tesoro > prendi"}));
    ASSERT_EQ(found.faults.size(), 1u);  // once, though every hall has the bell
    EXPECT_EQ(found.faults[0].path, Path{"campana > suona"});
    EXPECT_EQ(found.faults[0].error.line, 7u);
    ASSERT_EQ(found.lost_causes.size(), 1u);
    EXPECT_EQ(found.lost_causes[0].path, (Path{"chiave > prendi", "chiave > getta"}));
    EXPECT_EQ(found.lost_causes[0].action, "_chiave_|getta");
    EXPECT_EQ(found.rooms_entered, (std::set<int>{1, 2}));
    EXPECT_EQ(found.objects_never_shown, std::vector<std::string>{"_statua_"});
    EXPECT_EQ(found.losses.size(), 3u);  // jumping from each hall
}

TEST(Explorer, AnUnfinishedSearchClaimsNoLostCause) {
    ToyGame page;
    GameAgent agent(page);
    ExploreLimits limits;
    limits.time = std::chrono::milliseconds(0);
    const Exploration found = explore(agent, "", limits);
    EXPECT_FALSE(found.complete);
    EXPECT_TRUE(found.lost_causes.empty());
}

TEST(UntestedVariables, CountedSetAndShownVariablesAreUntestedTestedOnesAreNot) {
    const std::string page =
        "window.g_var[0]=0;\nwindow.g_var[1]=0;\nwindow.g_var[2]=1;\nwindow.g_var[3]=0;\n"
        "'Ci sei riuscito in '+window.g_var[1]+' mosse.'\n"
        "window.g_var[1] = window.g_var[1] + 1;\n"
        "window.g_var[3]++;\n"
        "if (window.g_var[2] < 2) f_show('chiuso');\n"
        "if (f_istaken('_chiave_') && (window.g_var[0] < 25)) window.g_var[0] = 25;\n"
        "f_show('x' + window.g_var[3]); if (window.g_var[3] == 4) f_win();\n";
    const std::set<int> untested = untested_variables(page);
    EXPECT_TRUE(untested.count(1));
    EXPECT_FALSE(untested.count(0));
    EXPECT_FALSE(untested.count(2));
    EXPECT_FALSE(untested.count(3));
    EXPECT_TRUE(untested.count(99));
}

TEST(Walkthrough, ChoicesExpectationsAndCommentsByLine) {
    const std::vector<WalkLine> lines = read_walkthrough(
        "# la via piu breve\r\nInizia l'avventura\r\n\r\ncancello > usa con > chiave  # apre\r\n"
        "= Con un lungo cigolio\r\n= WIN\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].number, 2u);
    EXPECT_EQ(lines[0].words, std::vector<std::string>{"Inizia l'avventura"});
    EXPECT_EQ(lines[1].words, (std::vector<std::string>{"cancello", "usa con", "chiave"}));
    EXPECT_EQ(lines[2].kind, WalkLine::Kind::text);
    EXPECT_EQ(lines[2].text, "Con un lungo cigolio");
    EXPECT_EQ(lines[3].kind, WalkLine::Kind::win);
    EXPECT_EQ(lines[3].number, 6u);
}

}  // namespace
}  // namespace quenlo
