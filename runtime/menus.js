// Menus of the clickable words. A word is a list of class mrvmenu whose id is
// the object identifier; touching it opens its menu of verbs, a verb with
// sub-items opens a sub-menu, and a final item runs its action string:
// identifier + '|' + item part (+ '|' + sub-item part). For assistive
// technology a word is a menu button and its lists are menus of menu items.

var Mrvmenu = { published: 0, dialog: false, installed: false, acting: false, opener: null };

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

// The button of the word around EL (the word's text), or null.
function mrvWordButton(el) {
    var word = el ? Mrvmenu.around(el, 'mrvmenu') : null; ///°°°
    return word ? word.querySelector('span') : null; ///°°°
}

// Closes every menu; their words and items announce that they are closed.
Mrvmenu.closeall = function () {
    var open = document.querySelectorAll('.mrvpop'); ///°°°
    for (var k = 0; k < open.length; k++) { open[k].parentNode.removeChild(open[k]); }
    var expanded = document.querySelectorAll('#content [aria-expanded=true]'); ///°°°
    for (var e = 0; e < expanded.length; e++) { mrvExpanded(expanded[e], null); }
};

// Marks the menu button or item EL as controlling MENU, or as closed.
function mrvExpanded(el, menu) {
    el.setAttribute('aria-expanded', menu ? 'true' : 'false'); ///°°°
    if (menu) {
        el.setAttribute('aria-controls', menu.id); ///°°°
    } else {
        el.removeAttribute('aria-controls'); ///°°°
    }
}

// A menu of items under PARENT; KIND is the class of the list, MENUID its id.
Mrvmenu.build = function (parent, id, items, prefix, kind, menuid) {
    var ul = document.createElement('ul'); ///°°°
    ul.className = kind; ///°°°
    ul.id = menuid;
    ul.setAttribute('role', 'menu'); ///°°°
    for (var k = 0; k < items.length; k++) {
        var li = document.createElement('li'); ///°°°
        li.className = 'mrvitem'; ///°°°
        li.innerHTML = _de(items[k].label);
        li.mrvaction = prefix + '|' + items[k].part;
        li.mrvitems = items[k].subs;
        li.mrvid = id;
        li.setAttribute('role', 'menuitem'); ///°°°
        li.tabIndex = -1;
        if (li.mrvitems.length > 0) {
            li.setAttribute('aria-haspopup', 'menu'); ///°°°
            li.setAttribute('aria-expanded', 'false'); ///°°°
        }
        ul.appendChild(li);
    }
    parent.appendChild(ul);
    Mrvmenu.keepinside(ul);
    return ul;
};

// A menu that would end closer than 50 pixels to the right edge moves left,
// but never past the left edge; one that ends below the window scrolls the
// page so that its items show.
Mrvmenu.keepinside = function (ul) {
    var box = ul.getBoundingClientRect();
    var limit = document.documentElement.clientWidth - 50;
    var shift = 0;
    if (box.right > limit) { shift = limit - box.right; }
    if (box.left + shift < 0) { shift = -box.left; }
    if (shift != 0) { ul.style.marginLeft = shift + 'px'; } ///°°°
    var below = box.bottom - window.innerHeight;
    if (below > 0) { window.scrollBy(0, Math.min(below, box.top)); }
};

// Highlights the touched element and runs ACTION 50 milliseconds later; a
// second touch meanwhile is the same choice and runs nothing more.
Mrvmenu.act = function (el, action) {
    if (Mrvmenu.acting) { return; }
    Mrvmenu.acting = true;
    el.className = el.className + ' mrvhi'; ///°°°
    window.s_action = action;
    window.setTimeout(function () {
        Mrvmenu.acting = false;
        f_processaction(window.s_action);
    }, 50);
};

// Touches are ignored while the dialog is shown, while a choice is running
// and shortly after a page was published.
Mrvmenu.locked = function () {
    return Mrvmenu.dialog || Mrvmenu.acting || (new Date().getTime() - Mrvmenu.published < 400);
};

// Opens the sub-menu of ITEM in place of any other of its menu.
Mrvmenu.opensub = function (item) {
    var siblings = item.parentNode.querySelectorAll('.mrvsub'); ///°°°
    for (var k = 0; k < siblings.length; k++) {
        mrvExpanded(siblings[k].parentNode, null);
        siblings[k].parentNode.removeChild(siblings[k]);
    }
    var place = Array.prototype.indexOf.call(item.parentNode.children, item);
    var sub = Mrvmenu.build(item, item.mrvid, item.mrvitems, item.mrvaction, 'mrvpop mrvsub', item.parentNode.id + '-' + place); ///°°°
    sub.style.display = 'block'; ///°°°
    mrvExpanded(item, sub);
    return sub;
};

// Touches WORD: closes its open menu, or opens it, or runs the word's own
// action when it has no menu. Returns the menu it opened.
Mrvmenu.press = function (word) {
    var wasopen = word.querySelector('.mrvpop') !== null; ///°°°
    Mrvmenu.closeall();
    if (wasopen) { return null; }
    var button = word.querySelector('span') || word; ///°°°
    var node = f_createmrvmenu(word.id);
    if (node.direct) {
        Mrvmenu.act(button, word.id);
        return null;
    }
    var menu = Mrvmenu.build(word.querySelector('li'), word.id, node.items, word.id, 'mrvpop', word.id + '-menu'); ///°°°
    mrvExpanded(button, menu);
    return menu;
};

Mrvmenu.touch = function (e) {
    if (Mrvmenu.locked()) { return; }
    var target = e.target;
    var item = Mrvmenu.around(target, 'mrvitem'); ///°°°
    if (item) {
        if (item.mrvitems.length == 0) {
            Mrvmenu.act(item, item.mrvaction);
            return;
        }
        Mrvmenu.opensub(item);
        return;
    }
    var word = Mrvmenu.around(target, 'mrvmenu'); ///°°°
    if (!word) {
        Mrvmenu.closeall();
        return;
    }
    Mrvmenu.press(word);
};

// Called after every publication: draws the map of the map page, makes every
// word a button that says whether it opens a menu, names the pictures,
// announces the new text, gives the page the focus and makes sure that
// touches and keys reach the menus.
Mrvmenu.initialise = function () {
    var content = document.getElementById('content'); ///°°°
    if ((g_room >= 500) && (g_room < 65000)) { f_showimage(); }
    mrvDescribeWords(content);
    mrvNamePictures(content);
    mrvAnnounce(content);
    if (!Mrvmenu.dialog) { content.focus({ preventScroll: true }); }
    if (!Mrvmenu.installed) {
        document.addEventListener('click', Mrvmenu.touch); ///°°°
        document.addEventListener('keydown', mrvKeyDown); ///°°°
        Mrvmenu.installed = true;
    }
};

// Each word is a button in the order of Tab; one whose touch opens a menu
// says so, one that acts at once is a plain button.
function mrvDescribeWords(content) {
    var words = content.querySelectorAll('ul.mrvmenu'); ///°°°
    for (var k = 0; k < words.length; k++) {
        var word = words[k];
        var button = word.querySelector('span'); ///°°°
        if (!button) { continue; }
        word.setAttribute('role', 'none'); ///°°°
        button.parentNode.setAttribute('role', 'none'); ///°°°
        button.setAttribute('role', 'button'); ///°°°
        button.tabIndex = 0;
        if (!f_createmrvmenu(word.id).direct) {
            button.setAttribute('aria-haspopup', 'menu'); ///°°°
            button.setAttribute('aria-expanded', 'false'); ///°°°
        }
    }
}

// A picture of the cover, success or failure page is named by the page's
// title.
function mrvNamePictures(content) {
    var title = content.querySelector('h1'); ///°°°
    var pictures = content.querySelectorAll('img'); ///°°°
    for (var k = 0; k < pictures.length; k++) {
        if (!pictures[k].hasAttribute('alt')) { pictures[k].alt = title ? title.textContent : ''; } ///°°°
    }
}

// The polite live region reads the new page's text once: everything before
// its first rule, the map by its name.
function mrvAnnounce(content) {
    var parts = [];
    for (var k = 0; k < content.children.length; k++) {
        var block = content.children[k];
        if (block.tagName == 'HR') { break; } ///°°°
        var named = block.querySelector('canvas[aria-label]'); ///°°°
        parts.push(named ? named.getAttribute('aria-label') : block.textContent); ///°°°
    }
    document.getElementById('mrvsaid').textContent = parts.join(' ').replace(/\s+/g, ' ').trim(); ///°°°
}
