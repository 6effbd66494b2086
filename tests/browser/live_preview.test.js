'use strict';
// The live preview as an author uses it: play to a room, change its text in
// rooms.qnr, and the open page shows the new text in the same room without a
// click, mended in place; a broken save shows the build's error over the
// page, which stays playable, and mending it updates the page; a change
// outside the page's script (its title) reloads it, in the same room. A
// misspelt name behind a verb throws while playing: serve prints where it is
// in actions.qna, and the panel shows the same.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { launchBrowser } = require('./support/browser');
const { newProject, artifactsFolder } = require('./support/project');
const { startPreview } = require('./support/preview');
const { Game } = require('./support/game');

let project;
let preview;
let browser;

before(async () => {
    project = newProject('quenlo-preview-');
    preview = await startPreview(project);
    browser = await launchBrowser();
});

after(async () => {
    if (browser) await browser.close();
    if (preview) assert.equal(await preview.stop(), 0);
});

function rooms() {
    return path.join(project, 'rooms.qnr');
}

function edit(from, to, file = rooms()) {
    const text = fs.readFileSync(file, 'utf8');
    assert.ok(text.includes(from), `"${from}" not in ${path.basename(file)}`);
    fs.writeFileSync(file, text.replace(from, to));
}

// A mark on the page's window, which a reload would take away.
function mark(page) {
    return page.evaluate(() => { window.quenloTestMark = true; });
}

function marked(page) {
    return page.evaluate(() => window.quenloTestMark === true);
}

const GARDEN = 'Sei in un piccolo giardino cintato da un muretto a secco. A nord un';
const BIG_GARDEN = 'Sei in un grande giardino fiorito, cintato da un muretto a secco. A nord un';

test('a saved room text shows in the open page, in the same room', async () => {
    const game = await Game.open(browser.context, preview.url);
    await game.touch("Inizia l'avventura");
    await game.touch('Continua');
    await game.touch('Continua');
    await game.act('porta', 'esci');
    assert.ok((await game.text()).includes('Sei in un piccolo giardino'));
    assert.equal(await game.page.evaluate(() => document.querySelector('script[data-build]').dataset.build), '1');

    await mark(game.page);
    edit(GARDEN, BIG_GARDEN);
    await game.page.waitForFunction(() => document.body.innerText.includes('grande giardino fiorito'),
        null, { timeout: 20000 });
    await game.settled();
    const text = await game.text();
    assert.ok(text.includes('Sei in un grande giardino fiorito'), text);
    assert.ok(text.includes('Qui vedi una lanterna a olio.'), text);
    assert.equal(await game.page.evaluate(() => document.querySelector('script[data-build]').dataset.build), '2');
    assert.ok(await marked(game.page), 'the page was reloaded, not mended in place');

    // A second start room: the build fails and says so over the page.
    edit('{2}\r\n_rGiardino_', '{*2}\r\n_rGiardino_');
    const panel = game.page.locator('#quenloPreviewError');
    await panel.waitFor({ state: 'visible', timeout: 20000 });
    assert.match(await panel.innerText(), /^Error: start room is not unique/);
    await game.page.screenshot({ path: path.join(artifactsFolder(), 'preview-error.png') });
    // The game under it is still played.
    await game.act('una lanterna a olio', 'prendi');
    assert.ok((await game.text()).includes('Porti con te una lanterna a olio'));
    assert.ok(await panel.isVisible());

    // A page opened now shows the error as well.
    const late = await Game.open(browser.context, preview.url);
    await late.page.locator('#quenloPreviewError').waitFor({ state: 'visible', timeout: 20000 });
    await late.page.close();

    // Mended: the page reloads, without the panel, in the same room and state.
    edit('{*2}\r\n_rGiardino_', '{2}\r\n_rGiardino_');
    await game.page.waitForFunction(() => document.querySelector('script[data-build]').dataset.build === '3',
        null, { timeout: 20000 });
    await game.settled();
    assert.equal(await panel.count(), 0);
    const mended = await game.text();
    assert.ok(mended.includes('Sei in un grande giardino fiorito'), mended);
    assert.ok(mended.includes('Porti con te una lanterna a olio'), mended);
    assert.ok(await marked(game.page), 'the page was reloaded, not mended in place');

    // A new title is outside the script: the page reloads, the game goes on.
    edit('{01}\r\nIl faro spento', '{01}\r\nIl faro riacceso', path.join(project, 'messages.qnr'));
    await game.page.waitForFunction(() => document.title.includes('Il faro riacceso'), null, { timeout: 20000 });
    await game.settled();
    assert.equal(await marked(game.page), false);
    const reloaded = await game.text();
    assert.ok(reloaded.includes('Sei in un grande giardino fiorito'), reloaded);
    assert.ok(reloaded.includes('Porti con te una lanterna a olio'), reloaded);
    await game.act('una lanterna a olio', 'lascia');
    assert.ok((await game.text()).includes('Qui vedi una lanterna a olio.'));
    // The browser asks for /favicon.ico, a 404 like every path but the pages.
    assert.deepEqual(game.errors.filter((e) => !e.includes('status of 404')), []);
});

test('a script error behind a verb is told at its line of actions.qna, by serve and the panel', async () => {
    const broken = newProject('quenlo-preview-error-');
    const actions = path.join(broken, 'actions.qna');
    const planted = fs.readFileSync(actions, 'utf8').split('\n').length + 1;
    fs.appendFileSync(actions, 'if (f_action("_baule_", "esamina")) {\r\n  mrvLuce();\r\n  return true;\r\n}\r\n');
    const server = await startPreview(broken);
    // Cookies know no ports: the game of the test before would be resumed.
    await browser.context.clearCookies();
    try {
        const game = await Game.open(browser.context, server.url);
        await game.touch("Inizia l'avventura");
        await game.touch('Continua');
        await game.touch('Continua');
        assert.ok((await game.touch('baule')).map((s) => s.trim()).includes('esamina'));
        await game.click('li.mrvitem', 'esamina', true);
        const panel = game.page.locator('#quenloPreviewError');
        await panel.waitFor({ state: 'visible', timeout: 20000 });
        const shown = await panel.innerText();
        assert.deepEqual(shown.split('\n').slice(0, 2), [
            'Script error in the game: ReferenceError: mrvLuce is not defined',
            `${actions}:${planted}:3: error: ReferenceError: mrvLuce is not defined`,
        ]);
        assert.ok(shown.includes('The choice being processed: _baule_|esamina'), shown);
        for (let k = 0; k < 100 && !server.log().includes(shown); k++) await new Promise((r) => setTimeout(r, 50));
        assert.ok(server.log().includes(shown), server.log());

        // The same error again is shown, but told once.
        await game.page.keyboard.press('Escape');
        await game.touch('baule');
        await game.click('li.mrvitem', 'esamina', true);
        await new Promise((r) => setTimeout(r, 500));
        assert.equal(server.log().split('Script error in the game: ').length, 2);
        await game.page.close();
    } finally {
        assert.equal(await server.stop(), 0);
    }
});
