// Playing with the keyboard. Tab reaches the words in reading order, since
// each is a button; Enter, Space or Down opens a word's menu on its first
// item; Up and Down move within a menu, Right or Enter opens a sub-menu and
// Left leaves it; Enter chooses; Escape closes a menu and goes back to its
// word. While the dialog is shown, Tab stays within it.

function mrvKeyDown(e) {
    if (Mrvmenu.dialog) {
        mrvDialogKey(e);
        return;
    }
    var item = Mrvmenu.around(e.target, 'mrvitem'); ///°°°
    if (item) {
        mrvMenuKey(e, item);
        return;
    }
    var word = Mrvmenu.around(e.target, 'mrvmenu'); ///°°°
    var opens = (e.key == 'Enter') || (e.key == ' ') || (e.key == 'ArrowDown'); ///°°°
    if (word && opens) {
        e.preventDefault();
        mrvPressWord(word);
        return;
    }
    if ((e.key == 'Escape') && document.querySelector('.mrvpop')) { Mrvmenu.closeall(); } ///°°°
}

// The keyboard's touch of a word: its menu opens on the first item.
function mrvPressWord(word) {
    if (Mrvmenu.locked()) { return; }
    var menu = Mrvmenu.press(word);
    if (menu && menu.firstChild) { menu.firstChild.focus(); }
}

function mrvMenuKey(e, item) {
    var menu = item.parentNode;
    var items = menu.children;
    var place = Array.prototype.indexOf.call(items, item);
    var inside = ('' + menu.className).indexOf('mrvsub') >= 0; ///°°°
    var key = e.key;
    if (key == 'Tab') { ///°°°
        mrvLeaveMenus(item);
        return;
    }
    e.preventDefault();
    if (key == 'ArrowDown') { items[(place + 1) % items.length].focus(); } ///°°°
    if (key == 'ArrowUp') { items[(place + items.length - 1) % items.length].focus(); } ///°°°
    if (key == 'Home') { items[0].focus(); } ///°°°
    if (key == 'End') { items[items.length - 1].focus(); } ///°°°
    var choose = (key == 'Enter') || (key == ' '); ///°°°
    if ((choose || (key == 'ArrowRight')) && (item.mrvitems.length > 0)) { ///°°°
        Mrvmenu.opensub(item).firstChild.focus();
        return;
    }
    if (choose && !Mrvmenu.locked()) { Mrvmenu.act(item, item.mrvaction); }
    if (inside && ((key == 'ArrowLeft') || (key == 'Escape'))) { ///°°°
        var owner = menu.parentNode;
        menu.parentNode.removeChild(menu);
        mrvExpanded(owner, null);
        owner.focus();
        return;
    }
    if (key == 'Escape') { mrvLeaveMenus(item); } ///°°°
}

// Closes the menus and puts the focus back on the word of ITEM.
function mrvLeaveMenus(item) {
    var button = mrvWordButton(item);
    Mrvmenu.closeall();
    if (button) { button.focus(); }
}

// Tab and Shift+Tab go round the dialog's text and its button.
function mrvDialogKey(e) {
    if (e.key != 'Tab') { return; } ///°°°
    e.preventDefault();
    var text = document.getElementById('mdlgtext'); ///°°°
    var button = document.getElementById('mdlgbutton'); ///°°°
    if (document.activeElement === text) {
        button.focus();
    } else {
        text.focus();
    }
}
