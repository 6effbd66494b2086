#include "backend/runtime_names.h"

namespace quenlo {

// clang-format off
const std::array<std::string_view, 228> known_runtime_identifiers = {
    // group 1 of 5
    "o_id", "o_eo", "o_dd", "o_st", "o_ei", "o_ef", "o_desc_short", "o_desc_long",
    "o_desc_examine", "o_direction", "o_weight_worn", "o_weight", "o_examinable", "o_usable",
    "o_takeable", "o_enabled", "o_room", "o_tag", "g_variableids", "g_var", "g_adv_id",
    "g_start_room", "g_homesite", "g_room", "g_max_weight", "g_mext", "g_mex2", "g_mex",
    "g_addtext", "g_obj1", "g_obj2", "g_verb", "g_dmenc",
    // group 2 of 5
    "g_forceurl", "g_bodelaycontinue", "g_use_", "g_examine_", "g_take_", "g_leave_", "g_wear_",
    "g_takeoff_", "g_confirm_", "g_go_", "g_yourself_", "g_dt", "g_defaultobjnum", "g_talk_",
    "o_talkable", "o_desc_talk", "o_desc_next_talk", "g_lastobject", "g_isdebug", "g_enablemap",
    "g_selectedmap", "g_map1", "g_map2", "g_map3", "g_connections", "g_mapxdim", "g_mapydim",
    "g_mapdiscovered", "g_roomids", "g_objectids", "g_mes", "g_list", "f_addobj", "f_getroomdesc",
    "f_getactions", "f_getmenus", "f_getconditions", "f_getcounters", "f_getvariables",
    "f_getobjects", "f_gethelp", "f_getintro", "f_getcover", "f_getfail", "f_getsuccess",
    "f_getmap",
    // group 3 of 5
    "f_adddefaultobjects", "oa_id", "oa_desc_short", "oa_desc_long", "oa_desc_examine", "oa_eo",
    "oa_dd", "oa_enabled", "oa_room", "oa_st", "oa_direction", "oa_weight_worn", "oa_weight",
    "oa_examinable", "oa_usable", "oa_takeable", "oa_ei", "oa_tag", "oa_ef", "oa_talkable",
    "oa_desc_talk", "oa_desc_next_talk", "f_nulli", "f_nulls", "f_mdlgclose", "f_showdialog",
    "f_processaction", "s_action", "cookie_Ready", "f_movement_actions", "f_default_actions",
    "f_createdefaultobjsubmenu", "f_addp", "f_isactin", "f_replace", "f_getobjhtml",
    "f_findObjectIndexById", "f_findRoomIndexById", "f_clsHTML", "f_setHTML", "f_addHTML",
    "f_createmrvmenu", "f_additem", "f_addsub", "f_arrayAsString",
    // group 4 of 5
    "f_acreateCookie", "f_agetCookie", "f_adeleteCookie", "f_deleteCookie", "f_saveCookie",
    "f_getchecksum", "f_loadCookie", "f_getsavedurlstring", "f_agetsavedurl", "f_asetsavedurl",
    "f_decimalToHex", "f_refreshmapgrid", "f_showimage", "f_rndtxt", "f_getcurrentweight",
    "f_append", "f_show", "f_gmes", "f_getrandomint", "f_textisempty", "f_discovermap",
    "f_selectmap", "f_use", "f_examine", "f_wear", "f_takeoff", "f_take", "f_leave", "f_talk",
    "f_istaken", "f_ishere", "f_isworn", "f_isout", "f_isplayerin", "f_moveplayer", "f_win",
    "f_lose", "f_isin", "f_moveout", "f_move", "f_givetoplayer", "f_putonplayer", "f_action",
    "f_use_", "f_examine_",
    // group 5 of 5
    "f_leave_", "f_take_", "f_wear_", "f_takeoff_", "f_talk_", "f_go_", "f_yourself_", "f_obj1",
    "f_obj2", "f_verb", "f_isobj1", "f_isobj2", "f_isverb", "f_addvm", "f_inventory",
    "f_whereisplayer", "f_whereis", "f_descshort", "f_desclong", "f_tag", "f_swap", "g_dialogroom",
    "g_omap1", "g_omap2", "g_omap3", "_rTAKEN_", "_rOUT_", "_rWORN_", "f_go", "f_yourself",
    "_voidmrvobject", "'_'", "_self", "_de(", "_mrvhelp_", "_mrvxxx_", "_mrvexithelp_",
    "_mrvstartgame_", "_mrvstartgame2_", "_mrvhome_", "_mrvquit_", "_mrvload_", "_mrvsave_",
    "_mrvmap_", "_mrvcust_", "_mrvcustcont_", "_mrvundo_", "___CONNECTIONS___", "___COVERIMAGE___",
    "___FAILIMAGE___", "___SUCCESSIMAGE___", "___MAPIMAGE3___", "___MAPIMAGE2___",
    "___MAPIMAGE1___", "g_forcedmaptag", "f_forcemaptag", "g_forceroomdesc", "g_last_room",
    "f_forceroomdesc",
};

const std::array<std::string_view, 201> release_renamed_names = {
    // 0 to 9
    "o_id", "o_eo", "o_dd", "o_st", "o_ei", "o_ef", "o_desc_short", "o_desc_long",
    "o_desc_examine", "o_direction",
    // 10 to 19
    "o_weight_worn", "o_weight", "o_examinable", "o_usable", "o_takeable", "o_enabled", "o_room",
    "o_tag", "g_variableids", "g_var",
    // 20 to 29
    "g_adv_id", "g_start_room", "g_homesite", "g_room", "g_max_weight", "g_mext", "g_mex2",
    "g_mex", "g_addtext", "g_obj1",
    // 30 to 39
    "g_obj", "g_verb", "g_dmenc", "g_forceurl", "g_bodelaycontinue", "g_use_", "g_examine_",
    "g_take_", "g_leave_", "g_wear_",
    // 40 to 49
    "g_takeoff_", "g_confirm_", "g_go_", "g_yourself_", "g_dt", "g_defaultobjnum", "g_talk_",
    "o_talkable", "o_desc_talk", "o_desc_next_talk",
    // 50 to 59
    "g_lastobject", "g_isdebug", "g_enablemap", "g_selectedmap", "g_map1", "g_map", "g_map3",
    "g_connections", "g_mapxdim", "g_mapydim",
    // 60 to 69
    "g_mapdiscovered", "g_roomids", "g_objectids", "g_mes", "g_list", "f_addobj", "f_getroomdesc",
    "f_getactions", "f_getmenus", "f_getconditions",
    // 70 to 79
    "f_getcounters", "f_getvariables", "f_getobjects", "f_gethelp", "f_getintro", "f_getcover",
    "f_getfail", "f_getsuccess", "f_getmap", "f_adddefaultobjects",
    // 80 to 89
    "oa_id", "oa_desc_short", "oa_desc_long", "oa_desc_examine", "oa_eo", "oa_dd", "oa_enabled",
    "oa_room", "oa_st", "oa_direction",
    // 90 to 99
    "oa_weight_worn", "oa_weight", "oa_examinable", "oa_usable", "oa_takeable", "oa_ei", "oa_tag",
    "oa_ef", "oa_talkable", "oa_desc_talk",
    // 100 to 109
    "oa_desc_next_talk", "f_nulli", "f_nulls", "f_mdlgclose", "f_showdialog", "f_processaction",
    "s_action", "cookie_Ready", "f_movement_actions", "f_default_actions",
    // 110 to 119
    "f_createdefaultobjsubmenu", "f_addp", "f_isactin", "f_replace", "f_getobjhtml",
    "f_findObjectIndexById", "f_findRoomIndexById", "f_clsHTML", "f_setHTML", "f_addHTML",
    // 120 to 129
    "f_createmrvmenu", "f_additem", "f_addsub", "f_arrayAsString", "f_acreateCookie",
    "f_agetCookie", "f_adeleteCookie", "f_deleteCookie", "f_saveCookie", "f_getchecksum",
    // 130 to 139
    "f_loadCookie", "f_getsavedurlstring", "f_agetsavedurl", "f_asetsavedurl", "f_decimalToHex",
    "f_refreshmapgrid", "f_showimage", "f_rndtxt", "f_getcurrentweight", "f_append",
    // 140 to 149
    "f_show", "f_gmes", "f_getrandomint", "f_textisempty", "f_discovermap", "f_selectmap", "f_use",
    "f_examine", "f_wear", "f_takeoff",
    // 150 to 159
    "f_take", "f_leave", "f_talk", "f_istaken", "f_ishere", "f_isworn", "f_isout", "f_isplayerin",
    "f_moveplayer", "f_win",
    // 160 to 169
    "f_lose", "f_isin", "f_moveout", "f_move", "f_givetoplayer", "f_putonplayer", "f_action",
    "f_use_", "f_examine_", "f_leave_",
    // 170 to 179
    "f_take_", "f_wear_", "f_takeoff_", "f_talk_", "f_go_", "f_yourself_", "f_obj1", "f_obj",
    "f_verb", "f_isobj1",
    // 180 to 189
    "f_isobj", "f_isverb", "f_addvm", "f_inventory", "f_whereisplayer", "f_whereis", "f_descshort",
    "f_desclong", "f_tag", "f_swap",
    // 190 to 199
    "g_dialogroom", "g_omap1", "g_omap2", "g_omap3", "f_go", "f_yourself", "g_forcedmaptag",
    "f_forcemaptag", "g_forceroomdesc", "g_last_room",
    // 200 to 200
    "f_forceroomdesc",
};
// clang-format on

}  // namespace quenlo
