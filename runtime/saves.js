// Saved games. A record is 690 fields: the adventure key, the room, the
// selected map, position and state bits of objects 12 to 299, the 100
// variables, the 10 words of discovered rooms and a checksum. Slots: 0 the
// running game, 1 to 3 the player's saves, 4 the page address, 5 the state
// before the last action. Records live in cookies, or in the local storage
// where the browser keeps no cookie for the page (a page opened from disk).

// Decides once, when the page loads, where records are kept.
function mrvProbeCookies() {
    try {
        document.cookie = 'quenloprobe=1; path=/'; ///°°°
        window.cookie_Ready = document.cookie.indexOf('quenloprobe=1') >= 0; ///°°°
        document.cookie = 'quenloprobe=; expires=Thu, 01 Jan 1970 00:00:00 GMT; path=/'; ///°°°
    } catch (e) {
        window.cookie_Ready = false;
    }
}

function f_acreateCookie(name, value, days) {
    try {
        if (window.cookie_Ready) {
            var expires = new Date();
            expires.setTime(expires.getTime() + days * 86400000);
            document.cookie = encodeURIComponent(name) + '=' + encodeURIComponent(value).replace(/%2C/g, ',') + '; expires=' + expires.toUTCString() + '; path=/'; ///°°°
        } else if (days < 0) {
            window.localStorage.removeItem(name);
        } else {
            window.localStorage.setItem(name, value);
        }
    } catch (e) {
        return;
    }
}

// The value stored under NAME, or the empty text.
function f_agetCookie(name) {
    try {
        if (!window.cookie_Ready) {
            var stored = window.localStorage.getItem(name);
            return (stored === null) ? '' : stored;
        }
        var want = encodeURIComponent(name) + '='; ///°°°
        var parts = document.cookie.split(';'); ///°°°
        for (var k = 0; k < parts.length; k++) {
            var c = parts[k].replace(/^\s+/, ''); ///°°°
            if (c.indexOf(want) == 0) { return decodeURIComponent(c.substring(want.length)); }
        }
    } catch (e) {
        return '';
    }
    return '';
}

function f_adeleteCookie(name) {
    f_acreateCookie(name, '', -1);
}

function mrvSlotName(slot) {
    return g_adv_id + '_' + 'stat' + slot; ///°°°
}

function mrvSlotUsed(slot) {
    return f_agetCookie(mrvSlotName(slot)) != '';
}

function f_deleteCookie(slot) {
    f_adeleteCookie(mrvSlotName(slot));
}

function f_arrayAsString(a) {
    return a.join(',');
}

// 7 plus the sum of fields 2 to 6, modulo 253, keeping the sign of the sum.
function f_getchecksum(fields) {
    var sum = 7;
    for (var k = 1; k < 689; k++) { sum = sum + f_nulli(fields[k]); }
    return sum % 253;
}

// The record of the running game.
function mrvRecord() {
    var r = [g_adv_id, f_nulli(g_room), f_nulli(g_selectedmap)];
    for (var i = 12; i < 300; i++) {
        r.push(f_nulli(o_room[i]));
        r.push(f_nulli(o_ef[i]));
    }
    for (var v = 0; v < 100; v++) {
        var x = f_nulli(g_var[v]);
        r.push(((x >= 0) && (x <= 65533)) ? x : 0);
    }
    for (var m = 0; m < 10; m++) { r.push(f_nulli(g_mapdiscovered[m])); }
    r.push(f_getchecksum(r));
    return r;
}

// Writes the record; for slot 4 it returns the page address holding it.
function f_saveCookie(slot) {
    var r = mrvRecord();
    if (slot == 4) { return f_asetsavedurl(f_getsavedurlstring(r)); }
    f_acreateCookie(mrvSlotName(slot), f_arrayAsString(r), 30);
    return '';
}

function f_decimalToHex(value, digits) {
    var s = value.toString(16);
    while (s.length < digits) { s = '0' + s; }
    return s;
}

// Fields 2 to 7 for the page address: runs of zeros as I and a count, large
// values as X and four digits, the rest as two digits, all shifted by 2. The
// checksum is written as its remainder from 0 to 252, since a negative one
// would have no form here.
function f_getsavedurlstring(r) {
    var out = '';
    var zeros = 0;
    for (var k = 1; k < r.length; k++) {
        var v = f_nulli(r[k]);
        if (k == r.length - 1) { v = ((v % 253) + 253) % 253; }
        if (v < -2) { v = -2; }
        if (v == 0) {
            zeros = zeros + 1;
            continue;
        }
        if (zeros > 0) { out = out + 'I' + f_decimalToHex(zeros, 3); } ///°°°
        zeros = 0;
        if (v > 65533) {
            out = out + 'X' + 'ffff'; ///°°°
        } else if (v > 253) {
            out = out + 'X' + f_decimalToHex(v + 2, 4); ///°°°
        } else {
            out = out + f_decimalToHex(v + 2, 2);
        }
    }
    if (zeros > 0) { out = out + 'I' + f_decimalToHex(zeros, 3); } ///°°°
    return out;
}

// A run of exactly N lower-case hexadecimal digits, or -1.
function mrvHex(s, n) {
    if ((s.length != n) || !/^[0-9a-f]+$/.test(s)) { return -1; } ///°°°
    return parseInt(s, 16);
}

// The values of an address text, or null when it is not well formed.
function mrvDecodeAddress(p) {
    var values = [];
    var k = 0;
    while (k < p.length) {
        var c = p.charAt(k);
        var n = 0;
        if (c == 'I') { ///°°°
            n = mrvHex(p.substr(k + 1, 3), 3);
            if (n < 0) { return null; }
            for (var z = 0; (z < n) && (values.length <= 689); z++) { values.push(0); }
            k = k + 4;
        } else if (c == 'X') { ///°°°
            n = mrvHex(p.substr(k + 1, 4), 4);
            if (n < 0) { return null; }
            values.push(n - 2);
            k = k + 5;
        } else {
            n = mrvHex(p.substr(k, 2), 2);
            if (n < 0) { return null; }
            values.push(n - 2);
            k = k + 2;
        }
        if (values.length > 689) { return null; }
    }
    return values;
}

// The saved game in the page address (the text of its P parameter), or ''.
function f_agetsavedurl() {
    var href = '' + window.location.href;
    var q = href.indexOf('?'); ///°°°
    if (q < 0) { return ''; }
    var query = href.substring(q + 1);
    var hash = query.indexOf('#'); ///°°°
    if (hash >= 0) { query = query.substring(0, hash); }
    var pieces = query.split('&'); ///°°°
    for (var k = 0; k < pieces.length; k++) {
        var kv = pieces[k].split('='); ///°°°
        if ((kv[0] == 'P') && (kv.length > 1) && (kv[1] != '')) { return kv[1]; } ///°°°
    }
    return '';
}

// The page address without its query, carrying the encoded record.
function f_asetsavedurl(encoded) {
    var href = '' + window.location.href;
    var cut = href.search(/[?#]/); ///°°°
    if (cut >= 0) { href = href.substring(0, cut); }
    return href + '?P=' + encoded; ///°°°
}

// Checks a record and, when it is sound, puts it into the running game. A
// record of another adventure, with a wrong checksum or with values that no
// game can reach is ignored.
function mrvApplyRecord(fields, fromaddress) {
    if ((fields.length != 690) || (fields[0] != g_adv_id)) { return false; }
    var n = [0];
    for (var k = 1; k < 690; k++) {
        if (!/^-?[0-9]{1,9}$/.test('' + fields[k])) { return false; } ///°°°
        n[k] = parseInt(fields[k], 10);
    }
    var check = f_getchecksum(n);
    if (fromaddress) { check = ((check % 253) + 253) % 253; }
    if (check != n[689]) { return false; }
    var room = n[1];
    var roomok = (room == -2) || (room == -1) || (room == 99) || ((room >= 1) && (room <= 79)) || ((room >= 501) && (room <= 579)) || ((room > 65000) && (room <= 65533));
    if (!roomok || (n[2] < 1) || (n[2] > 3)) { return false; }
    for (var i = 0; i < 288; i++) {
        if ((n[3 + 2 * i] < -2) || (n[4 + 2 * i] < 0)) { return false; }
    }
    for (var v = 579; v < 679; v++) {
        if ((n[v] < 0) || (n[v] > 65533)) { return false; }
    }
    for (var m = 679; m < 689; m++) {
        if ((n[m] < 0) || (n[m] > 255)) { return false; }
    }
    window.g_room = room;
    window.g_selectedmap = n[2];
    for (var j = 0; j < 288; j++) {
        o_room[12 + j] = n[3 + 2 * j];
        o_ef[12 + j] = n[4 + 2 * j];
    }
    for (var w = 0; w < 100; w++) { window.g_var[w] = n[579 + w]; }
    for (var b = 0; b < 10; b++) { window.g_mapdiscovered[b] = n[679 + b]; }
    return true;
}

// Reads and checks a slot; false when it is empty, of another adventure,
// tampered with or unreadable.
function f_loadCookie(slot) {
    try {
        var fields = null;
        if (slot == 4) {
            var p = f_agetsavedurl();
            if (p == '') { return false; }
            var values = mrvDecodeAddress(p);
            if (values === null) { return false; }
            fields = [g_adv_id].concat(values);
        } else {
            var text = f_agetCookie(mrvSlotName(slot));
            if (text == '') { return false; }
            fields = text.split(',');
        }
        return mrvApplyRecord(fields, slot == 4);
    } catch (e) {
        return false;
    }
}
