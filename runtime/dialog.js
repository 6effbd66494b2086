// The modal dialog: a text divided into screens by the section sign, shown
// one screen at a time; its button continues.

function f_showdialog(text, show) {
    if (!show) {
        document.getElementById('mdlg').style.display = 'none'; ///°°°
        Mrvmenu.dialog = false;
        return;
    }
    window.g_mext = f_nulls(text).split('§');
    mrvNextScreen();
}

// Shows the next stored screen, one of its alternatives; the button ignores
// touches for half a second so that a double touch does not skip a screen.
function mrvNextScreen() {
    var screen = window.g_mext.shift();
    document.getElementById('mdlgtext').innerHTML = _de(f_rndtxt(screen)); ///°°°
    document.getElementById('mdlgbutton').innerHTML = _de(f_gmes(26)); ///°°°
    document.getElementById('mdlg').style.display = 'block'; ///°°°
    Mrvmenu.dialog = true;
    Mrvmenu.closeall();
    window.g_bodelaycontinue = true;
    window.setTimeout(function () {
        window.g_bodelaycontinue = false;
    }, 500);
}

// The button: hide, then open the forced address, show the next screen, or
// draw the page.
function f_mdlgclose() {
    if (window.g_bodelaycontinue || !Mrvmenu.dialog) { return; }
    document.getElementById('mdlg').style.display = 'none'; ///°°°
    window.setTimeout(function () {
        Mrvmenu.dialog = false;
        if (window.g_forceurl != '') {
            var address = window.g_forceurl;
            window.g_forceurl = '';
            window.location.href = address;
            return;
        }
        if (window.g_mext.length > 0) {
            mrvNextScreen();
            return;
        }
        f_processaction('');
    }, 200);
}
