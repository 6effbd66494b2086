'use strict';
// The game page on phone screens, 320 x 480, 640 x 360 and 360 x 640: every
// menu and sub-menu item starts on the screen and is at least 40 pixels
// tall, a dialog of 1,000 characters can be read to its end and continued,
// and a double tap on a verb takes one turn, not two.
const { test, before } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { launchBrowser } = require('./support/browser');
const { newProject, buildProject, fileUrl } = require('./support/project');
const { Game, findInPage } = require('./support/game');

const LONG = ('Le lettere continuano lungo tutta la parete, fitte e storte, ' +
    'come se chi le ha incise avesse avuto molta fretta. ').repeat(9).trim();

let pages;

// The sample, with the writing on the wall long enough to fill a phone.
before(() => {
    const project = newProject('quenlo-phone-');
    const actions = path.join(project, 'actions.qna');
    fs.writeFileSync(actions, `if (f_action("_scrittaStanzaBuia_", "esamina")) {\r\n  f_show("${LONG}");\r\n` +
        '  return true;\r\n}\r\n' + fs.readFileSync(actions, 'latin1'), 'latin1');
    pages = buildProject(project);
});

// Where the items of the open menus are, and how tall.
function openItems(page) {
    return page.evaluate(() => Array.from(document.querySelectorAll('li.mrvitem'), (li) => {
        const r = li.getBoundingClientRect();
        return { label: li.firstChild.textContent.trim(), left: r.left, right: r.right, top: r.top, height: r.height,
            width: window.innerWidth, screen: window.innerHeight, subs: li.mrvitems.length };
    }));
}

function checkItems(items, where) {
    for (const i of items) {
        assert.ok(i.left >= 0 && i.right <= i.width && i.top >= 0 && i.top < i.screen,
            `"${i.label}" of ${where} starts off the screen: ${JSON.stringify(i)}`);
        assert.ok(i.height >= 40, `"${i.label}" of ${where} is ${i.height} px tall`);
    }
}

// Opens the menu of every word of the page and every sub-menu in it.
async function checkMenus(game) {
    const words = await game.page.evaluate(() => Array.from(
        document.querySelectorAll('#content [aria-haspopup]'), (w) => w.textContent.trim()));
    assert.ok(words.length >= 4, 'words with menus: ' + words);
    for (const word of words) {
        const top = await game.touch(word);
        const items = await openItems(game.page);
        checkItems(items, word);
        for (const item of items.filter((i) => i.subs > 0)) {
            await game.open(item.label);
            checkItems(await openItems(game.page), `${word} > ${item.label}`);
        }
        assert.ok(top.length > 0);
        await game.page.evaluate(() => window.Mrvmenu.closeall());
    }
}

async function moves(page) {
    return page.evaluate(() => window.g_var[window.g_variableids.indexOf('_vMOVES_')]);
}

for (const [width, height] of [[320, 480], [640, 360], [360, 640]]) {
    test(`the page plays on a ${width} x ${height} screen`, async () => {
        const browser = await launchBrowser();
        try {
            const game = await Game.open(browser.context, fileUrl(pages.debug));
            const page = game.page;
            await page.setViewportSize({ width, height });
            await game.touch("Inizia l'avventura");
            await game.touch('Continua');
            await game.touch('Continua');
            await checkMenus(game);

            // The long writing: its text scrolls within the screen, the
            // button stays on it.
            await game.act('scritta', 'esamina');
            assert.equal(await game.dialog(), LONG);
            const dialog = await page.evaluate(() => {
                const text = document.getElementById('mdlgtext');
                text.scrollTop = text.scrollHeight;
                const t = text.getBoundingClientRect();
                const b = document.getElementById('mdlgbutton').getBoundingClientRect();
                return { end: text.scrollTop + text.clientHeight - text.scrollHeight, textBottom: t.bottom,
                    top: b.top, bottom: b.bottom, screen: window.innerHeight };
            });
            assert.ok(dialog.end >= -1 && dialog.textBottom <= dialog.screen, JSON.stringify(dialog));
            assert.ok(dialog.top >= 0 && dialog.bottom <= dialog.screen, JSON.stringify(dialog));
            await game.next();
            assert.ok(!(await game.dialogShown()));

            // A double tap on a verb: the chest is examined once, so its key
            // is found and one move counted.
            const before = await moves(page);
            await game.touch('baule');
            const at = await page.evaluate(findInPage, { selector: 'li.mrvitem', label: 'esamina', last: true });
            await page.mouse.click(at.x, at.y);
            await page.waitForTimeout(30);
            await page.mouse.click(at.x, at.y);
            assert.match(await game.dialog(), /trovi una piccola chiave!$/);
            await page.waitForTimeout(300);
            assert.equal(await moves(page), before + 1);
            await game.next();
            await checkMenus(game);
            assert.deepEqual(game.errors, []);
        } finally {
            await browser.close();
        }
    });
}
