'use strict';
// Every kind of page of a new project with a map, in its debug page and in
// its release page, audited by axe-core: the cover, a room, an open menu and
// sub-menu, a dialog, the help page, the map page and both endings must have
// no serious or critical violation, and say what a screen reader needs.
const { test, before } = require('node:test');
const assert = require('node:assert/strict');
const { launchBrowser } = require('./support/browser');
const { newProject, buildProject, fileUrl } = require('./support/project');
const { Game } = require('./support/game');
const { addMap } = require('./support/maps');

let pages;

before(() => {
    const project = newProject('quenlo-a11y-');
    addMap(project);
    pages = buildProject(project);
});

// The serious and critical violations of the page as it is now, one line
// each, with where they are.
async function audit(page, where) {
    if (!(await page.evaluate(() => typeof window.axe !== 'undefined')))
        await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
    const violations = await page.evaluate(async () => {
        const result = await window.axe.run(document, { resultTypes: ['violations'] });
        return result.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
            .map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
    });
    assert.deepEqual(violations, [], `violations on ${where}`);
}

function said(page) {
    return page.evaluate(() => document.getElementById('mrvsaid').textContent);
}

function attributes(page, selector, names) {
    return page.evaluate(([s, n]) => {
        const el = document.querySelector(s);
        return el ? n.map((a) => el.getAttribute(a)) : null;
    }, [selector, names]);
}

// The menu button or item LABEL as a screen reader meets it: its menu
// attributes and the roles of the menu it controls and of that menu's items.
function menuButton(page, label) {
    return page.evaluate((text) => {
        const el = Array.from(document.querySelectorAll('#content [aria-haspopup]'))
            .find((e) => e.firstChild && e.firstChild.textContent.trim() === text);
        if (!el) return null;
        const menu = document.getElementById(el.getAttribute('aria-controls'));
        return {
            role: el.getAttribute('role'),
            haspopup: el.getAttribute('aria-haspopup'),
            expanded: el.getAttribute('aria-expanded'),
            menu: menu && menu.getAttribute('role'),
            items: menu ? Array.from(menu.children, (i) => i.getAttribute('role')) : [],
        };
    }, label);
}

for (const kind of ['debug', 'release']) {
    test(`every page passes axe-core and speaks to screen readers (${kind} page)`, async () => {
        const browser = await launchBrowser();
        try {
            const game = await Game.open(browser.context, fileUrl(pages[kind]));
            const page = game.page;
            assert.equal(await page.evaluate(() => document.documentElement.lang), 'it');
            assert.equal(await page.evaluate(() => document.querySelector('#content img').alt), 'Il faro spento');
            await audit(page, 'the cover');

            await game.touch("Inizia l'avventura");
            await game.touch('Continua');
            await game.touch('Continua');
            assert.match(await said(page), /^Sei in una stanza buia e umida.*Qui vedi un mantello di lana\.$/);
            await audit(page, 'a room');

            assert.deepEqual(await menuButton(page, 'baule'),
                { role: 'button', haspopup: 'menu', expanded: 'false', menu: null, items: [] });
            await game.touch('baule');
            assert.deepEqual(await menuButton(page, 'baule'),
                { role: 'button', haspopup: 'menu', expanded: 'true', menu: 'menu', items: ['menuitem'] });
            await audit(page, 'an open menu');
            await game.pick('esamina');
            await game.dialog();
            assert.deepEqual(await attributes(page, '#mdlgbox', ['role', 'aria-modal', 'aria-describedby']),
                ['dialog', 'true', 'mdlgtext']);
            assert.equal(await page.evaluate(() => document.getElementById('content').inert), true);
            await audit(page, 'a dialog');
            await game.next();

            await game.act('una piccola chiave', 'prendi');
            await game.act('porta', 'esci');
            await game.touch('cancello');
            await game.open('scuoti');
            assert.deepEqual(await menuButton(page, 'scuoti'),
                { role: 'menuitem', haspopup: 'menu', expanded: 'true', menu: 'menu', items: ['menuitem', 'menuitem'] });
            await audit(page, 'an open sub-menu');
            await game.pick('piano');
            await game.dialog();
            await game.next();

            await game.touch('aiuto');
            await audit(page, 'the help page');
            await game.touch('Torna al gioco');

            await game.touch('mappa');
            await page.waitForFunction(() => window.Mrvmenu.mapdrawn === true);
            assert.deepEqual(await attributes(page, '#mapcanvas', ['role', 'aria-label']),
                ['img', 'mappa: Sei in un piccolo giardino cintato da un muretto a secco.']);
            assert.match(await said(page), /^mappa: Sei in un piccolo giardino/);
            await audit(page, 'the map page');
            await game.touch('Continua');

            await game.act('cancello', 'usa con', 'chiave');
            await game.next();
            await game.act('una lanterna a olio', 'prendi');
            await game.act('sentiero', 'vai');
            await game.act('faro', 'sali');
            await game.act('ringhiera', 'scavalca');
            await game.next();
            assert.equal(await page.evaluate(() => document.querySelector('#content img').alt), 'Hai perso...');
            await audit(page, 'the failure page');
            await game.touch("Annulla l'ultima mossa");

            await game.act('lampada', 'usa con', 'lanterna');
            await game.dialogScreens();
            assert.equal(await page.evaluate(() => document.querySelector('#content img').alt), 'Hai vinto!');
            await audit(page, 'the success page');
            assert.deepEqual(game.errors, []);
        } finally {
            await browser.close();
        }
    });
}
