function f_getroomdesc(r) {
var rdesc = '';
___ROOMS___
return rdesc;
}
function f_getactions() {
___ACTIONS___
return false;
}
function f_getmenus(id, node, index) {
___MENUS___
}
function f_getconditions() {
___CONDITIONS___
}
function f_getcounters() {
___COUNTERS___
}
function f_getvariables() {
for (var i = 0; i < 100; i++) { window.g_var[i] = 0; }
___INITIALIZATION___
}
function f_getobjects() {
___OBJECTS___
}
function f_gethelp() {
var html = '<p>'+
'___HELP___'+
'</p>';
return html;
}
function f_getintro() {
var html = '<p>'+
'___INTRO___'+
'</p>';
return html.split('§');
}
function f_getfail() {
var html = '<p><pcenter>'+
'___FAIL___'+
'</pcenter></p><hr>';
return html;
}
function f_getsuccess() {
var html = '<p><pcenter>'+
'___SUCCESS___'+
'</pcenter></p><hr>';
return html;
}
function f_getcover() {
return '<img src=\'___COVERIMAGE___\'>'; ///°°°
}
function f_showimage(n) {
if (n == 1) { return '<img src=\'___FAILIMAGE___\'>'; } ///°°°
return '<img src=\'___SUCCESSIMAGE___\'>'; ///°°°
}
function f_getmap(n) {
var maps = ['', '___MAPIMAGE1___', '___MAPIMAGE2___', '___MAPIMAGE3___']; ///°°°
return maps[n];
}
window.g_start_room = ___STARTROOM___;
