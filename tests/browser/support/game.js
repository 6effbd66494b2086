'use strict';
// Plays a game page as a player does: touches words by their visible text,
// chooses menu items, reads and closes the dialog. Every text the player
// sees is written into a transcript, so that two pages can be compared.
//
// It drives a playwright page (Chromium) or a puppeteer page (Firefox) with
// the calls both have alike: goto, reload, url, evaluate with one argument,
// mouse.click, close and the page's error events.
const { seededRandom } = require('./browser');

// The engine ignores touches for 400 ms after publishing a page, and the
// dialog button for 500 ms after showing it.
const MENU_LOCK = 420;
const BUTTON_LOCK = 520;
const WAIT_LIMIT = 30000;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Runs in the page: the centre of the first or last shown element of
// SELECTOR whose text, blanks aside, is LABEL (any text for null), scrolled
// into view; null when there is none.
function findInPage({ selector, label, last }) {
    const found = [...document.querySelectorAll(selector)].filter((e) => e.getClientRects().length > 0 &&
        (label === null || e.textContent.replace(/\s+/g, ' ').trim() === label));
    const element = last ? found[found.length - 1] : found[0];
    if (!element) return null;
    element.scrollIntoView({ block: 'center' });
    // A word that wraps has one box per line: its first line is where a
    // finger touches it.
    const box = element.getClientRects()[0];
    return { x: box.left + box.width / 2, y: box.top + box.height / 2 };
}

// Runs in the page: the labels of the items of the last open menu of CLASS,
// null when none is open.
function menuLabels(cls) {
    const menus = document.querySelectorAll('ul.' + cls);
    if (menus.length === 0) return null;
    return [...menus[menus.length - 1].children].filter((e) => e.matches('li.mrvitem')).map((e) => e.innerText);
}

class Game {
    constructor(page) {
        this.page = page;
        this.transcript = [];
        this.errors = [];
        page.on('pageerror', (e) => this.errors.push(e.message));
        page.on('console', (m) => {
            if (m.type() === 'error') this.errors.push(m.text());
        });
    }

    // A new page of CONTEXT (anything with newPage) showing URL.
    static async open(context, url) {
        const page = await context.newPage();
        if (page.addInitScript) await page.addInitScript(seededRandom);
        else await page.evaluateOnNewDocument(seededRandom);
        const game = new Game(page);
        await game.goto(url);
        return game;
    }

    async goto(url) {
        await this.page.goto(url);
        await this.settled();
    }

    async reload() {
        await this.page.reload();
        await this.settled();
    }

    // Waits until CHECK (run in the page with ARG) gives a true value, and
    // returns it; a page that is being replaced answers nothing and is asked
    // again.
    async until(check, arg, what) {
        const end = Date.now() + WAIT_LIMIT;
        for (;;) {
            try {
                const value = await this.page.evaluate(check, arg);
                if (value) return value;
            } catch (e) {
                if (Date.now() > end) throw e;
            }
            if (Date.now() > end) throw new Error('the page never showed ' + what);
            await sleep(25);
        }
    }

    // Waits until the page is drawn and accepts touches, or shows the dialog.
    async settled() {
        await this.until(
            (lock) => window.Mrvmenu && (window.Mrvmenu.dialog || (window.Mrvmenu.published > 0 &&
                Date.now() - window.Mrvmenu.published >= lock)),
            MENU_LOCK, 'a page ready for touches');
    }

    async published() {
        return this.page.evaluate(() => window.Mrvmenu.published);
    }

    // Clicks the element of SELECTOR showing LABEL once it is there.
    async click(selector, label, last = false) {
        const at = await this.until(findInPage, { selector, label, last }, `"${label}" to touch`);
        await this.page.mouse.click(at.x, at.y);
    }

    // The page as the player reads it, without the debug block.
    async text() {
        const all = await this.page.evaluate(() => document.getElementById('content').innerText);
        return all.split('DEBUG INFORMATION:')[0].replace(/\s+$/, '');
    }

    async record() {
        const text = await this.text();
        this.transcript.push(text);
        return text;
    }

    async dialogShown() {
        return this.page.evaluate(() => {
            const d = document.getElementById('mdlg');
            return d.getClientRects().length > 0 && getComputedStyle(d).visibility !== 'hidden';
        });
    }

    // Touches a word; returns the labels of the menu it opened (none when
    // the word acted at once).
    async touch(label) {
        await this.settled();
        const before = await this.published();
        await this.click('ul.mrvmenu > li > span', label);
        await sleep(80);
        const items = await this.page.evaluate(menuLabels, 'mrvpop');
        if (items === null) {
            await this.afterAction(before);
            return [];
        }
        return items;
    }

    // Opens the sub-menu of an item; returns its labels.
    async open(label) {
        await this.click('li.mrvitem', label, true);
        return this.until(menuLabels, 'mrvsub', 'a sub-menu');
    }

    // Chooses a final item of the open menu.
    async pick(label) {
        const before = await this.published();
        await this.click('li.mrvitem', label, true);
        await this.afterAction(before);
    }

    async afterAction(before) {
        await this.until((b) => window.Mrvmenu && (window.Mrvmenu.dialog || window.Mrvmenu.published !== b),
            before, 'the answer to an action');
        await this.settled();
    }

    // Touch WORD, choose VERB and, when given, the sub-item SUB.
    async act(word, verb, sub) {
        const items = await this.touch(word);
        if (!items.map((s) => s.trim()).includes(verb))
            throw new Error(`"${verb}" not in the menu of "${word}": ${JSON.stringify(items)}`);
        if (sub === undefined) {
            await this.pick(verb);
        } else {
            await this.open(verb);
            await this.pick(sub);
        }
    }

    // The dialog's text, recorded.
    async dialog() {
        await this.until(() => document.getElementById('mdlg').style.display === 'block', null, 'the dialog');
        const text = (await this.page.evaluate(() => document.getElementById('mdlgtext').innerText)).trim();
        this.transcript.push('[' + text + ']');
        return text;
    }

    // Presses the dialog button once its lock is over; waits for the next
    // screen, the next page, or the page of the address the dialog opens.
    async next() {
        await sleep(BUTTON_LOCK);
        const before = await this.published();
        await this.click('#mdlgbutton', null);
        await this.until(
            (b) => window.Mrvmenu && ((window.Mrvmenu.dialog && document.getElementById('mdlg').style.display === 'block') ||
                window.Mrvmenu.published !== b),
            before, 'what the dialog button leads to');
        await this.settled();
    }

    // Reads every screen of the dialog and closes it; returns the screens.
    async dialogScreens() {
        const screens = [];
        for (;;) {
            screens.push(await this.dialog());
            await this.next();
            if (!(await this.dialogShown())) return screens;
        }
    }
}

module.exports = { Game, findInPage };
