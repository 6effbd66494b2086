'use strict';
// Saved games that are not what the page wrote: truncated, tampered, of
// another adventure, with a wrong checksum, or addresses made up by hand.
// The page ignores them as empty slots, never throws, and never puts
// anything of them into the page.
const { describe, test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { launchBrowser } = require('./support/browser');
const { newProject, buildProject, fileUrl, serve } = require('./support/project');
const { Game } = require('./support/game');

const KEY = 'ilfarospento';
let pages;
let server;

before(async () => {
    pages = buildProject(newProject('quenlo-saves-'));
    server = await serve(require('node:path').dirname(pages.debug));
});

after(async () => {
    if (server) await server.close();
});

// Reads and writes a slot where the page keeps it: cookies when served,
// the local storage when opened from disk.
async function readSlot(game, slot) {
    return game.page.evaluate((name) => {
        if (location.protocol === 'file:') return localStorage.getItem(name);
        const found = document.cookie.split('; ').find((c) => c.startsWith(encodeURIComponent(name) + '='));
        return found ? decodeURIComponent(found.split('=')[1]) : null;
    }, KEY + '_stat' + slot);
}

async function writeSlot(game, slot, value) {
    await game.page.evaluate(([name, v]) => {
        if (location.protocol === 'file:') localStorage.setItem(name, v);
        else document.cookie = encodeURIComponent(name) + '=' + encodeURIComponent(v) + '; path=/';
    }, [KEY + '_stat' + slot, value]);
}

async function startGame(game) {
    await game.touch("Inizia l'avventura");
    await game.touch('Continua');
    await game.touch('Continua');
}

function withChecksum(fields) {
    const f = fields.slice(0, 689);
    let sum = 7;
    for (let k = 1; k < 689; k++) sum += Number(f[k]);
    f.push(String(sum % 253));
    return f;
}

const COVER = 'Una breve avventura per imparare a scrivere con Quenlo.';

describe('saved records', () => {
    for (const where of ['file', 'http']) {
        test(`a broken slot 0 shows the cover page (${where === 'file' ? 'local storage' : 'cookies'})`, async () => {
            const browser = await launchBrowser();
            try {
                const url = where === 'file' ? fileUrl(pages.debug) : server.url(pages.debug);
                const game = await Game.open(browser.context, url);
                assert.equal(await readSlot(game, 0), null);
                await startGame(game);
                const good = await readSlot(game, 0);
                const fields = good.split(',');
                assert.equal(fields.length, 690);
                assert.equal(fields[0], KEY);
                assert.equal(fields[1], '1');
                assert.ok((await game.text()).includes('Sei in una stanza buia'));

                const broken = {
                    'wrong checksum': fields.slice(0, 689).concat(String((Number(fields[689]) + 1) % 253)).join(','),
                    'tampered position': withChecksum(fields).map((v, k) => (k === 3 ? '5' : v)).join(','),
                    truncated: good.slice(0, good.length - 40),
                    'another adventure': ['altra'].concat(fields.slice(1)).join(','),
                    'no numbers': [KEY].concat(new Array(689).fill('<b>x</b>')).join(','),
                    'a room no game reaches': withChecksum(fields.map((v, k) => (k === 1 ? '12345' : v))).join(','),
                    'huge values': withChecksum(fields.map((v, k) => (k > 1 && k < 689 ? '99999999999' : v))).join(','),
                    empty: ',',
                };
                for (const [what, value] of Object.entries(broken)) {
                    await writeSlot(game, 0, value);
                    await game.reload();
                    assert.ok((await game.text()).includes(COVER), what);
                }
                // The sound record still loads.
                await writeSlot(game, 0, good);
                await game.reload();
                assert.ok((await game.text()).includes('Sei in una stanza buia'));
                assert.deepEqual(game.errors, []);
            } finally {
                await browser.close();
            }
        });
    }

    test('a record of another adventure in slot 1 does not load', async () => {
        const browser = await launchBrowser();
        try {
            const game = await Game.open(browser.context, fileUrl(pages.release));
            await startGame(game);
            const fields = (await readSlot(game, 0)).split(',');
            await writeSlot(game, 1, ['altra'].concat(fields.slice(1)).join(','));
            await game.act('porta', 'esci');
            await game.touch('carica');
            await game.pick('1# usato');
            // Nothing loaded: no dialog, and the player stays in the garden.
            assert.equal(await game.dialogShown(), false);
            assert.ok((await game.text()).includes('Sei in un piccolo giardino'));
            assert.deepEqual(game.errors, []);
        } finally {
            await browser.close();
        }
    });
});

describe('saved games in the page address', () => {
    const made = {
        letters: 'zz',
        'a run without its count': 'I',
        'a cut large value': 'X12',
        'an address of another length': '0303',
        'markup': '%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E',
        'a script': 'javascript:alert(1)',
        'upper-case digits': 'I2B1',
        'zeros for ever': 'Ifff'.repeat(40),
    };

    for (const kind of ['debug', 'release']) {
        test(`made-up addresses do not load in the ${kind} page`, async () => {
            const browser = await launchBrowser();
            try {
                const game = await Game.open(browser.context, fileUrl(pages[kind]));
                await startGame(game);
                await game.act('porta', 'esci');
                // A sound address, to be cut and tampered with.
                await game.touch('salva');
                const navigation = game.page.waitForURL(/\?P=/);
                await game.pick('4# URL');
                await game.dialog();
                await game.page.waitForTimeout(520);
                await game.page.locator('#mdlgbutton').click();
                await navigation;
                await game.settled();
                const sound = new URL(game.page.url()).searchParams.get('P');
                const base = fileUrl(pages[kind]);
                const cases = {
                    ...made,
                    'a cut address': sound.slice(0, sound.length - 3),
                    'a wrong checksum': sound.slice(0, -2) + (sound.slice(-2) === '02' ? '03' : '02'),
                };
                for (const [what, value] of Object.entries(cases)) {
                    await game.goto(base + '?P=' + value);
                    await game.act('stanza', 'entra');
                    const items = (await game.touch('carica')).map((s) => s.trim());
                    assert.deepEqual(items, ['1# vuoto', '2# vuoto', '3# vuoto', '4# URL'], what);
                    await game.pick('4# URL');
                    assert.equal(await game.dialogShown(), false, what);
                    const text = await game.text();
                    assert.ok(text.includes('Sei in una stanza buia'), what + '\n' + text);
                    assert.equal(await game.page.locator('#content img').count(), 0, what);
                    await game.act('porta', 'esci');
                }
                // Without a P parameter the load menu offers no address.
                await game.goto(base + '?Q=1&P=');
                const items = (await game.touch('carica')).map((s) => s.trim());
                assert.deepEqual(items, ['1# vuoto', '2# vuoto', '3# vuoto']);
                // The sound address still loads, among other parameters.
                await game.goto(base + '?x=1&P=' + sound + '#fine');
                await game.act('stanza', 'entra');
                await game.touch('carica');
                await game.pick('4# URL');
                assert.equal(await game.dialog(), 'Partita caricata.');
                await game.next();
                assert.ok((await game.text()).includes('Sei in un piccolo giardino'));
                assert.deepEqual(game.errors, []);
            } finally {
                await browser.close();
            }
        });
    }
});
