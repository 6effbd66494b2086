'use strict';
// The live preview as an author uses it: play to a room, change its text in
// rooms.qnr, and the open page shows the new text in the same room without a
// click, mended in place; a broken save shows the build's error over the
// page, which stays playable, and mending it updates the page; a change
// outside the page's script (its title) reloads it, in the same room.
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
