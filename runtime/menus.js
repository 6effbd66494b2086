// Menus of the clickable words. A word is a list of class mrvmenu whose id is
// the object identifier; touching it opens its menu of verbs, a verb with
// sub-items opens a sub-menu, and a final item runs its action string:
// identifier + '|' + item part (+ '|' + sub-item part).

var Mrvmenu = { published: 0, dialog: false, installed: false };

// A menu item: the label it shows and the part it adds to the action.
function mrvItem(text) {
    var t = f_nulls(text);
    var i = f_findObjectIndexById(t);
    if (i >= g_defaultobjnum) { return { label: o_desc_short[i], part: t, subs: [] }; }
    var part = t;
    for (var j = g_defaultobjnum; j < o_id.length; j++) {
        if ((o_desc_short[j] == t) && (t != '')) { part = o_id[j]; }
    }
    return { label: t, part: part, subs: [] };
}

// Adds a verb to the menu of NODE with the collected sub-items; an empty
// verb makes the word itself act.
function f_additem(node, text, list) {
    var t = f_nulls(text);
    if (t == '') {
        node.direct = true;
        return;
    }
    var item = mrvItem(t);
    var subs = list || [];
    for (var k = 0; k < subs.length; k++) { f_addsub(item, subs[k]); }
    node.items.push(item);
}

function f_addsub(item, text) {
    item.subs.push(mrvItem(text));
}

// A sub-item for the next verb of a menu block.
function f_addvm(a) {
    window.g_list.push(a);
}

// Sub-items: every carried or worn object.
function f_inventory() {
    for (var i = g_defaultobjnum; i < o_id.length; i++) {
        if ((o_room[i] == -1) || (o_room[i] == -2)) { window.g_list.push(o_id[i]); }
    }
}

// The verbs every object gets from its flags.
function f_createdefaultobjsubmenu(node, i) {
    var carried = (o_room[i] == -1) || (o_room[i] == -2);
    var others = [];
    for (var j = g_defaultobjnum; j < o_id.length; j++) {
        if ((j != i) && ((o_room[j] == -1) || (o_room[j] == -2))) { others.push(o_id[j]); }
    }
    others.push(g_yourself_);
    if (!carried) {
        if (o_direction[i] > 0) { f_additem(node, (o_dd[i] != '') ? o_dd[i] : g_go_, []); }
        if (o_usable[i] == 1) { f_additem(node, g_use_, others); }
        if (o_examinable[i] == 1) { f_additem(node, g_examine_, []); }
        if (o_takeable[i] >= 1) { f_additem(node, g_take_, []); }
        if (o_takeable[i] == 2) { f_additem(node, g_wear_, []); }
        if (o_talkable[i] == 1) { f_additem(node, g_talk_, []); }
        return;
    }
    if (o_usable[i] == 1) { f_additem(node, g_use_, others); }
    if (o_examinable[i] == 1) { f_additem(node, g_examine_, []); }
    f_additem(node, g_leave_, []);
    if ((o_takeable[i] == 2) && (o_room[i] == -1)) { f_additem(node, g_wear_, []); }
    if (o_room[i] == -2) { f_additem(node, g_takeoff_, []); }
    if (o_talkable[i] == 1) { f_additem(node, g_talk_, []); }
}

// The menu of the word ID: its items, or direct when the word acts itself.
function f_createmrvmenu(id) {
    var node = { id: id, items: [], direct: false };
    if ((id == '_mrvhelp_') || (id == '_mrvexithelp_') || (id == '_mrvstartgame_') || (id == '_mrvhome_') || (id == '_mrvstartgame2_')) {
        node.direct = true;
        return node;
    }
    if (id == '_mrvquit_') {
        node.items.push({ label: g_confirm_, part: g_confirm_, subs: [] });
        return node;
    }
    if ((id == '_mrvload_') || (id == '_mrvsave_')) {
        for (var s = 1; s <= 3; s++) {
            var text = s + '# ' + f_nulls(mrvSlotUsed(s) ? g_mes[4] : g_mes[5]);
            node.items.push({ label: text, part: text, subs: [] });
        }
        if ((id == '_mrvsave_') || (f_agetsavedurl() != '')) { node.items.push({ label: '4# URL', part: '4# URL', subs: [] }); }
        return node;
    }
    var i = f_findObjectIndexById(id);
    if ((i >= g_defaultobjnum) && (f_nulli(o_enabled[i]) != 0)) { f_createdefaultobjsubmenu(node, i); }
    window.g_list.length = 0;
    f_getmenus(id, node, i);
    window.g_list.length = 0;
    if (node.items.length == 0) { node.direct = true; }
    return node;
}

function f_getmenus(id, node, index) {
    ___MENUS___
}

// The word or item element around a touched element, by its class.
Mrvmenu.around = function (el, name) {
    var e = el;
    while (e && (e !== document.body)) {
        if (e.className && (('' + e.className).split(' ').indexOf(name) >= 0)) { return e; }
        e = e.parentNode;
    }
    return null;
};

Mrvmenu.closeall = function () {
    var open = document.querySelectorAll('.mrvpop'); ///°°°
    for (var k = 0; k < open.length; k++) { open[k].parentNode.removeChild(open[k]); }
};

// A list of items under PARENT; KIND is the class of the list.
Mrvmenu.build = function (parent, id, items, prefix, kind) {
    var ul = document.createElement('ul'); ///°°°
    ul.className = kind; ///°°°
    for (var k = 0; k < items.length; k++) {
        var li = document.createElement('li'); ///°°°
        li.className = 'mrvitem'; ///°°°
        li.innerHTML = _de(items[k].label);
        li.mrvaction = prefix + '|' + items[k].part;
        li.mrvitems = items[k].subs;
        li.mrvid = id;
        ul.appendChild(li);
    }
    parent.appendChild(ul);
    Mrvmenu.keepinside(ul);
    return ul;
};

// A menu that would end closer than 50 pixels to the right edge moves left.
Mrvmenu.keepinside = function (ul) {
    var right = ul.getBoundingClientRect().right;
    var limit = document.documentElement.clientWidth - 50;
    if (right > limit) { ul.style.marginLeft = (limit - right) + 'px'; } ///°°°
};

// Highlights the touched element and runs ACTION 50 milliseconds later.
Mrvmenu.act = function (el, action) {
    el.className = el.className + ' mrvhi'; ///°°°
    window.s_action = action;
    window.setTimeout(function () {
        f_processaction(window.s_action);
    }, 50);
};

Mrvmenu.touch = function (e) {
    if (Mrvmenu.dialog || (new Date().getTime() - Mrvmenu.published < 400)) { return; }
    var target = e.target;
    var item = Mrvmenu.around(target, 'mrvitem'); ///°°°
    if (item) {
        if (item.mrvitems.length == 0) {
            Mrvmenu.act(item, item.mrvaction);
            return;
        }
        var siblings = item.parentNode.querySelectorAll('.mrvsub'); ///°°°
        for (var k = 0; k < siblings.length; k++) { siblings[k].parentNode.removeChild(siblings[k]); }
        var sub = Mrvmenu.build(item, item.mrvid, item.mrvitems, item.mrvaction, 'mrvpop mrvsub'); ///°°°
        sub.style.display = 'block'; ///°°°
        return;
    }
    var word = Mrvmenu.around(target, 'mrvmenu'); ///°°°
    if (!word) {
        Mrvmenu.closeall();
        return;
    }
    var wasopen = word.querySelector('.mrvpop') !== null; ///°°°
    Mrvmenu.closeall();
    if (wasopen) { return; }
    var node = f_createmrvmenu(word.id);
    if (node.direct) {
        Mrvmenu.act(word.querySelector('span') || word, word.id); ///°°°
        return;
    }
    Mrvmenu.build(word.querySelector('li'), word.id, node.items, word.id, 'mrvpop'); ///°°°
};

// Called after every publication: draws the map of the map page and makes
// sure that touches reach the menus.
Mrvmenu.initialise = function () {
    if ((g_room >= 500) && (g_room < 65000)) { f_showimage(); }
    if (!Mrvmenu.installed) {
        document.addEventListener('click', Mrvmenu.touch); ///°°°
        Mrvmenu.installed = true;
    }
};
