// The live preview's part of a page served by quenlo-cli serve; the pages on
// disk never carry it. It listens to the server for builds (Server-Sent
// Events on the page's own address), reloads the page after each successful
// build and shows the error of a failed one in a panel over the page. The
// running game is resumed: it is saved in slot 0 just before the reload, and
// the page's own start loads slot 0; the scroll position comes back too.
(function () {
    var script = document.currentScript;
    var shownBuild = script ? script.getAttribute('data-build') : '';
    var resumeKey = 'quenloPreviewResume';
    var panel = null;

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
        events.addEventListener('failed', function (e) {
            showPanel(e.data);
        });
    }

    if (typeof onpageload === 'function') {
        onpageload(resume);
    }
    listen();
}());
