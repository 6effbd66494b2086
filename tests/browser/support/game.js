'use strict';
// Plays a game page as a player does: touches words by their visible text,
// chooses menu items, reads and closes the dialog. Every text the player
// sees is written into a transcript, so that two pages can be compared.
const { seededRandom } = require('./browser');

// The engine ignores touches for 400 ms after publishing a page, and the
// dialog button for 500 ms after showing it.
const MENU_LOCK = 420;
const BUTTON_LOCK = 520;

function exact(text) {
    return new RegExp('^\\s*' + text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&') + '\\s*$');
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

    static async open(context, url) {
        const page = await context.newPage();
        await page.addInitScript(seededRandom);
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

    // Waits until the page is drawn and accepts touches, or shows the dialog.
    async settled() {
        await this.page.waitForFunction(
            (lock) => window.Mrvmenu && (window.Mrvmenu.dialog || (window.Mrvmenu.published > 0 &&
                Date.now() - window.Mrvmenu.published >= lock)),
            MENU_LOCK);
    }

    // The page as the player reads it, without the debug block.
    async text() {
        const all = await this.page.locator('#content').innerText();
        return all.split('DEBUG INFORMATION:')[0].replace(/\s+$/, '');
    }

    async record() {
        const text = await this.text();
        this.transcript.push(text);
        return text;
    }

    async dialogShown() {
        return this.page.locator('#mdlg').isVisible();
    }

    word(label) {
        return this.page.locator('ul.mrvmenu > li > span').filter({ hasText: exact(label) }).first();
    }

    item(label) {
        return this.page.locator('li.mrvitem').filter({ hasText: exact(label) }).last();
    }

    // Touches a word; returns the labels of the menu it opened (none when
    // the word acted at once).
    async touch(label) {
        await this.settled();
        const before = await this.page.evaluate(() => window.Mrvmenu.published);
        await this.word(label).click();
        await this.page.waitForTimeout(80);
        const menu = await this.page.locator('ul.mrvpop').count();
        if (menu === 0) {
            await this.afterAction(before);
            return [];
        }
        return this.page.locator('ul.mrvpop').last().locator(':scope > li.mrvitem').allInnerTexts();
    }

    // Opens the sub-menu of an item; returns its labels.
    async open(label) {
        await this.item(label).click();
        return this.page.locator('ul.mrvsub').last().locator(':scope > li.mrvitem').allInnerTexts();
    }

    // Chooses a final item of the open menu.
    async pick(label) {
        const before = await this.page.evaluate(() => window.Mrvmenu.published);
        await this.item(label).click();
        await this.afterAction(before);
    }

    async afterAction(before) {
        await this.page.waitForFunction(
            (b) => window.Mrvmenu.dialog || window.Mrvmenu.published !== b, before);
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
        await this.page.locator('#mdlg').waitFor({ state: 'visible' });
        const text = (await this.page.locator('#mdlgtext').innerText()).trim();
        this.transcript.push('[' + text + ']');
        return text;
    }

    // Presses the dialog button once its lock is over.
    async next() {
        await this.page.waitForTimeout(BUTTON_LOCK);
        const before = await this.page.evaluate(() => window.Mrvmenu.published);
        await this.page.locator('#mdlgbutton').click();
        await this.page.waitForFunction(
            (b) => (window.Mrvmenu.dialog && document.getElementById('mdlg').style.display === 'block') ||
                window.Mrvmenu.published !== b,
            before);
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

module.exports = { Game };
