#include "explore/game_agent.h"

#include <nlohmann/json.hpp>

#include "foundation/error.h"

namespace quenlo {

namespace {

using nlohmann::json;

// Installed once per page as window.quenloAgent. Math.random is replaced by
// a generator seeded from the record and the action before every choice, so
// that the same choice from the same state always draws the same numbers.
// The dialog's continue is pressed as its button would, without the pauses
// that guard a human's double touch.
constexpr const char* agent_script = R"JS((function () {
if (window.quenloAgent) { return 'ok'; }
var A = {};
var seed = 1;
Math.random = function () {
    seed = (seed + 0x6D2B79F5) | 0;
    var t = seed;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
};
function hash(s) {
    var h = 2166136261;
    for (var i = 0; i < s.length; i++) { h ^= s.charCodeAt(i); h = Math.imul(h, 16777619); }
    return h | 0;
}
var handled = false;
['f_getactions', 'f_movement_actions', 'f_default_actions'].forEach(function (name) {
    var f = window[name];
    window[name] = function () { var r = f.apply(this, arguments); if (r) { handled = true; } return r; };
});
var page = ('' + location.href).split(/[?#]/)[0];
function place(e) {
    var text = (e && e.name ? e.name + ': ' + e.message : String(e));
    var stack = String((e && e.stack) || '');
    var re = /((?:file|https?):\/\/[^\s()@]+?):(\d+):(\d+)/g;
    var m;
    while ((m = re.exec(stack)) !== null) {
        if (m[1] == page) { return { m: text, l: +m[2], c: +m[3] }; }
    }
    return { m: text, l: 0, c: 0 };
}
var scratch = document.createElement('div');
function plain(html) {
    scratch.innerHTML = html;
    return (scratch.textContent || '').replace(/\s+/g, ' ').trim();
}
var skip = { _mrvhelp_: 1, _mrvexithelp_: 1, _mrvhome_: 1, _mrvquit_: 1, _mrvload_: 1,
             _mrvsave_: 1, _mrvmap_: 1, _mrvundo_: 1, _mrvstartgame2_: 1 };
function choices(out) {
    out.c = [];
    out.w = [];
    if ((g_room == 99) || (g_room == -1)) { return; }
    var words = document.querySelectorAll('#content ul.mrvmenu');
    var seen = {};
    var texts = {};
    var list = [];
    for (var k = 0; k < words.length; k++) {
        var id = words[k].id;
        if (seen[id]) { continue; }
        seen[id] = 1;
        if (f_findObjectIndexById(id) >= g_defaultobjnum) { out.w.push(id); }
        if (skip[id]) { continue; }
        var span = words[k].querySelector('span');
        var text = ((span || words[k]).textContent || '').replace(/\s+/g, ' ').trim();
        texts[text] = (texts[text] || 0) + 1;
        list.push({ id: id, text: text });
    }
    for (var j = 0; j < list.length; j++) {
        var w = list[j];
        var name = (texts[w.text] > 1) ? w.id : w.text;
        var node;
        try {
            window.g_list.length = 0;
            node = f_createmrvmenu(w.id);
        } catch (e) {
            var p = place(e);
            p.w = name;
            out.e.push(p);
            continue;
        }
        var oi = f_findObjectIndexById(w.id);
        var sh = (oi >= g_defaultobjnum) ? plain(_de(o_desc_short[oi])) : '';
        if (node.direct) { out.c.push({ w: [name], a: w.id, s: sh }); }
        for (var i = 0; i < node.items.length; i++) {
            var it = node.items[i];
            var label = plain(_de(it.label));
            var action = w.id + '|' + it.part;
            if (it.subs.length == 0) { out.c.push({ w: [name, label], a: action, s: sh }); }
            for (var s = 0; s < it.subs.length; s++) {
                out.c.push({ w: [name, label, plain(_de(it.subs[s].label))], a: action + '|' + it.subs[s].part, s: sh });
            }
        }
    }
}
function pageText() {
    var content = document.getElementById('content');
    return (content.innerText || content.textContent || '').replace(/[ \t]+/g, ' ').trim();
}
// The dialog and the menus without their presentation: the dialog keeps its
// screens (drawn as the runtime draws them, one random alternative each) for
// the agent to read, and words get their menus when the agent asks. What the
// turn decides is the runtime's own; focus, pauses and announcements, which
// cost a page layout each, are left out.
var screens = [];
window.f_showdialog = function (text, show) {
    if (!show) { Mrvmenu.dialog = false; return; }
    window.g_mext = f_nulls(text).split('§');
    mrvNextScreen();
};
window.mrvNextScreen = function () {
    screens.push(_de(f_rndtxt(window.g_mext.shift())));
    Mrvmenu.dialog = true;
};
Mrvmenu.initialise = function () {};
// Presses the dialog's continue until the page is drawn.
function settle(out, wanttexts) {
    for (var guard = 0; Mrvmenu.dialog && (guard < 1000); guard++) {
        if (wanttexts) { out.t.push(plain(screens[screens.length - 1])); }
        out.d = out.d + 1;
        Mrvmenu.dialog = false;
        window.g_forceurl = '';
        if (window.g_mext.length > 0) { mrvNextScreen(); } else { f_processaction(''); }
    }
    screens.length = 0;
}
// States already met, by their key: the record without what no script
// tests (the selected map, the discovered rooms, the checksum, untested
// variables) and the words of the page, which tell the last introduction
// screen from the start room it already holds.
var untested = {};
var states = new Map();
A.untested = function (list) {
    untested = {};
    for (var k = 0; k < list.length; k++) { untested[list[k]] = 1; }
    states = new Map();
    return 'ok';
};
function stateKey(record) {
    var f = record.split(',');
    var parts = [f[1]];
    for (var k = 3; k <= 578; k++) { parts.push(f[k]); }
    for (var v = 0; v < 100; v++) { parts.push(untested[v] ? '0' : f[579 + v]); }
    var words = document.querySelectorAll('#content ul.mrvmenu');
    var ids = [];
    for (var i = 0; i < words.length; i++) { ids.push(words[i].id); }
    return parts.join(',') + '#' + ids.join(' ');
}
// The outcome of a choice; with DEDUP a state met before is told by its
// number alone (s), a new one gets the next number (n).
function outcome(out, wanttexts, dedup) {
    out.r = f_agetCookie(mrvSlotName(0));
    out.room = g_room;
    out.h = handled;
    out.s = -1;
    if (dedup && (out.e.length == 0) && (g_room != 99) && (g_room != -1)) {
        var key = stateKey(out.r);
        if (states.has(key)) {
            out.s = states.get(key);
            out.r = '';
            out.c = [];
            out.w = [];
            return out;
        }
        out.s = states.size;
        out.n = true;
        states.set(key, out.s);
    }
    try { choices(out); } catch (e) { out.e.push(place(e)); }
    if (wanttexts) { out.t.push(pageText()); }
    return out;
}
A.start = function (dedup) {
    var out = { e: [], t: [], d: 0 };
    for (var s = 0; s < 6; s++) { f_deleteCookie(s); }
    seed = 1;
    handled = false;
    try { f_processaction(''); } catch (e) { out.e.push(place(e)); }
    return JSON.stringify(outcome(out, true, dedup));
};
A.apply = function (record, actions, wanttexts, dedup) {
    var results = [];
    for (var k = 0; k < actions.length; k++) {
        if (record === '') { f_deleteCookie(0); } else { f_acreateCookie(mrvSlotName(0), record, 30); }
        f_deleteCookie(5);
        seed = hash(record + '#' + actions[k]);
        handled = false;
        var out = { e: [], t: [], d: 0 };
        try {
            f_processaction(actions[k]);
            settle(out, wanttexts);
        } catch (e) {
            out.e.push(place(e));
            Mrvmenu.dialog = false;
            screens.length = 0;
        }
        results.push(outcome(out, wanttexts, dedup));
    }
    return JSON.stringify(results);
};
A.rooms = function () { return JSON.stringify(g_roomids.slice(0, 80)); };
A.objects = function () {
    var list = [];
    for (var i = g_defaultobjnum; i <= g_lastobject; i++) { list.push([o_id[i], f_nulli(o_enabled[i]) != 0]); }
    return JSON.stringify(list);
};
A.verbs = function () {
    return JSON.stringify([g_use_, g_examine_, g_take_, g_leave_, g_wear_, g_takeoff_, g_talk_, g_go_]);
};
A.continuelabel = function () { return plain(_de(f_gmes(26))); };
window.quenloAgent = A;
return 'ok';
})())JS";

Outcome read_outcome(const json& in) {
    Outcome out;
    out.record = in.value("r", std::string());
    out.room = in.value("room", 0);
    out.handled = in.value("h", false);
    out.state = in.value("s", -1);
    out.new_state = in.value("n", false);
    for (const json& e : in.at("e"))
        out.errors.push_back({e.value("m", std::string()), e.value("l", std::size_t{0}),
                              e.value("c", std::size_t{0})});
    for (const json& c : in.at("c"))
        out.choices.push_back({c.at("w").get<std::vector<std::string>>(), c.at("a").get<std::string>(),
                               c.value("s", std::string())});
    out.words_shown = in.at("w").get<std::vector<std::string>>();
    out.texts = in.at("t").get<std::vector<std::string>>();
    return out;
}

}  // namespace

std::string choice_text(const Choice& choice) {
    std::string text;
    for (const std::string& word : choice.words) {
        if (!text.empty()) text += " > ";
        text += word;
    }
    return text;
}

GameAgent::GameAgent(GameBrowser& browser) : browser_(browser) {
    browser_.evaluate(agent_script);
}

Outcome GameAgent::start(bool dedup) {
    return read_outcome(json::parse(browser_.evaluate(std::string("window.quenloAgent.start(") +
                                                      (dedup ? "true" : "false") + ")")));
}

void GameAgent::set_untested(const std::set<int>& variables) {
    browser_.evaluate("window.quenloAgent.untested(" + json(variables).dump() + ")");
}

std::vector<Outcome> GameAgent::apply(const std::string& record,
                                      const std::vector<std::string>& actions, bool texts,
                                      bool dedup) {
    const std::string call = "window.quenloAgent.apply(" + json(record).dump() + "," +
                             json(actions).dump() + "," + (texts ? "true" : "false") + "," +
                             (dedup ? "true" : "false") + ")";
    const json results = json::parse(browser_.evaluate(call));
    std::vector<Outcome> out;
    for (const json& result : results) out.push_back(read_outcome(result));
    return out;
}

std::vector<std::string> GameAgent::room_ids() {
    std::vector<std::string> ids;
    for (const json& id : json::parse(browser_.evaluate("window.quenloAgent.rooms()")))
        ids.push_back(id.is_string() ? id.get<std::string>() : std::string());
    return ids;
}

std::vector<std::pair<std::string, bool>> GameAgent::object_ids() {
    return json::parse(browser_.evaluate("window.quenloAgent.objects()"))
        .get<std::vector<std::pair<std::string, bool>>>();
}

std::vector<std::string> GameAgent::builtin_verbs() {
    return json::parse(browser_.evaluate("window.quenloAgent.verbs()")).get<std::vector<std::string>>();
}

std::string GameAgent::continue_label() {
    return browser_.evaluate("window.quenloAgent.continuelabel()");
}

}  // namespace quenlo
