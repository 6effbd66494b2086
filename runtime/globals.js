var o_id = [];
var o_desc_short = [];
var g_var = [];
var g_isdebug = true;
var g_enablemap = ___ENABLEMAP___;
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
