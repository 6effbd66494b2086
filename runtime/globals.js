// The state of the game engine. Every name is a global of the page, because
// the generated code and the author's scripts reach them as window.NAME.
// Strings are single-quoted only, every statement ends with a semicolon and
// no code line carries a trailing comment: the release page encodes quoted
// texts, shortens these names and joins lines.

// Objects: parallel arrays indexed by the runtime object index 0 to 299.
var o_id = [];
var o_desc_short = [];
var o_desc_long = [];
var o_desc_examine = [];
var o_eo = [];
var o_dd = [];
var o_enabled = [];
var o_room = [];
var o_st = [];
var o_direction = [];
var o_weight = [];
var o_weight_worn = [];
var o_examinable = [];
var o_usable = [];
var o_takeable = [];
var o_ei = [];
var o_tag = [];
var o_ef = [];
var o_talkable = [];
var o_desc_talk = [];
var o_desc_next_talk = [];
var g_defaultobjnum = 12;
var g_lastobject = 11;

// The 100 author variables; variable 0 is the completion percentage.
var g_var = [];

// The player, the page state and the action of the turn.
var g_adv_id = '';
var g_start_room = 1;
var g_homesite = '';
var g_room = -2;
var g_max_weight = 100;
var g_obj1 = '';
var g_verb = '';
var g_obj2 = '';
var g_mex = '';
var g_mex2 = '';
var g_addtext = '';
var g_dialogroom = false;
var g_forceroomdesc = '';
var g_last_room = 0;
var g_list = [];
var g_dt = '';
var s_action = '';

// The verb texts, read from the messages once per page.
var g_dmenc = false;
var g_use_ = '';
var g_examine_ = '';
var g_take_ = '';
var g_leave_ = '';
var g_wear_ = '';
var g_takeoff_ = '';
var g_confirm_ = '';
var g_go_ = '';
var g_yourself_ = '';
var g_talk_ = '';

// The dialog: screens still to show, an address to open on closing, the lock.
var g_mext = [];
var g_forceurl = '';
var g_bodelaycontinue = false;

// Saved games: true when the browser keeps cookies for this page.
var cookie_Ready = false;

// Debug page or release page.
var g_isdebug = true;

// Maps: three grids of 28 x 30 cells, their untouched copies, connections.
var g_enablemap = ___ENABLEMAP___;
var g_selectedmap = 1;
var g_forcedmaptag = 0;
var g_mapdiscovered = [0, 0, 0, 0, 0, 0, 0, 0, 0, 0];
var g_mapxdim = 28;
var g_mapydim = 30;
var g_map1 = [
    ___MAP1___
];
var g_omap1 = [
    ___MAP1___
];
var g_map2 = [
    ___MAP2___
];
var g_omap2 = [
    ___MAP2___
];
var g_map3 = [
    ___MAP3___
];
var g_omap3 = [
    ___MAP3___
];
var g_connections = [
    ___CONNECTIONS___
    0
];

// Identifiers of rooms (index 0 to 79), objects and variables, and the
// messages (entry N is message N).
var g_roomids = [
    ___ROOMIDS___
    ''
];
var g_objectids = [
    '',
    ___OBJECTIDS___
    ''
];
var g_variableids = [
    ___VARIABLEIDS___
    ''
];
var g_mes = [
    '',
    ___MESSAGES___
    ''
];
