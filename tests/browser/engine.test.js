'use strict';
// The runtime's functions as authors and generated code call them, tried in
// the sample project's pages.
const { describe, test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { launchBrowser } = require('./support/browser');
const { newProject, buildProject, fileUrl } = require('./support/project');
const { Game } = require('./support/game');

let pages;
let browser;
let game;

before(async () => {
    pages = buildProject(newProject('quenlo-engine-'));
    browser = await launchBrowser();
    game = await Game.open(browser.context, fileUrl(pages.debug));
    await game.touch("Inizia l'avventura");
});

after(async () => {
    if (browser) await browser.close();
});

const run = (f, arg) => game.page.evaluate(f, arg);

describe('the world', () => {
    test('the engine always holds 12 built-in objects, the compiled ones and fillers up to 300', async () => {
        const r = await run(() => {
            f_processaction('');
            return {
                count: o_id.length, first: o_id[0], twelfth: o_id[11], compiled: o_id[12],
                last: window.g_lastobject, filler: o_id[299], fillerEnabled: o_enabled[299],
                style: o_st[5], defaults: window.g_defaultobjnum,
            };
        });
        assert.deepEqual(r, {
            count: 300, first: '_mrvhelp_', twelfth: '_mrvcustcont_', compiled: '_scrittaStanzaBuia_',
            last: 12 + 16 - 1, filler: '_voidmrvobject299_', fillerEnabled: 0, style: 'I*', defaults: 12,
        });
    });

    test('f_addobj fills missing arguments with empty texts, 0 and style B', async () => {
        const r = await run(() => {
            const i = o_id.length;
            f_addobj('_prova_', 'breve');
            const got = [o_desc_long[i], o_room[i], o_st[i], o_weight[i], o_desc_next_talk[i]];
            f_processaction('');
            return got;
        });
        assert.deepEqual(r, ['', 0, 'B', 0, '']);
    });

    test('moves to unknown rooms or of unknown objects change nothing', async () => {
        const r = await run(() => {
            f_processaction('');
            const before = o_room.slice();
            f_move('_lanterna_', '_rNessuna_');
            f_move('_nessuno_', '_rGiardino_');
            f_moveplayer('_rNessuna_');
            const same = o_room.every((v, k) => v === before[k]);
            f_move('_lanterna_', '_rWORN_');
            const worn = [f_isworn('_lanterna_'), f_istaken('_lanterna_'), f_isin('_lanterna_', '_rTAKEN_'), f_whereis('_lanterna_')];
            f_swap('_lanterna_', '_mantello_');
            const swapped = [f_whereis('_lanterna_'), f_whereis('_mantello_')];
            f_processaction('');
            return { same, worn, swapped, unknown: [f_tag('_x_'), f_descshort('_x_'), f_isin('_x_', '_rOUT_'), f_whereis('_x_')] };
        });
        assert.deepEqual(r, {
            same: true,
            worn: [true, true, true, '_rWORN_'],
            swapped: ['_rStanzaBuia_', '_rWORN_'],
            unknown: [false, false, false, '_mrvxxx_'],
        });
    });

    test('the player is nowhere on the introduction', async () => {
        const r = await run(() => {
            const saved = window.g_room;
            window.g_room = 65002;
            const where = f_whereisplayer();
            window.g_room = saved;
            return where;
        });
        assert.equal(r, '_mrvxxx_');
    });
});

describe('actions', () => {
    test('f_action tells the two forms apart and ignores letter case', async () => {
        const r = await run(() => {
            const set = (a, v, b) => { window.g_obj1 = a; window.g_verb = v; window.g_obj2 = b; };
            const out = [];
            set('_cancello_', 'usa con', '_chiave_');
            out.push(f_action('_cancello_', 'usa con'), f_action('_chiave_', 'usa con', '_cancello_'),
                f_action('_CHIAVE_', 'Usa Con', '_Cancello_'), f_action('_chiave_', 'esamina', '_cancello_'));
            set('_cancello_', 'usa con', '');
            out.push(f_action('_cancello_', 'usa con'), f_action('_cancello_', 'usa con', '_chiave_'));
            set('', '', '');
            out.push(f_action('', ''));
            set('_cancello_', 'spingi', '');
            out.push(f_isobj1('_CANCELLO_'), f_isverb('spingi'), f_isobj2('_cancello_'), f_obj1(), f_verb(), f_obj2());
            return out;
        });
        assert.deepEqual(r, [false, true, true, false, true, false, false, true, true, false, '_cancello_', 'spingi', '']);
    });

    test('an action that nothing handles answers with message 33', async () => {
        await run(() => f_processaction('_scrittaStanzaBuia_|balla'));
        const text = await game.dialog();
        assert.ok(['Non succede niente.', 'Non funziona.', 'Non sembra una buona idea.'].includes(text), text);
        await game.next();
    });

    test('taking more than the weight limit is refused', async () => {
        const r = await run(() => {
            f_processaction('');
            const m = f_findObjectIndexById('_mantello_');
            o_weight[m] = 96;
            o_room[f_findObjectIndexById('_chiave_')] = -1;
            window.g_obj1 = '_mantello_';
            window.g_verb = f_take();
            window.g_obj2 = '';
            window.g_mex = '';
            const handled = f_default_actions();
            return [handled, window.g_mex, o_room[m], f_getcurrentweight()];
        });
        assert.deepEqual(r, [true, ' Porti gi&agrave; troppo peso.', 1, 5]);
        await run(() => f_processaction(''));
    });

    test('first-time texts remember their first use across turns and saved games', async () => {
        const r = await run(() => {
            f_processaction('');
            window.g_mex = '';
            f_show(0, 'prima', 'dopo');
            const first = window.g_mex;
            f_saveCookie(0);
            f_processaction('');
            f_loadCookie(0);
            f_show(0, 'prima', 'dopo');
            const later = window.g_mex;
            window.g_addtext = '';
            f_append(0, 'una', 'altra');
            f_append(0, 'una', 'altra');
            f_append('');
            return [first, later, window.g_addtext];
        });
        assert.deepEqual(r, [' prima', ' dopo', ' una altra']);
        await run(() => f_processaction(''));
    });

    test('every call number from 0 to 299 remembers its first text through a saved game', async () => {
        const r = await run(() => {
            const firsts = (kind) => {
                const out = [];
                for (let n = 0; n < 300; n++) {
                    window.g_mex = '';
                    window.g_addtext = '';
                    if (kind === 'show') f_show(n, 'prima', 'dopo'); else f_append(n, 'prima', 'dopo');
                    if ((kind === 'show' ? window.g_mex : window.g_addtext) === ' prima') out.push(n);
                }
                return out;
            };
            f_processaction('');
            o_ef.fill(0, 12);
            const fresh = [firsts('show'), firsts('append')];
            f_saveCookie(1);
            f_processaction('');
            const loaded = f_loadCookie(1);
            const after = [firsts('show'), firsts('append')];
            f_deleteCookie(1);
            return { fresh: fresh.map((a) => a.length), loaded, after };
        });
        assert.deepEqual(r.fresh, [300, 300]);
        assert.equal(r.loaded, true);
        assert.deepEqual(r.after, [[], []]);
        await run(() => f_processaction(''));
    });
});

describe('markers and texts', () => {
    test('markers become clickable words, plain text or !ERROR!', async () => {
        const r = await run(() => {
            f_processaction('');
            const id = f_findObjectIndexById('_lanterna_');
            const html = f_replace('@s_lanterna_ e @l_lanterna_ e @c_lanterna_@la luce@ e @s_nessuno_ e @c_nessuno_@x@ e @voidmrv');
            o_enabled[id] = 0;
            const plain = f_replace('@s_lanterna_');
            return { html, plain };
        });
        assert.equal(r.html, (
            "<ul class=\"mrvmenu\" id=\"_lanterna_\"><li><span class=\"siu\">lanterna</span></li></ul> e " +
            "<ul class=\"mrvmenu\" id=\"_lanterna_\"><li><span class=\"siu\">una lanterna a olio</span></li></ul> e " +
            "<ul class=\"mrvmenu\" id=\"_lanterna_\"><li><span class=\"siu\">la luce</span></li></ul> e !ERROR! e !ERROR! e @voidmrv"
        ).replace(/"/g, "'"));
        assert.equal(r.plain, '<span>lanterna</span>');
        await run(() => f_processaction(''));
    });

    test('random alternatives come from the text, and an empty text gives nothing', async () => {
        const r = await run(() => {
            const seen = new Set();
            for (let k = 0; k < 200; k++) seen.add(f_rndtxt('a|b|c'));
            return [Array.from(seen).sort(), f_rndtxt(''), f_gmes(0), f_getrandomint(3, 3)];
        });
        assert.deepEqual(r, [['a', 'b', 'c'], '', '', 3]);
    });

    test('the release page decodes letters outside tags and entities', async () => {
        const page = await browser.context.newPage();
        await page.goto(fileUrl(pages.release));
        const r = await page.evaluate(() => [
            _de('yda'), _de('Egym'), _de('cxy'), _de('YDZ'), _de('<d>&yio;yda 19!'), _de('Ykk&y'),
        ]);
        assert.deepEqual(r, ['abc', 'Ciao', 'eva', 'WFB', '<d>&yio;abc 19!', 'Wmm&y']);
        await page.close();
    });
});

describe('the record of a saved game', () => {
    test('variables outside 0 to 65533 are saved as 0, and runs of zeros shrink in the address', async () => {
        const r = await run(() => {
            f_processaction('');
            window.g_var[5] = 70000;
            window.g_var[6] = -1;
            window.g_var[7] = 300;
            const record = mrvRecord();
            const address = f_getsavedurlstring(record);
            return {
                length: record.length, v5: record[579 + 5], v6: record[579 + 6], v7: record[579 + 7],
                checksum: record[689] === f_getchecksum(record), address,
                hex: [f_decimalToHex(255, 2), f_decimalToHex(5, 3)],
            };
        });
        assert.equal(r.length, 690);
        assert.deepEqual([r.v5, r.v6, r.v7, r.checksum], [0, 0, 300, true]);
        assert.match(r.address, /^03[0-9a-f]{2}/);
        assert.ok(r.address.includes('X012e'), r.address);
        assert.ok(/I[0-9a-f]{3}/.test(r.address) && !r.address.includes('02020202'), r.address);
        assert.deepEqual(r.hex, ['ff', '005']);
        await run(() => f_processaction(''));
    });
});
