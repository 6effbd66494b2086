// The modal dialog: a text divided into screens by the section sign, shown
// one screen at a time; its button continues. While it is shown it holds the
// focus, and the page behind it cannot be reached.

function f_showdialog(text, show) {
    if (!show) {
        document.getElementById('mdlg').style.display = 'none'; ///°°°
        document.getElementById('content').inert = false; ///°°°
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
    if (!Mrvmenu.dialog) { Mrvmenu.opener = mrvDialogOpener(); }
    var button = document.getElementById('mdlgbutton'); ///°°°
    document.getElementById('mdlgtext').innerHTML = _de(f_rndtxt(screen)); ///°°°
    document.getElementById('mdlgtext').scrollTop = 0; ///°°°
    button.innerHTML = _de(f_gmes(26));
    document.getElementById('mdlgbox').setAttribute('aria-label', document.title); ///°°°
    document.getElementById('mdlg').style.display = 'block'; ///°°°
    document.getElementById('content').inert = true; ///°°°
    Mrvmenu.dialog = true;
    Mrvmenu.closeall();
    window.g_bodelaycontinue = true;
    window.setTimeout(function () {
        window.g_bodelaycontinue = false;
    }, 500);
    // A screen reader reads the new screen when the button takes the focus
    // anew.
    if (document.activeElement === button) { button.blur(); }
    button.focus();
}

// What had the focus before the dialog; for a menu item, its word, since
// the menu closes.
function mrvDialogOpener() {
    var active = document.activeElement;
    return mrvWordButton(active) || active;
}

function mrvGiveFocusBack() {
    var opener = Mrvmenu.opener;
    Mrvmenu.opener = null;
    if (opener && opener.focus && document.body.contains(opener)) {
        opener.focus({ preventScroll: true });
    } else {
        document.getElementById('content').focus({ preventScroll: true }); ///°°°
    }
}

// The button: hide, then open the forced address, show the next screen, or
// draw the page.
function f_mdlgclose() {
    if (window.g_bodelaycontinue || !Mrvmenu.dialog) { return; }
    document.getElementById('mdlg').style.display = 'none'; ///°°°
    document.getElementById('content').inert = false; ///°°°
    mrvGiveFocusBack();
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
