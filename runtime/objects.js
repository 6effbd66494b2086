// The world: objects, variables, rooms, and the functions that authors call
// to ask about it or change it.

// A missing argument as 0 or as the empty text.
function f_nulli(v) {
    if ((v === undefined) || (v === null) || (v === '')) { return 0; }
    var n = parseInt(v, 10);
    if (isNaN(n)) { return 0; }
    return n;
}

function f_nulls(v) {
    if ((v === undefined) || (v === null)) { return ''; }
    return '' + v;
}

// Appends one object at the next free index.
function f_addobj(oa_id, oa_desc_short, oa_desc_long, oa_desc_examine, oa_eo, oa_dd, oa_enabled, oa_room, oa_st, oa_direction, oa_weight, oa_weight_worn, oa_examinable, oa_usable, oa_takeable, oa_ei, oa_tag, oa_ef, oa_talkable, oa_desc_talk, oa_desc_next_talk) {
    var i = o_id.length;
    o_id[i] = f_nulls(oa_id);
    o_desc_short[i] = f_nulls(oa_desc_short);
    o_desc_long[i] = f_nulls(oa_desc_long);
    o_desc_examine[i] = f_nulls(oa_desc_examine);
    o_eo[i] = f_nulls(oa_eo);
    o_dd[i] = f_nulls(oa_dd);
    o_enabled[i] = f_nulli(oa_enabled);
    o_room[i] = f_nulli(oa_room);
    o_st[i] = ((oa_st === undefined) || (oa_st === null)) ? 'B' : ('' + oa_st);
    o_direction[i] = f_nulli(oa_direction);
    o_weight[i] = f_nulli(oa_weight);
    o_weight_worn[i] = f_nulli(oa_weight_worn);
    o_examinable[i] = f_nulli(oa_examinable);
    o_usable[i] = f_nulli(oa_usable);
    o_takeable[i] = f_nulli(oa_takeable);
    o_ei[i] = f_nulls(oa_ei);
    o_tag[i] = f_nulli(oa_tag);
    o_ef[i] = f_nulli(oa_ef);
    o_talkable[i] = f_nulli(oa_talkable);
    o_desc_talk[i] = f_nulls(oa_desc_talk);
    o_desc_next_talk[i] = f_nulls(oa_desc_next_talk);
}

// Empties every object array, so that a turn starts from the compiled world.
function mrvClearObjects() {
    o_id.length = 0;
    o_desc_short.length = 0;
    o_desc_long.length = 0;
    o_desc_examine.length = 0;
    o_eo.length = 0;
    o_dd.length = 0;
    o_enabled.length = 0;
    o_room.length = 0;
    o_st.length = 0;
    o_direction.length = 0;
    o_weight.length = 0;
    o_weight_worn.length = 0;
    o_examinable.length = 0;
    o_usable.length = 0;
    o_takeable.length = 0;
    o_ei.length = 0;
    o_tag.length = 0;
    o_ef.length = 0;
    o_talkable.length = 0;
    o_desc_talk.length = 0;
    o_desc_next_talk.length = 0;
}

// The 12 built-in objects: the buttons and links of the engine's own pages,
// as identifier, short text and long text.
function f_adddefaultobjects() {
    var m = g_mes;
    var b = [['_mrvhelp_', m[6], m[6]], ['_mrvexithelp_', '', m[7]], ['_mrvstartgame_', '', m[8]], ['_mrvstartgame2_', '', m[8]], ['_mrvhome_', m[10], m[9]], ['_mrvquit_', m[11], m[12]], ['_mrvload_', m[13], m[15]], ['_mrvsave_', m[14], null], ['_mrvmap_', m[43], m[43]], ['_mrvundo_', '', m[49]], ['_mrvcust_', m[42], m[42]], ['_mrvcustcont_', m[26], m[26]]];
    for (var k = 0; k < b.length; k++) { f_addobj(b[k][0], b[k][1], (b[k][2] === null) ? '' : ' ' + b[k][2] + ' ', '', '', '', 1, 0, 'I*'); }
    window.g_defaultobjnum = 12;
}

// The compiled objects, then empty fillers up to 300 objects.
function f_getobjects() {
    ___OBJECTS___
    window.g_lastobject = o_id.length - 1;
    for (var i = o_id.length; i < 300 /*=object_rows*/; i++) { f_addobj('_voidmrvobject' + i + '_', '', '', '', '', '', 0, 0, '', 0, 0, 0, 0, 0, 0, '', 0, 0, 0, '', ''); }
}

// All 100 variables at 0, then the compiled initial values.
function f_getvariables() {
    for (var i = 0; i < 100 /*=variable_count*/; i++) { window.g_var[i] = 0; }
    ___INITIALIZATION___
}

// The first object with that identifier, or -1.
function f_findObjectIndexById(id) {
    for (var i = 0; i < o_id.length; i++) {
        if (o_id[i] == id) { return i; }
    }
    return -1;
}

// The first room from index 1 with that identifier, or 0.
function f_findRoomIndexById(id) {
    if ((id === undefined) || (id === null) || (id === '')) { return 0; }
    for (var i = 1; i < g_roomids.length; i++) {
        if (g_roomids[i] == id) { return i; }
    }
    return 0;
}

// A position for f_move: the three pseudo-rooms, a room index, or null.
function mrvRoomPosition(room) {
    if (room == '_rOUT_') { return 0; }
    if (room == '_rTAKEN_') { return -1; }
    if (room == '_rWORN_') { return -2; }
    var r = f_findRoomIndexById(room);
    return (r > 0) ? r : null;
}

function f_move(obj, room) {
    var i = f_findObjectIndexById(obj);
    var r = mrvRoomPosition(room);
    if ((i < 0) || (r === null)) { return; }
    o_room[i] = r;
}

function f_moveout(obj) {
    var i = f_findObjectIndexById(obj);
    if (i >= 0) { o_room[i] = 0; }
}

function f_givetoplayer(obj) {
    var i = f_findObjectIndexById(obj);
    if (i >= 0) { o_room[i] = -1; }
}

function f_putonplayer(obj) {
    var i = f_findObjectIndexById(obj);
    if (i >= 0) { o_room[i] = -2; }
}

function f_swap(obj1, obj2) {
    var a = f_findObjectIndexById(obj1);
    var b = f_findObjectIndexById(obj2);
    if ((a < 0) || (b < 0)) { return; }
    var r = o_room[a];
    o_room[a] = o_room[b];
    o_room[b] = r;
}

function f_moveplayer(room) {
    var r = f_findRoomIndexById(room);
    if (r > 0) { window.g_room = r; }
}

function f_descshort(obj) {
    var i = f_findObjectIndexById(obj);
    return (i < 0) ? false : o_desc_short[i];
}

function f_desclong(obj) {
    var i = f_findObjectIndexById(obj);
    return (i < 0) ? false : o_desc_long[i];
}

function f_tag(obj) {
    var i = f_findObjectIndexById(obj);
    return (i < 0) ? false : o_tag[i];
}

function f_istaken(obj) {
    var i = f_findObjectIndexById(obj);
    return (i >= 0) && ((o_room[i] == -1) || (o_room[i] == -2));
}

function f_isworn(obj) {
    var i = f_findObjectIndexById(obj);
    return (i >= 0) && (o_room[i] == -2);
}

function f_isout(obj) {
    var i = f_findObjectIndexById(obj);
    return (i >= 0) && (o_room[i] == 0);
}

function f_ishere(obj) {
    var i = f_findObjectIndexById(obj);
    return (i >= 0) && ((o_room[i] == -1) || (o_room[i] == -2) || (o_room[i] == g_room));
}

function f_isplayerin(room) {
    var r = f_findRoomIndexById(room);
    return (r > 0) && (g_room == r);
}

function f_isin(obj, room) {
    var i = f_findObjectIndexById(obj);
    if (i < 0) { return false; }
    if (room == '_rWORN_') { return o_room[i] == -2; }
    if (room == '_rTAKEN_') { return (o_room[i] == -1) || (o_room[i] == -2); }
    if (room == '_rOUT_') { return o_room[i] == 0; }
    var r = f_findRoomIndexById(room);
    return (r > 0) && (o_room[i] == r);
}

function f_whereisplayer() {
    if ((g_room >= 1) && (g_room <= 79 /*=largest_room*/) && (g_roomids[g_room] != '')) { return g_roomids[g_room]; }
    return '_mrvxxx_';
}

function f_whereis(obj) {
    var i = f_findObjectIndexById(obj);
    if (i < 0) { return '_mrvxxx_'; }
    var r = o_room[i];
    if (r == -2) { return '_rWORN_'; }
    if (r == -1) { return '_rTAKEN_'; }
    if (r == 0) { return '_rOUT_'; }
    if ((r >= 1) && (r <= 79 /*=largest_room*/) && (g_roomids[r] != '')) { return g_roomids[r]; }
    return '_mrvxxx_';
}

// Carried objects weigh their weight, worn ones their worn weight.
function f_getcurrentweight() {
    var w = 0;
    for (var i = g_defaultobjnum; i < o_id.length; i++) {
        if (o_room[i] == -1) { w = w + o_weight[i]; }
        if (o_room[i] == -2) { w = w + o_weight_worn[i]; }
    }
    return w;
}

function f_getrandomint(a, b) {
    var lo = f_nulli(a);
    var hi = f_nulli(b);
    return lo + Math.floor(Math.random() * (hi - lo + 1));
}

function f_forceroomdesc(text) {
    window.g_forceroomdesc = f_nulls(text);
}

function f_win() {
    window.g_room = 99;
}

function f_lose() {
    window.g_room = -1;
}
