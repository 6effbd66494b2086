'use strict';
// A build succeeds exactly when the page's script loads: a corpus of valid
// and broken actions, each built into the sample adventure. A valid one must
// build, and its debug and release pages load in Chromium without a script
// error; a broken one must fail its build, and Chromium's own parser must
// reject the same code in the function the runtime runs it in.
const { describe, test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { launchBrowser } = require('./support/browser');
const { cli, newProject, fileUrl } = require('./support/project');
const { Game } = require('./support/game');

const VALID = {
    'object literals': 'var conf = {a: 1, b: {c: [2, {d: 3}]}}; if (conf.b.c[1].d !== 3) f_lose();',
    'a brace in a text': 'if (f_action("_baule_", "apri")) { f_show("una } graffa {"); return true; }',
    'a template literal': 'if (f_action("_baule_", "apri")) { f_show(`somma ${1 + 2}`); return true; }',
    'a regular expression with braces': 'var r = /a{2}\\}/; if (r.test("x")) f_lose();',
    'arrow functions, let and const': 'const doppio = (x) => { return x * 2; }; let d = doppio(2);',
    'optional chaining and ??': 'const nulla = null; let v = nulla?.x ?? 3;',
};

const BROKEN = {
    'a missing }': 'if (f_action("_baule_", "apri")) {\r\n  f_show("Non si apre.");\r\n  return true;\r\n',
    'a missing )': 'if (f_action("_baule_", "apri") {\r\n  return true;\r\n}\r\n',
    'an unclosed text': 'if (f_action("_baule_", "apri")) { f_show("Non si apre.); return true; }',
    'a missing name': 'var = 1;',
    'an unclosed parenthesis': 'f_show((1 + 2);',
};

// Builds the sample with ACTION at the end of its actions: the status and log.
function build(action) {
    const folder = newProject('quenlo-scripts-');
    const file = path.join(folder, 'actions.qna');
    fs.writeFileSync(file, fs.readFileSync(file, 'utf8') + '\r\n' + action + '\r\n');
    try {
        const log = execFileSync(cli(), ['build', '--release', folder],
            { encoding: 'utf8', env: { ...process.env, NO_COLOR: '1' }, stdio: ['ignore', 'pipe', 'pipe'] });
        return { ok: true, log, folder };
    } catch (failure) {
        return { ok: false, log: String(failure.stdout), folder };
    }
}

let browser;
let blank;
before(async () => {
    browser = await launchBrowser();
    blank = await browser.context.newPage();
});
after(async () => browser && browser.close());

// Whether Chromium parses CODE as the body of a function, as the runtime's
// f_getactions holds the actions.
function chromiumParses(code) {
    return blank.evaluate((body) => {
        try {
            new Function(body.replace(/"/g, '\''));  // the build makes double quotes single
            return true;
        } catch (e) {
            return !(e instanceof SyntaxError);
        }
    }, code);
}

describe('valid scripts build and load', () => {
    for (const [name, action] of Object.entries(VALID)) {
        test(name, async () => {
            const built = build(action);
            assert.ok(built.ok, built.log);
            assert.ok(await chromiumParses(action));
            for (const page of fs.readdirSync(built.folder).filter((f) => f.endsWith('.html'))) {
                const game = await Game.open(browser.context, fileUrl(path.join(built.folder, page)));
                assert.deepEqual(game.errors, [], page);
                await game.page.close();
            }
        });
    }
});

describe('broken scripts fail their build at the author\'s line', () => {
    for (const [name, action] of Object.entries(BROKEN)) {
        test(name, async () => {
            const built = build(action);
            assert.ok(!built.ok, 'the build succeeded:\n' + built.log);
            assert.match(built.log, /^Error: (Script error: |unclosed double-quoted text)/m);
            assert.match(built.log, /actions\.qna:\d+(:\d+)?: error: /);
            assert.ok(!(await chromiumParses(action)), 'Chromium parses it');
            assert.deepEqual(fs.readdirSync(built.folder).filter((f) => f.endsWith('.html')), []);
        });
    }
});
