'use strict';
// How long the live preview takes to show a saved change: the largest project
// (quenlo_write_large_project) served by `quenlo-cli serve` and open in
// Debian's Chromium in its start room; each round saves rooms.qnr with a new
// text for that room and times until the open page shows it. The time holds
// the watcher's 150 ms wait for more saves, the build, the event and the
// page's update (in place, or a reload). Prints each round and the median.
//
//   node bench/preview_latency.js [BUILD_DIR] [ROUNDS]
//
// BUILD_DIR (default build) holds src/cli/quenlo-cli and
// bench/quenlo_write_large_project; playwright-core comes from
// tests/browser/node_modules (tests/browser/run.sh installs it).
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync } = require('node:child_process');

const repository = path.resolve(__dirname, '..');
const build = path.resolve(process.argv[2] || path.join(repository, 'build'));
const rounds = Number(process.argv[3] || 9);
process.env.QUENLO_CLI = path.join(build, 'src', 'cli', 'quenlo-cli');
const { launchBrowser } = require(path.join(repository, 'tests', 'browser', 'support', 'browser'));
const { startPreview } = require(path.join(repository, 'tests', 'browser', 'support', 'preview'));

const ROOM_TEXT = 'Sei nella stanza numero 1, versione ';

function sleep(ms) {
    return new Promise((resolve) => setTimeout(resolve, ms));
}

// Polls the page, through reloads, until its text holds `marker`.
async function shown(page, marker) {
    for (;;) {
        try {
            const found = await page.evaluate((m) => {
                const content = document.getElementById('content');
                return content !== null && content.textContent.includes(m);
            }, marker);
            if (found) return;
        } catch (e) {
            // The page is being reloaded.
        }
        await sleep(10);
    }
}

async function main() {
    const folder = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'quenlo-preview-bench-')), 'grande');
    execFileSync(path.join(build, 'bench', 'quenlo_write_large_project'), [folder]);
    const rooms = path.join(folder, 'rooms.qnr');
    const original = fs.readFileSync(rooms, 'latin1');
    const preview = await startPreview(folder);
    const browser = await launchBrowser();
    const times = [];
    try {
        const page = await browser.context.newPage();
        await page.goto(preview.url);
        await page.waitForFunction(() => window.Mrvmenu && window.Mrvmenu.published > 0);
        // Into the start room: the cover's first word, then the introduction's.
        await page.evaluate(() => {
            for (let k = 0; k < 50 && !document.querySelector('.bar'); k++)
                f_processaction(document.querySelector('#content ul.mrvmenu').id);
        });
        await shown(page, ROOM_TEXT);
        for (let round = 1; round <= rounds; round++) {
            const marker = `(modifica ${round}) `;
            const changed = original.split(ROOM_TEXT).join(ROOM_TEXT + marker);
            await sleep(500);
            const start = process.hrtime.bigint();
            const saved = Date.now();
            fs.writeFileSync(rooms, changed, 'latin1');
            await shown(page, marker);
            const ms = Number(process.hrtime.bigint() - start) / 1e6;
            times.push(ms);
            // When a reloaded page began, by the same clock as the save; a
            // page mended in place keeps the start of the first load.
            const began = await page.evaluate(() => performance.timeOrigin);
            const how = began > saved ? `reload began after ${(began - saved).toFixed(0)} ms` : 'mended in place';
            console.log(`round ${round}: ${ms.toFixed(0)} ms (${how})`);
        }
    } finally {
        await browser.close();
        await preview.stop();
        fs.rmSync(path.dirname(folder), { recursive: true, force: true });
    }
    const sorted = [...times].sort((a, b) => a - b);
    console.log(`saved text shown in the page: median ${sorted[Math.floor(sorted.length / 2)].toFixed(0)} ms ` +
        `(min ${sorted[0].toFixed(0)}, max ${sorted[sorted.length - 1].toFixed(0)}) over ${rounds} saves`);
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
