// The turn: f_processaction is the page's one entry point, called with the
// action of the touched item, or with the empty text when the page is loaded
// or drawn again. Every call rebuilds the world from the compiled
// declarations and lays the saved game over it.

function f_getroomdesc(r) {
    var rdesc = '';
    ___ROOMS___
    if (f_nulls(rdesc).replace(/^\s+|\s+$/g, '') == '*') { return g_forceroomdesc; } ///°°°
    return rdesc;
}

// Returns true when an action of the author handled the player's choice.
function f_getactions() {
    ___ACTIONS___
    return false;
}

function f_getconditions() {
    ___CONDITIONS___
}

function f_getcounters() {
    ___COUNTERS___
}

// The exit move: the chosen verb of an exit object takes the player away.
function f_movement_actions() {
    var i = f_findObjectIndexById(g_obj1);
    if ((i < g_defaultobjnum) || (o_direction[i] <= 0)) { return false; }
    var verb = (o_dd[i] != '') ? o_dd[i] : g_go_;
    if (g_verb != verb) { return false; }
    window.g_room = o_direction[i];
    return true;
}

// The built-in verbs: examine, talk, take, wear, leave, take off.
function f_default_actions() {
    var i = f_findObjectIndexById(g_obj1);
    if ((i < g_defaultobjnum) || (g_obj2 != '')) { return false; }
    if (g_verb == g_examine_) {
        var text = (o_desc_examine[i] != '') ? f_rndtxt(o_desc_examine[i]) : f_gmes(30);
        if ((o_ei[i] != '') && ((o_ef[i] & 1) == 0)) {
            text = text + ' ' + ((o_eo[i] != '') ? f_rndtxt(o_eo[i]) : f_gmes(31));
            var found = o_ei[i].split('|');
            for (var k = 0; k < found.length; k++) {
                var f = f_findObjectIndexById(found[k]);
                if (f >= g_defaultobjnum) { o_room[f] = g_room; }
            }
            o_ei[i] = '';
            o_ef[i] = o_ef[i] | 1;
        }
        f_show(text);
        return true;
    }
    if (g_verb == g_talk_) {
        var answer = '';
        if (o_desc_talk[i] != '') {
            if ((o_ef[i] & 2) == 0) {
                o_ef[i] = o_ef[i] | 2;
                answer = f_rndtxt(o_desc_talk[i]);
            } else {
                answer = f_rndtxt(o_desc_next_talk[i]);
            }
        }
        f_show((answer != '') ? answer : f_gmes(45));
        return true;
    }
    var weight = f_getcurrentweight();
    if (g_verb == g_take_) {
        if (weight + o_weight[i] > g_max_weight) {
            f_show(f_gmes(32));
        } else {
            o_room[i] = -1;
        }
        return true;
    }
    if (g_verb == g_wear_) {
        var held = (o_room[i] == -1) || (o_room[i] == -2);
        if (!held && (weight + o_weight_worn[i] > g_max_weight)) {
            f_show(f_gmes(32));
        } else {
            o_room[i] = -2;
        }
        return true;
    }
    if (g_verb == g_leave_) {
        o_room[i] = g_room;
        return true;
    }
    if (g_verb == g_takeoff_) {
        if (weight - o_weight_worn[i] + o_weight[i] > g_max_weight) {
            f_show(f_gmes(32));
        } else {
            o_room[i] = -1;
        }
        return true;
    }
    return false;
}

// Runs the conditions again and again while they move the player, so that
// the room the player ends in gets its own conditions; a bounded number of
// runs keeps two conditions that send the player back and forth from
// hanging the page.
function mrvRunConditions(message) {
    for (var run = 0; run < 100; run++) {
        var before = g_room;
        window.g_mex2 = message;
        window.g_dialogroom = false;
        f_getconditions();
        if (g_room == before) { return; }
    }
}

// Step 1 of every turn: the compiled starting point.
function mrvResetTurn() {
    window.g_adv_id = _de(f_nulls(g_mes[2])).split(',').join('');
    window.g_start_room = ___STARTROOM___;
    window.g_max_weight = 100;
    window.g_homesite = _de(f_nulls(g_mes[3]));
    window.g_selectedmap = 1;
    window.g_room = -2;
    window.g_mex = '';
    window.g_mex2 = '';
    window.g_addtext = '';
    window.g_obj1 = '';
    window.g_verb = '';
    window.g_obj2 = '';
    window.g_forceurl = '';
    mrvClearObjects();
    window.g_var.length = 0;
    window.g_list.length = 0;
    window.g_dialogroom = false;
    window.g_forcedmaptag = 0;
    mrvReadVerbs();
    f_adddefaultobjects();
    for (var m = 0; m < 10; m++) { window.g_mapdiscovered[m] = 0; }
    f_showdialog('', false);
}

function mrvDrawHelp() {
    f_clsHTML();
    f_addHTML(f_gethelp());
    f_addp('@l_mrvexithelp_', false);
    f_setHTML();
    Mrvmenu.initialise();
}

function mrvDrawCover() {
    f_clsHTML();
    f_addHTML(f_getcover());
    f_addp('@l_mrvstartgame_', false);
    f_addp('@c_mrvload_@' + f_nulls(g_mes[15]) + '@', false);
    f_addp('@l_mrvhome_', false);
    f_setHTML();
    Mrvmenu.initialise();
}

// The next introduction screen, or the start room after the last one.
function mrvDrawIntro() {
    if (g_room == -2) { f_deleteCookie(5); }
    var screens = f_getintro();
    var k = (g_room == -2) ? 1 : g_room - 65000;
    if ((k < 1) || (k > screens.length)) { k = screens.length; }
    window.g_room = (k < screens.length) ? 65000 + k + 1 : g_start_room;
    f_clsHTML();
    f_addHTML(screens[k - 1]);
    f_addHTML('<hr>');
    f_addp('@c_mrvstartgame_@' + f_nulls(g_mes[26]) + '@', false);
    f_setHTML();
    Mrvmenu.initialise();
    f_saveCookie(0);
}

function mrvDrawEnd(won) {
    f_deleteCookie(0);
    f_clsHTML();
    f_addHTML(won ? f_getsuccess() : f_getfail());
    f_addp('@l_mrvstartgame2_', false);
    if (!won && (f_nulls(g_mes[49]) != '')) { f_addp('@l_mrvundo_', false); }
    f_addp('@l_mrvhome_', false);
    f_setHTML();
    Mrvmenu.initialise();
}

function mrvDrawMapPage() {
    f_clsHTML();
    f_addHTML(f_getmap());
    f_addp('@c_mrvstartgame_@' + f_nulls(g_mes[26]) + '@', false);
    f_setHTML();
    Mrvmenu.initialise();
    window.g_room = g_room - 500;
    f_saveCookie(0);
}

// The load and save menus: the slot is the digit after the bar.
function mrvSlots(a) {
    var slot = parseInt(a.charAt(10), 10);
    if (isNaN(slot) || (slot < 1) || (slot > 4)) { return false; }
    if (a.substring(0, 9) == '_mrvsave_') {
        f_loadCookie(0);
        var address = f_saveCookie(slot);
        if (slot == 4) {
            window.g_forceurl = address;
            f_showdialog(f_gmes(34), true);
        } else {
            f_showdialog(f_gmes(29), true);
        }
        return true;
    }
    if (slot == 4) {
        if (f_loadCookie(4)) {
            f_saveCookie(0);
            f_showdialog(f_gmes(28), true);
        } else {
            f_processaction('');
        }
        return true;
    }
    if (!mrvSlotUsed(slot)) { return false; }
    if (f_loadCookie(slot)) {
        f_saveCookie(0);
        f_showdialog(f_gmes(28), true);
    } else {
        f_processaction('');
    }
    return true;
}

function f_processaction(action) {
    var a = f_nulls(action);
    mrvResetTurn();
    if (a == '_mrvhome_') {
        if (g_homesite != '') {
            window.open(g_homesite, '_self'); ///°°°
        } else {
            f_processaction('');
        }
        return;
    }
    if (a == '_mrvhelp_') {
        mrvDrawHelp();
        return;
    }
    if (a == '_mrvmap_') {
        if (!f_loadCookie(0) || (g_room < 1) || (g_room > 79 /*=largest_room*/)) { return; }
        window.g_room = g_room + 500;
        f_saveCookie(0);
        f_processaction('');
        return;
    }
    if (a == '_mrvundo_') {
        if (f_loadCookie(5)) {
            f_saveCookie(0);
        } else {
            f_deleteCookie(0);
        }
        f_processaction('');
        return;
    }
    if ((a.indexOf('_mrvquit_') >= 0) || (a == '_mrvstartgame2_')) {
        f_deleteCookie(0);
        f_processaction('');
        return;
    }
    f_getvariables();
    f_getobjects();
    if ((a == '_mrvexithelp_') || (a == '_mrvstartgame_')) {
        if ((a == '_mrvstartgame_') && !f_loadCookie(0)) { f_saveCookie(0); }
        f_processaction('');
        return;
    }
    if ((a.length >= 13) && ((a.substring(0, 9) == '_mrvload_') || (a.substring(0, 9) == '_mrvsave_'))) {
        if (mrvSlots(a)) { return; }
        a = '';
    }
    if (!f_loadCookie(0)) {
        mrvDrawCover();
        return;
    }
    if ((g_room == -2) || (g_room > 65000)) {
        mrvDrawIntro();
        return;
    }
    if (g_room == -1) {
        mrvDrawEnd(false);
        return;
    }
    if (g_room == 99) {
        mrvDrawEnd(true);
        return;
    }
    if (g_room >= 500) {
        mrvDrawMapPage();
        return;
    }
    if ((a == '_mrvcust_') || (a == '_mrvcustcont_')) {
        var custom = f_findRoomIndexById(f_nulls(g_mes[41]));
        if (a == '_mrvcust_') {
            if (custom > 0) {
                window.g_last_room = g_room;
                window.g_room = custom;
            }
        } else if (g_room == custom) {
            window.g_room = ((g_last_room >= 1) && (g_last_room <= 79 /*=largest_room*/)) ? g_last_room : g_start_room;
        }
        f_saveCookie(0);
        f_processaction('');
        return;
    }
    if (a != '') {
        f_saveCookie(5);
        var parts = a.split('|');
        window.g_obj1 = parts[0];
        window.g_verb = (parts.length > 1) ? parts[1] : '';
        window.g_obj2 = (parts.length > 2) ? parts[2] : '';
        var handled = f_getactions();
        if (!handled) { handled = f_movement_actions(); }
        if (!handled) { handled = f_default_actions(); }
        if (!handled) { window.g_mex = f_gmes(33); }
        var message = g_mex;
        window.g_mex = '';
        if ((g_room != -1) && (g_room != 99)) {
            f_getcounters();
            mrvRunConditions(message);
        }
        f_saveCookie(0);
        if (g_mex != '') { message = (message != '') ? message + '§' + g_mex : g_mex; }
        if (message != '') {
            f_showdialog(message, true);
            return;
        }
        if ((g_room == -1) || (g_room == 99)) {
            f_processaction('');
            return;
        }
    } else {
        mrvRunConditions('');
        f_saveCookie(0);
        if ((g_room == -1) || (g_room == 99) || (g_room >= 500)) {
            f_processaction('');
            return;
        }
    }
    mrvDrawRoom();
}

onpageload(function () {
    mrvProbeCookies();
    f_processaction('');
});
