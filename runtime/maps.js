// Maps: three grids of 28 x 30 cells over a 560 x 600 picture. A cell holds
// 0, a room R (its area) or R + 100 (its connection point). Rooms the player
// has not discovered stay hidden under white cells.

function f_discovermap(n) {
    var r = f_nulli(n);
    if (!g_enablemap || (r < 1) || (r > 79 /*=largest_room*/)) { return; }
    window.g_mapdiscovered[r >> 3] = f_nulli(window.g_mapdiscovered[r >> 3]) | (1 << (r % 8));
}

function mrvDiscovered(r) {
    return ((f_nulli(g_mapdiscovered[r >> 3]) >> (r % 8)) & 1) == 1;
}

function f_selectmap(m) {
    var n = f_nulli(m);
    window.g_selectedmap = ((n >= 1) && (n <= 3)) ? n : 1;
}

function f_forcemaptag(n) {
    var r = f_nulli(n);
    if ((r >= 1) && (r <= 79 /*=largest_room*/)) { window.g_forcedmaptag = r; }
}

// Working grids from the untouched copies, with the cells of every named
// and discovered room set to -1.
function f_refreshmapgrid() {
    var grids = [g_map1, g_map2, g_map3];
    var copies = [g_omap1, g_omap2, g_omap3];
    for (var g = 0; g < 3; g++) {
        grids[g].length = 0;
        for (var c = 0; c < copies[g].length; c++) {
            var v = f_nulli(copies[g][c]);
            var room = (v > 100) ? v - 100 : v;
            var open = (room >= 1) && (room <= 79 /*=largest_room*/) && (f_nulls(g_roomids[room]) != '') && mrvDiscovered(room);
            grids[g].push(open ? -1 : v);
        }
    }
}

// The map picture of map N, as a data address.
function mrvMapPicture(n) {
    if (n == 2) {
        return '___MAPIMAGE2___'; ///°°°
    }
    if (n == 3) {
        return '___MAPIMAGE3___'; ///°°°
    }
    return '___MAPIMAGE1___'; ///°°°
}

// The centre of the first cell holding ROOM + 100, scanning columns from the
// left and each column from the top, or null.
function mrvConnectionPoint(grid, room) {
    for (var x = 0; x < g_mapxdim; x++) {
        for (var y = 0; y < g_mapydim; y++) {
            if (f_nulli(grid[x + g_mapxdim * y]) == room + 100) { return [x * 20 + 10, y * 20 + 10]; }
        }
    }
    return null;
}

// Half-transparent red, then half-transparent white over it.
function mrvPens() {
    return [['rgba(255,0,0,0.5)', 3], ['rgba(255,255,255,0.5)', 1]]; ///°°°
}

function mrvPlayerMarker(ctx, p) {
    var pens = mrvPens();
    for (var k = 0; k < pens.length; k++) {
        ctx.strokeStyle = pens[k][0];
        ctx.lineWidth = pens[k][1];
        ctx.beginPath();
        ctx.arc(p[0], p[1], 8, 0, 2 * Math.PI);
        ctx.moveTo(p[0] - 5, p[1]);
        ctx.lineTo(p[0] + 5, p[1]);
        ctx.moveTo(p[0], p[1] - 5);
        ctx.lineTo(p[0], p[1] + 5);
        ctx.stroke();
    }
}

function mrvConnection(ctx, a, b) {
    var pens = mrvPens();
    for (var k = 0; k < pens.length; k++) {
        ctx.strokeStyle = pens[k][0];
        ctx.lineWidth = pens[k][1];
        ctx.beginPath();
        ctx.moveTo(a[0], a[1]);
        ctx.lineTo(b[0], b[1]);
        ctx.stroke();
    }
    ctx.fillStyle = pens[0][0];
    var ends = [a, b];
    for (var e = 0; e < 2; e++) {
        ctx.beginPath();
        ctx.arc(ends[e][0], ends[e][1], 2, 0, 2 * Math.PI);
        ctx.fill();
    }
}

// The pairs of connected rooms; an empty element (an empty line of the
// connections file) is passed over, and a single 0 ends the list.
function mrvConnectionPairs() {
    var values = [];
    for (var k = 0; k < g_connections.length; k++) {
        if ((g_connections[k] === undefined) || (g_connections[k] === null)) { continue; }
        var v = f_nulli(g_connections[k]);
        if (v == 0) { break; }
        values.push(v);
    }
    var pairs = [];
    for (var p = 0; p + 1 < values.length; p = p + 2) { pairs.push([values[p], values[p + 1]]); }
    return pairs;
}

function mrvDrawMap(ctx, picture, n, room) {
    var grid = [g_map1, g_map2, g_map3][n - 1];
    var original = [g_omap1, g_omap2, g_omap3][n - 1];
    ctx.fillStyle = '#ffffff'; ///°°°
    ctx.fillRect(0, 0, 560, 600);
    if (picture) { ctx.drawImage(picture, 0, 0, 560, 600); }
    ctx.fillStyle = '#ffffff'; ///°°°
    for (var y = 0; y < g_mapydim; y++) {
        for (var x = 0; x < g_mapxdim; x++) {
            if (f_nulli(grid[x + g_mapxdim * y]) > 0) { ctx.fillRect(x * 20, y * 20, 20, 20); }
        }
    }
    var here = ((room >= 1) && (room <= 79 /*=largest_room*/)) ? mrvConnectionPoint(original, room) : null;
    if (here) { mrvPlayerMarker(ctx, here); }
    var pairs = mrvConnectionPairs();
    for (var k = 0; k < pairs.length; k++) {
        var a = pairs[k][0];
        var b = pairs[k][1];
        if ((a < 1) || (a > 79 /*=largest_room*/) || (b < 1) || (b > 79 /*=largest_room*/) || !mrvDiscovered(a) || !mrvDiscovered(b)) { continue; }
        var pa = mrvConnectionPoint(original, a);
        var pb = mrvConnectionPoint(original, b);
        if (pa && pb) { mrvConnection(ctx, pa, pb); }
    }
    Mrvmenu.mapdrawn = true;
}

// What the map shows in words: its label and the room the player is in, by
// the first sentence of the room's description. The descriptions are chosen
// by the player's room, so it stands there while the text is read.
function mrvMapLabel(room) {
    var page = g_room;
    window.g_room = room;
    var description = f_getroomdesc(room);
    window.g_room = page;
    var probe = document.createElement('div'); ///°°°
    probe.innerHTML = _de(f_replace(f_nulls(description)));
    var text = probe.textContent.replace(/\s+/g, ' ').trim(); ///°°°
    var end = text.search(/[.!?]/); ///°°°
    if (end >= 0) { text = text.substring(0, end + 1); }
    return _de(f_nulls(g_mes[43])) + ': ' + text; ///°°°
}

// Draws the selected map on the map page's canvas once its picture has
// loaded; nothing when maps are disabled.
function f_showimage() {
    if (!g_enablemap) { return; }
    var canvas = document.getElementById('mapcanvas'); ///°°°
    if (!canvas || !canvas.getContext) { return; }
    var ctx = canvas.getContext('2d'); ///°°°
    var room = (g_room > 500) ? g_room - 500 : g_room;
    canvas.setAttribute('role', 'img'); ///°°°
    canvas.setAttribute('aria-label', mrvMapLabel(room)); ///°°°
    var n = f_nulli(g_selectedmap);
    if ((n < 1) || (n > 3)) { n = 1; }
    f_refreshmapgrid();
    Mrvmenu.mapdrawn = false;
    var source = mrvMapPicture(n);
    if (source == '') {
        mrvDrawMap(ctx, null, n, room);
        return;
    }
    var picture = new Image();
    picture.onload = function () {
        mrvDrawMap(ctx, picture, n, room);
    };
    picture.onerror = function () {
        mrvDrawMap(ctx, null, n, room);
    };
    picture.src = source;
}
