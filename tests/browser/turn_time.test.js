'use strict';
// How long one turn of the largest project takes in Chromium: 79 rooms and
// 288 objects, written by the benchmarks' project writer. The figure is
// reported (test diagnostics and build/test-artifacts/turn-time.txt), not
// asserted: timings belong to benchmarks, not to pass or fail.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { launchBrowser } = require('./support/browser');
const { quenlo, fileUrl, tempFolder, artifactsFolder } = require('./support/project');

// The turn function under its name in each page: the release page shortens
// it to its place in the renaming list.
const TURN = { debug: 'f_processaction', release: '_fu105' };

// Starts the game and measures turns inside the page: empty turns (the page
// drawn again) and actions, each the first item of a word's menu. A turn
// ends when the page has been laid out.
async function measure(page, turn) {
    return page.evaluate((name) => {
        const run = window[name];
        const first = () => document.querySelector('#content ul.mrvmenu').id;
        run(first());
        for (let k = 0; k < 5 && !document.querySelector('.bar'); k++) run(first());
        if (!document.querySelector('.bar')) return null;
        const actions = [];
        const words = Array.from(document.querySelectorAll('#content ul.mrvmenu')).filter((w) => !w.closest('.bar'));
        for (const word of words) {
            window.Mrvmenu.published = 0;
            window.Mrvmenu.dialog = false;
            word.querySelector('span').click();
            const item = document.querySelector('li.mrvitem');
            if (item && item.mrvitems.length === 0) actions.push(item.mrvaction);
            window.Mrvmenu.closeall();
        }
        const time = (action) => {
            const start = performance.now();
            run(action);
            void document.body.offsetHeight;
            return performance.now() - start;
        };
        const empty = [];
        const acting = [];
        for (let k = 0; k < 20; k++) empty.push(time(''));
        for (let k = 0; k < 20; k++) {
            acting.push(time(actions[k % actions.length]));
            run('');
        }
        return { empty, acting, actions: actions.length, text: document.getElementById('content').innerText.length };
    }, turn);
}

function summary(times) {
    const sorted = [...times].sort((a, b) => a - b);
    return { median: sorted[Math.floor(sorted.length / 2)], max: sorted[sorted.length - 1] };
}

test('one turn of the largest project', async (t) => {
    const generator = process.env.QUENLO_LARGE_PROJECT;
    if (!generator) {
        t.skip('quenlo_write_large_project was not built (benchmarks off)');
        return;
    }
    const folder = path.join(tempFolder('quenlo-large-'), 'grande');
    execFileSync(generator, [folder]);
    quenlo(['build', '--release', '--check-chars', folder]);
    const report = [];
    const browser = await launchBrowser();
    try {
        for (const kind of ['debug', 'release']) {
            const file = path.join(folder, kind === 'debug' ? 'grande_debug.html' : 'grande.html');
            const page = await browser.context.newPage();
            const errors = [];
            page.on('pageerror', (e) => errors.push(e.message));
            await page.goto(fileUrl(file));
            await page.waitForFunction(() => window.Mrvmenu && window.Mrvmenu.published > 0);
            const result = await measure(page, TURN[kind]);
            assert.ok(result, 'the game reached a room');
            assert.ok(result.actions > 0, 'the room offers actions');
            assert.deepEqual(errors, []);
            const empty = summary(result.empty);
            const acting = summary(result.acting);
            const line = `${kind} page: page drawn again median ${empty.median.toFixed(2)} ms (max ${empty.max.toFixed(2)} ms); ` +
                `action median ${acting.median.toFixed(2)} ms (max ${acting.max.toFixed(2)} ms)`;
            report.push(line);
            t.diagnostic(line);
            await page.close();
        }
    } finally {
        await browser.close();
    }
    fs.writeFileSync(path.join(artifactsFolder(), 'turn-time.txt'),
        'One turn of the large project (79 rooms, 288 objects) in Chromium:\n' + report.join('\n') + '\n');
});
