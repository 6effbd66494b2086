// Texts: decoding for display, messages, random alternatives, the turn's
// message and appended text, and the texts of the engine's own pages.

// Undoes the letter shift of the release page's quoted texts; letters inside
// an HTML tag or entity were never shifted. Character codes stand for the
// four special characters so that this function holds no quoted text.
function _de(text) {
    if (g_isdebug) { return text; }
    var s = f_nulls(text);
    var out = '';
    var codes = [];
    var tag = false;
    var entity = false;
    for (var i = 0; i < s.length; i++) {
        var c = s.charCodeAt(i);
        if ((c == 38) && !entity) {
            entity = true;
        } else if ((c == 59) && entity) {
            entity = false;
        } else if ((c == 60) && !tag) {
            tag = true;
        } else if ((c == 62) && tag) {
            tag = false;
        } else if (!entity && !tag) {
            if ((c >= 97) && (c <= 122)) {
                c = (c % 2 == 0) ? c - 2 : c + 2;
                if (c < 97) { c = c + 26; }
                if (c > 122) { c = c - 26; }
            } else if ((c >= 65) && (c <= 90)) {
                c = (c % 2 == 0) ? c + 2 : c - 2;
                if (c < 65) { c = c + 26; }
                if (c > 90) { c = c - 26; }
            }
        }
        codes.push(c);
        if (codes.length == 4096) {
            out = out + String.fromCharCode.apply(null, codes);
            codes.length = 0;
        }
    }
    return out + String.fromCharCode.apply(null, codes);
}

// One randomly chosen alternative of a text divided by bars.
function f_rndtxt(text) {
    var t = f_nulls(text);
    if (t == '') { return ''; }
    var parts = t.split('|');
    return parts[Math.floor(Math.random() * parts.length)];
}

// Message N, one of its alternatives.
function f_gmes(n) {
    return f_rndtxt(g_mes[n]);
}

// The first-time texts of f_showx and f_appendx keep their bit in the state
// word of an object that saved games carry (objects 12 to 299; the built-in
// ones are rebuilt every turn). Calls 0 to 287 use bit 4 (append) or 8
// (show) of object N + 12; calls 288 to 299 have no such object left and use
// the bits four times higher of objects 12 to 23.
function mrvFirstTime(n, bit) {
    var call = ((f_nulli(n) % 300) + 300) % 300;
    var k = 12 + call % 288;
    var mask = (call < 288) ? bit : bit * 4;
    var word = f_nulli(o_ef[k]);
    if ((word & mask) == 0) {
        o_ef[k] = word | mask;
        return true;
    }
    return false;
}

function f_show(n, first, later) {
    var t = n;
    if (arguments.length >= 3) { t = mrvFirstTime(n, 8) ? first : later; }
    window.g_mex = ' ' + f_nulls(t);
}

function f_append(n, first, later) {
    var t = n;
    if (arguments.length >= 3) { t = mrvFirstTime(n, 4) ? first : later; }
    t = f_rndtxt(t);
    if (t != '') { window.g_addtext = window.g_addtext + ' ' + t; }
}

function f_textisempty() {
    return window.g_addtext == '';
}

// The verb texts of messages 18 to 25, 35 and 44, read once per page.
function mrvReadVerbs() {
    if (g_dmenc) { return; }
    window.g_use_ = f_nulls(g_mes[18]);
    window.g_examine_ = f_nulls(g_mes[19]);
    window.g_take_ = f_nulls(g_mes[20]);
    window.g_leave_ = f_nulls(g_mes[21]);
    window.g_wear_ = f_nulls(g_mes[22]);
    window.g_takeoff_ = f_nulls(g_mes[23]);
    window.g_confirm_ = f_nulls(g_mes[24]);
    window.g_go_ = f_nulls(g_mes[25]);
    window.g_yourself_ = f_nulls(g_mes[35]);
    window.g_talk_ = f_nulls(g_mes[44]);
    window.g_dmenc = true;
}

function f_use() { return g_use_; }
function f_examine() { return g_examine_; }
function f_take() { return g_take_; }
function f_leave() { return g_leave_; }
function f_wear() { return g_wear_; }
function f_takeoff() { return g_takeoff_; }
function f_talk() { return g_talk_; }
function f_go() { return g_go_; }
function f_yourself() { return g_yourself_; }

// The action of the turn.
function f_obj1() { return g_obj1; }
function f_verb() { return g_verb; }
function f_obj2() { return g_obj2; }

// Identifiers and verbs compared without regard to letter case; the release
// page compares the decoded texts, since its shift does not keep case pairs.
function mrvSameText(a, b) {
    return _de(f_nulls(a)).toLowerCase() == _de(f_nulls(b)).toLowerCase();
}

// Parts of the action, compared like f_action does.
function f_isobj1(obj) {
    return (g_obj1 != '') && mrvSameText(obj, g_obj1);
}

function f_isobj2(obj) {
    return (g_obj2 != '') && mrvSameText(obj, g_obj2);
}

function f_isverb(verb) {
    return (g_verb != '') && mrvSameText(verb, g_verb);
}

function f_action(obj1, verb, obj2) {
    if (g_obj1 == '') { return false; }
    if (!mrvSameText(verb, g_verb)) { return false; }
    if ((obj2 === undefined) || (obj2 === null)) {
        return (g_obj2 == '') && mrvSameText(obj1, g_obj1);
    }
    if (g_obj2 == '') { return false; }
    return (mrvSameText(obj1, g_obj1) && mrvSameText(obj2, g_obj2)) || (mrvSameText(obj2, g_obj1) && mrvSameText(obj1, g_obj2));
}

// The texts of the engine's own pages.
function f_gethelp() {
    var html = '<p>'+
        '___HELP___'+
        '</p>';
    return html;
}

// The introduction, one entry per screen.
function f_getintro() {
    var html = '<p>'+
        '___INTRO___'+
        '</p>';
    return html.split('§');
}

// A picture tag whose data is empty is left out.
function mrvPicture(tag) {
    return (tag.length < 14) ? '' : '<p class=\'picture\'>' + tag + '</p>'; ///°°°
}

function f_getcover() {
    var img = '<img src=\'___COVERIMAGE___\'>'; ///°°°
    return '<h1>' + f_nulls(g_mes[1]) + '</h1>' + mrvPicture(img) + '<p class=\'center\'>' + f_nulls(g_mes[46]) + '</p>'; ///°°°
}

function f_getfail() {
    var img = '<img src=\'___FAILIMAGE___\'>'; ///°°°
    var html = '<p><pcenter>'+
        '___FAIL___'+
        '</pcenter></p><hr>';
    return '<h1>' + f_nulls(g_mes[48]) + '</h1>' + mrvPicture(img) + html; ///°°°
}

function f_getsuccess() {
    var img = '<img src=\'___SUCCESSIMAGE___\'>'; ///°°°
    var html = '<p><pcenter>'+
        '___SUCCESS___'+
        '</pcenter></p><hr>';
    return '<h1>' + f_nulls(g_mes[47]) + '</h1>' + mrvPicture(img) + html; ///°°°
}

function f_getmap() {
    return '<p class=\'center\'><canvas id=\'mapcanvas\' width=\'560\' height=\'600\'></canvas></p>'; ///°°°
}
