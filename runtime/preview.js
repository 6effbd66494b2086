// The live preview's part of a page served by quenlo-cli serve; the pages on
// disk never carry it. It listens to the server for builds (Server-Sent
// Events on the page's own address), brings the page up to date after each
// successful build and shows the error of a failed one in a panel over the
// page. When only the text of one script changed, the server sends the
// changed lines and that script runs again in place, much sooner than a
// reload; otherwise the page reloads. Either way the running game is
// resumed: it is saved in slot 0 first, and the page's own start loads slot
// 0; the scroll position comes back too. An uncaught error of the game's
// script is reported to the server, which tells the author where it lies in
// the project's files and answers with the text the panel then shows.
(function () {
    var script = document.currentScript;
    var shownBuild = script ? script.getAttribute('data-build') : '';
    var resumeKey = 'quenloPreviewResume';
    var panel = null;
    // The script element run again in place, whose errors count their lines
    // from its first; null while the page is as loaded.
    var patchedScript = null;
    var reported = {};

    function saveRunningGame() {
        try {
            if ((typeof mrvSlotUsed === 'function') && mrvSlotUsed(0)) { f_saveCookie(0); }
        } catch (e) {
            return;
        }
    }

    function reload() {
        saveRunningGame();
        try {
            window.sessionStorage.setItem(resumeKey, String(window.scrollY));
        } catch (e) {
            window.location.reload();
            return;
        }
        window.location.reload();
    }

    function resume() {
        var scroll = null;
        try {
            scroll = window.sessionStorage.getItem(resumeKey);
            window.sessionStorage.removeItem(resumeKey);
        } catch (e) {
            return;
        }
        if (scroll !== null) { window.scrollTo(0, parseInt(scroll, 10) || 0); }
    }

    // The page's own start, as after a load: what the new script queued.
    function startAgain(queued) {
        var added = window.loadqueue.slice(queued);
        window.loadqueue.length = queued;
        for (var k = 0; k < added.length; k++) { added[k](); }
    }

    // Runs TEXT in place of the script element OLD; false when it failed.
    function runInstead(old, text) {
        var failed = false;
        var noticed = function () {
            failed = true;
        };
        var fresh = document.createElement('script');
        fresh.text = text;
        window.addEventListener('error', noticed);
        old.parentNode.replaceChild(fresh, old);
        window.removeEventListener('error', noticed);
        return !failed;
    }

    // HEAD: builds, script number, its lines, lines kept before and after;
    // only the builds when the page stayed the same.
    function patch(head, inserted) {
        if (head.length === 2) { return true; }
        var old = document.scripts[parseInt(head[2], 10)];
        if (!old || (old === script) || !(window.loadqueue instanceof Array)) { return false; }
        var lines = old.text.split('\n');
        if (lines.length !== parseInt(head[3], 10)) { return false; }
        var after = lines.length - parseInt(head[5], 10);
        var text = lines.slice(0, parseInt(head[4], 10)).concat(inserted, lines.slice(after)).join('\n');
        saveRunningGame();
        var scroll = window.scrollY;
        var queued = window.loadqueue.length;
        // The menus' handlers of the old script would answer touches and
        // keys twice.
        if ((typeof Mrvmenu === 'object') && (typeof Mrvmenu.touch === 'function')) {
            document.removeEventListener('click', Mrvmenu.touch);
        }
        if (typeof mrvKeyDown === 'function') {
            document.removeEventListener('keydown', mrvKeyDown);
        }
        patchedScript = parseInt(head[2], 10);
        try {
            if (!runInstead(old, text)) { return false; }
            startAgain(queued);
        } catch (e) {
            return false;
        }
        window.scrollTo(0, scroll);
        return true;
    }

    function hidePanel() {
        if (panel !== null) {
            panel.parentNode.removeChild(panel);
            panel = null;
        }
    }

    // A panel along the bottom edge: the game above it stays playable.
    function showPanel(text) {
        hidePanel();
        panel = document.createElement('pre');
        panel.id = 'quenloPreviewError';
        panel.setAttribute('role', 'alert');
        panel.textContent = text;
        var s = panel.style;
        s.position = 'fixed';
        s.left = '0';
        s.right = '0';
        s.bottom = '0';
        s.maxHeight = '40vh';
        s.overflow = 'auto';
        s.margin = '0';
        s.padding = '8px 12px';
        s.zIndex = '2147483647';
        s.background = '#fff0f0';
        s.color = '#a00000';
        s.borderTop = '3px solid #c00000';
        s.font = '13px monospace';
        s.whiteSpace = 'pre-wrap';
        s.textAlign = 'left';
        document.body.appendChild(panel);
    }

    // The server's answer, or the message alone when it cannot be asked.
    function report(message, line, column) {
        if (!line) { return; }
        var choice = (typeof window.s_action === 'string') ? window.s_action : '';
        var body = window.location.pathname + ' ' + shownBuild + ' ' + line + ' ' + (column || 0) + ' ' +
            ((patchedScript === null) ? '-' : patchedScript) + '\n' +
            choice.substring(0, 200).replace(/[\r\n]/g, ' ') + '\n' + String(message).substring(0, 1200);
        if (reported[body]) { return; }
        reported[body] = true;
        var alone = 'Script error in the game: ' + message;
        try {
            var request = new window.XMLHttpRequest();
            request.open('POST', '/script-error');
            request.onload = function () {
                showPanel((request.status === 200) ? request.responseText : alone);
            };
            request.onerror = function () {
                showPanel(alone);
            };
            request.send(body);
        } catch (e) {
            showPanel(alone);
        }
    }

    // A rejection's place is the first place in the page its stack names.
    function stackPlace(reason) {
        var stack = (reason && (typeof reason.stack === 'string')) ? reason.stack : '';
        var page = window.location.href.split(/[?#]/)[0];
        var lines = stack.split('\n');
        for (var k = 0; k < lines.length; k++) {
            var found = /:(\d+):(\d+)\)?\s*$/.exec(lines[k]);
            if (found && (lines[k].indexOf(page) >= 0)) { return [parseInt(found[1], 10), parseInt(found[2], 10)]; }
        }
        return [0, 0];
    }

    function watchErrors() {
        window.addEventListener('error', function (e) {
            var message = (e.error instanceof window.Error) ? String(e.error) : String(e.message).replace(/^Uncaught /, '');
            report(message, e.lineno, e.colno);
        });
        window.addEventListener('unhandledrejection', function (e) {
            var place = stackPlace(e.reason);
            report((e.reason instanceof window.Error) ? String(e.reason) : 'Unhandled rejection: ' + String(e.reason),
                place[0], place[1]);
        });
    }

    function listen() {
        if (typeof window.EventSource !== 'function') { return; }
        var events = new window.EventSource(window.location.pathname);
        events.addEventListener('built', function (e) {
            if (e.data !== shownBuild) {
                events.close();
                reload();
            } else {
                hidePanel();
            }
        });
        events.addEventListener('patched', function (e) {
            var lines = e.data.split('\n');
            var head = lines.shift().split(' ');
            if (head[1] === shownBuild) {
                hidePanel();
                return;
            }
            if ((head[0] !== shownBuild) || !patch(head, lines)) {
                events.close();
                reload();
                return;
            }
            shownBuild = head[1];
            if (script) { script.setAttribute('data-build', shownBuild); }
            hidePanel();
        });
        events.addEventListener('failed', function (e) {
            showPanel(e.data);
        });
    }

    if (typeof onpageload === 'function') {
        onpageload(resume);
    }
    watchErrors();
    listen();
}());
