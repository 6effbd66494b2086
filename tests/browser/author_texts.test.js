'use strict';
// Characters that mean something to JavaScript or HTML, typed into every kind
// of author text of a new project: both pages must run and show each text as
// the author wrote it.
const { describe, test, before } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { launchBrowser } = require('./support/browser');
const { newProject, quenlo, fileUrl } = require('./support/project');
const { Game } = require('./support/game');

// Tabs at the start, in the middle and at the end; "^" is a line break.
const TEXT = '\tInizio \\ \' " < > & ^ § ° { } mezzo\tfine \\\t';
const BEFORE_BREAK = 'Inizio \\ \' " < > &';
const AFTER_BREAK = '§ ° { } mezzo fine \\';
// Rooms and messages give "{" and "§" meanings of their own.
const ROOM_TEXT = '\tStanza \\ \' " < > & ° mezzo\tfine \\\t';
const ROOM_SHOWN = 'Stanza \\ \' " < > & ° mezzo fine \\';
const VERB = 'Menu \\ \' " < > & § ° { } fine \\';
const TITLE = 'Il faro_spento C:\\ <x> & \'y\'';
// An action's code with an object literal, a template literal, and braces
// and quotes in its texts, strings and comments.
const SCRIPT_ACTION = 'if (f_action("_mantello_", "conta")) {\r\n' +
    '  var n = {a: {b: 2}}; // "un commento }\r\n' +
    '  f_show(`Somma ${n.a.b + 1}: {una} graffa ` + "e } \'\'due\'\'" + \' e "tre"\');\r\n' +
    '  return true;\r\n}\r\n';
const SCRIPT_SHOWN = 'Somma 3: {una} graffa e } "due" e "tre"';

function edit(folder, file, change) {
    const name = path.join(folder, file);
    fs.writeFileSync(name, change(fs.readFileSync(name, 'utf8')));
}

function writeProject() {
    const folder = newProject('quenlo-texts-');
    const append = (text) => (old) => old.replace(/\s*$/, '\r\n') + text;
    // The help ends in a backslash, without a line break after it.
    edit(folder, 'help.qni', append(TEXT + '\r\nPremi C:\\'));
    for (const file of ['intro.qni', 'success.qni', 'fail.qni']) edit(folder, file, append(TEXT + '\r\n'));
    edit(folder, 'messages.qnr', (old) => old
        .replace(/\{01\}\r?\n[^\r\n]*/, '{01}\r\n' + TITLE)
        .replace('Non porti niente con te.', 'Non porti niente con te.\r\n' + ROOM_TEXT)
        .replace(/\{50\}\r?\n[^\r\n]*/, '{50}\r\nok_1'));
    edit(folder, 'rooms.qnr', (old) => old.replace('dà sul giardino.', 'dà sul giardino.\r\n' + ROOM_TEXT));
    edit(folder, 'objects.qno', (old) => old.replace(
        'Un pesante mantello da marinaio. Ti terrebbe al caldo.',
        'Un pesante mantello da marinaio. Ti terrebbe al caldo.\r\n' + TEXT).replace(
        ':weight.worn: 5\r\n:examinable wearable',
        ':weight.worn: 5\r\n:examinable wearable\r\n:menu:\r\n++"vinci";\r\n++"perdi";\r\n' +
        '++"leggi";\r\n++"conta";\r\n++"' + VERB + '";'));
    edit(folder, 'actions.qna', (old) =>
        'if (f_action("_mantello_", "vinci")) { f_win(); return true; }\r\n' +
        'if (f_action("_mantello_", "perdi")) { f_lose(); return true; }\r\n' +
        'if (f_action("_mantello_", "leggi")) { f_show("Etichetta: C:\\"); return true; }\r\n' +
        SCRIPT_ACTION + old);
    return folder;
}

function includes(text, part) {
    assert.ok(text.includes(part), `expected ${JSON.stringify(part)} in:\n${text}`);
}

function includesText(text) {
    includes(text, BEFORE_BREAK);
    includes(text, AFTER_BREAK);
}

// Cover, introduction and the start room.
async function start(context, url) {
    const game = await Game.open(context, url);
    assert.equal(await game.page.title(), TITLE);
    await game.touch("Inizia l'avventura");
    for (let screen = 0; screen < 6; screen++) {
        const text = await game.text();
        if (text.includes('Sei in una stanza buia')) return game;
        if (text.includes('Inizio')) includes(text, BEFORE_BREAK);
        if (text.includes('° { } mezzo')) includes(text, '° { } mezzo fine \\');
        await game.touch('Continua');
    }
    throw new Error('the introduction never reached the start room');
}

// Every text of the project, in the order a player meets them.
async function play(context, url) {
    const game = await start(context, url);

    let text = await game.text();
    includes(text, ROOM_SHOWN);  // room text and message 40
    assert.equal(text.split(ROOM_SHOWN).length, 3, text);

    await game.touch('aiuto');
    text = await game.text();
    includesText(text);
    assert.match(text, /Premi C:\\\s*$/m);
    await game.touch('Torna al gioco');

    await game.act('un mantello di lana', 'esamina');
    // "§" divides a dialog into screens.
    const screens = (await game.dialogScreens()).join('\n');
    includes(screens, BEFORE_BREAK);
    includes(screens, '° { } mezzo fine \\');

    const verbs = (await game.touch('un mantello di lana')).map((s) => s.trim());
    assert.ok(verbs.includes(VERB), JSON.stringify(verbs));
    await game.pick('leggi');
    assert.equal(await game.dialog(), 'Etichetta: C:\\');
    await game.next();
    await game.act('un mantello di lana', 'conta');
    assert.equal(await game.dialog(), SCRIPT_SHOWN);
    await game.next();

    await game.act('un mantello di lana', 'perdi');
    includesText(await game.text());
    await game.touch("Annulla l'ultima mossa");

    await game.act('un mantello di lana', 'vinci');
    includesText(await game.text());

    assert.deepEqual(game.errors, []);
    await game.page.close();
}

describe('author texts with quotes, backslashes and markup', () => {
    let pages;

    before(() => {
        const folder = writeProject();
        quenlo(['build', '--release', folder]);
        // Message 50 "ok_1" names the pages.
        pages = { debug: path.join(folder, 'ok_1_debug.html'), release: path.join(folder, 'ok_1.html') };
    });

    for (const kind of ['debug', 'release']) {
        test(`${kind} page runs and shows every text as written`, async () => {
            const browser = await launchBrowser();
            try {
                await play(browser.context, fileUrl(pages[kind]));
            } finally {
                await browser.close();
            }
        });
    }
});
