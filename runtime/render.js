// Drawing pages: the page text, link markers, the room page and the debug
// block. Markers in a text: '@s' + identifier (short text), '@l' +
// identifier (long text), '@c' + identifier + '@' + text + '@'.

function f_clsHTML() {
    window.g_dt = '';
}

function f_addHTML(text) {
    window.g_dt = window.g_dt + text;
}

// Publishes the page text, decoded, and scrolls to the top.
function f_setHTML() {
    document.getElementById('content').innerHTML = _de(window.g_dt); ///°°°
    window.scrollTo(0, 0);
    Mrvmenu.published = new Date().getTime();
}

// A paragraph with its markers replaced, and a line break when asked. It is
// a block of class p rather than a p element, because an HTML parser ends a
// p element where a list begins, and every clickable word is a list.
function f_addp(text, linebreak) {
    f_addHTML('<div class=\'p\'>' + f_replace(f_nulls(text)) + '</div>' + (linebreak ? '<br>' : '')); ///°°°
}

function f_isactin(text, marker) {
    return text.indexOf(marker) >= 0;
}

// The clickable word of object I showing TEXT.
function f_getobjhtml(i, text) {
    if (f_nulli(o_enabled[i]) == 0) { return '<span>' + text + '</span>'; }
    var st = o_st[i];
    var k = 0;
    if (st == '_') { k = 1; }
    if (st == 'B') { k = 2; }
    if (st == 'I') { k = 3; }
    if (st == 'I*') { k = 4; }
    if (st == 'BI') { k = 5; }
    if (st == 'B*') { k = 6; }
    var attributes = ['', ' class=\'su\'', ' class=\'sb\'', ' class=\'si\'', ' class=\'siu\'', ' class=\'sbi\'', ' class=\'sbu\'']; ///°°°
    var open = ((k == 0) && (st != '')) ? '<span ' + st + '>' : '<span' + attributes[k] + '>'; ///°°°
    return '<ul class=\'mrvmenu\' id=\'' + o_id[i] + '\'><li>' + open + text + '</span></li></ul>'; ///°°°
}

// Replaces the markers object by object from index 0 upward; for each
// object the first '@s' marker, else the first '@l', else the first '@c',
// again and again. Markers naming no object become '!ERROR!'.
function f_replace(text) {
    var t = text;
    var ms = '@s';
    var ml = '@l';
    var mc = '@c';
    if (!f_isactin(t, '@')) { return t; }
    for (var i = 0; i < o_id.length; i++) {
        var id = o_id[i];
        if ((id == '') || !f_isactin(t, id)) { continue; }
        var guard = 0;
        while (guard < 1000) {
            guard = guard + 1;
            var p = t.indexOf(ms + id);
            if (p >= 0) {
                t = t.substring(0, p) + f_getobjhtml(i, o_desc_short[i]) + t.substring(p + ms.length + id.length);
                continue;
            }
            p = t.indexOf(ml + id);
            if (p >= 0) {
                t = t.substring(0, p) + f_getobjhtml(i, o_desc_long[i]) + t.substring(p + ml.length + id.length);
                continue;
            }
            p = t.indexOf(mc + id + '@');
            if (p >= 0) {
                var from = p + mc.length + id.length + 1;
                var q = t.indexOf('@', from);
                if (q < 0) { q = t.length; }
                t = t.substring(0, p) + f_getobjhtml(i, t.substring(from, q)) + t.substring(q + 1);
                continue;
            }
            break;
        }
    }
    return mrvUnknownMarkers(t, [ms, ml, mc]);
}

// An identifier starts at P: '_' and then letters, digits and '_', ending
// with '_'. Returns the index after it, or -1.
function mrvIdentifierEnd(t, p) {
    if (t.charCodeAt(p) != 95) { return -1; }
    var end = -1;
    for (var j = p + 1; j < t.length; j++) {
        var c = t.charCodeAt(j);
        var word = ((c >= 48) && (c <= 57)) || ((c >= 65) && (c <= 90)) || ((c >= 97) && (c <= 122)) || (c == 95);
        if (!word) { break; }
        if (c == 95) { end = j + 1; }
    }
    return end;
}

function mrvUnknownMarkers(text, markers) {
    var t = text;
    for (var m = 0; m < markers.length; m++) {
        var from = 0;
        var p = t.indexOf(markers[m], from);
        while (p >= 0) {
            var end = mrvIdentifierEnd(t, p + 2);
            if (end < 0) {
                from = p + 2;
            } else {
                if (m == 2) {
                    if (t.charAt(end) != '@') {
                        from = p + 2;
                        p = t.indexOf(markers[m], from);
                        continue;
                    }
                    var q = t.indexOf('@', end + 1);
                    end = (q < 0) ? t.length : q + 1;
                }
                t = t.substring(0, p) + '!ERROR!' + t.substring(end);
                from = p + 7;
            }
            p = t.indexOf(markers[m], from);
        }
    }
    return t;
}

// Whether the player is in the custom room named by message 41.
function mrvInCustomRoom() {
    var id = f_nulls(g_mes[41]);
    if ((id == '') || (id == '...')) { return false; }
    var r = f_findRoomIndexById(id);
    return (r > 0) && (g_room == r);
}

function mrvHasCustomRoom() {
    var id = f_nulls(g_mes[41]);
    return (id != '') && (id != '...') && (f_findRoomIndexById(id) > 0);
}

function mrvCanDrawMaps() {
    var c = document.createElement('canvas'); ///°°°
    return !!(c.getContext && c.getContext('2d')); ///°°°
}

// The inventory line: carried objects, then worn ones.
function mrvInventoryLine() {
    var carried = [];
    var worn = [];
    for (var i = g_defaultobjnum; i < o_id.length; i++) {
        if (o_room[i] == -1) { carried.push('@l' + o_id[i]); }
        if (o_room[i] == -2) { worn.push('@l' + o_id[i]); }
    }
    if ((carried.length == 0) && (worn.length == 0)) { return f_gmes(40); }
    var line = '';
    if (carried.length > 0) { line = f_gmes(38) + ' ' + carried.join(', '); }
    if (worn.length > 0) {
        line = (carried.length > 0) ? line + ' ' + f_gmes(17) + ' ' : f_gmes(27) + ' ';
        line = line + worn.join(', ');
    }
    return line + '.';
}

// The room the player is in: description, objects, appended text,
// inventory, bottom bar, and the debug block or blank lines.
function mrvDrawRoom() {
    f_clsHTML();
    f_addp(f_getroomdesc(g_room), false);
    if (!g_dialogroom) {
        var here = [];
        for (var i = g_defaultobjnum; i < o_id.length; i++) {
            if (o_room[i] == g_room) { here.push('@l' + o_id[i]); }
        }
        if (here.length > 0) { f_addp(f_gmes(39) + ' ' + here.join(', ') + '.', false); }
        if (g_addtext != '') { f_addHTML('<div class=\'p\' id=\'smallcaps\'><b>' + f_replace(g_addtext) + '</b></div>'); } ///°°°
    }
    var custom = mrvInCustomRoom();
    if (!custom) { f_addHTML('<hr>'); }
    if (!g_dialogroom) {
        f_addp(mrvInventoryLine(), false);
        f_addHTML('<hr>');
    }
    if (!custom) {
        var bar = '&nbsp; @s_mrvhelp_ &nbsp; @s_mrvquit_ &nbsp; @s_mrvload_ &nbsp; @s_mrvsave_';
        if (g_enablemap && mrvCanDrawMaps()) { bar = bar + ' &nbsp; @s_mrvmap_'; }
        if (mrvHasCustomRoom()) { bar = bar + ' &nbsp; @s_mrvcust_'; }
        var done = '';
        if (f_nulls(g_mes[36]) != '') {
            var v = Math.max(0, Math.min(99, f_nulli(g_var[0])));
            done = '<span class=\'completion\'>&nbsp; ' + f_gmes(36) + ' ' + v + f_gmes(37) + '</span>'; ///°°°
        }
        f_addHTML('<div class=\'p bar\'>' + f_replace(bar) + done + '</div>'); ///°°°
    }
    if (g_isdebug) {
        f_addHTML(mrvDebugBlock());
    } else {
        f_addHTML(new Array(51).join('<br>'));
    }
    f_setHTML();
    Mrvmenu.initialise();
}

function mrvRoomName(r) {
    return ((r >= 0) && (r < g_roomids.length)) ? f_nulls(g_roomids[r]) : '';
}

// What the debug page shows under the room: player, weight, variables,
// objects, maps.
function mrvDebugBlock() {
    var lines = ['DEBUG INFORMATION:'];
    lines.push('Player is in room #' + g_room + ' [ ' + mrvRoomName(g_room) + ' ]');
    lines.push('Current weight: ' + f_getcurrentweight());
    if (g_dialogroom) { lines.push('(floating and carried objects not shown)'); }
    for (var v = 0; v < 100 /*=variable_count*/; v++) {
        if (f_nulls(g_variableids[v]) != '') { lines.push(v + ':' + g_variableids[v] + '=' + g_var[v]); }
    }
    var floating = [];
    var fixed = [];
    for (var i = g_defaultobjnum; i < o_id.length; i++) {
        var marks = '';
        if ((o_ef[i] & 1) != 0) { marks = marks + ' [found]'; }
        if ((o_ef[i] & 2) != 0) { marks = marks + ' [talked]'; }
        var r = o_room[i];
        if (o_enabled[i] == 1) {
            var where = ' is out';
            if (r > 0) { where = ' is in room #' + r + ' [ ' + mrvRoomName(r) + ' ]'; }
            if (r == -1) { where = ' is taken'; }
            if (r == -2) { where = ' is worn'; }
            floating.push(o_id[i] + marks + where);
        }
        if (o_enabled[i] == 2) {
            if (r > 0) { fixed.push(o_id[i] + marks + ' is fixed but in room #' + r + ' [ ' + mrvRoomName(r) + ' ] -> ?????'); }
            if ((r == 0) && (marks != '')) { fixed.push(o_id[i] + marks + ' is fixed'); }
            if (r == -1) { fixed.push(o_id[i] + marks + ' is fixed but taken -> ERROR!'); }
            if (r == -2) { fixed.push(o_id[i] + marks + ' is fixed but worn -> ERROR!'); }
        }
    }
    floating.sort();
    fixed.sort();
    lines = lines.concat(floating, fixed);
    if (!g_enablemap) {
        lines.push('Map is disabled');
    } else {
        lines.push('Map is enabled');
        lines.push('Selected map is #' + g_selectedmap);
        for (var m = 1; m <= 79; m++) {
            if (mrvRoomName(m) == '') { continue; }
            lines.push('Room #' + m + ' [ ' + g_roomids[m] + ' ]' + (mrvDiscovered(m) ? ' is discovered' : ' is NOT discovered'));
        }
    }
    return '<div class=\'debug\'>' + lines.join('<br>') + '</div>'; ///°°°
}
