'use strict';
// Debian's Chromium driven by playwright-core: one fresh profile per browser,
// so every game starts without saved records.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { chromium } = require('playwright-core');

// Without these flags Chromium keeps trying to reach a network this machine
// does not have.
const FLAGS = [
    '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

async function launchBrowser() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quenlo-chromium-'));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: process.env.QUENLO_CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: FLAGS,
        viewport: { width: 1000, height: 800 },
    });
    return {
        context,
        async close() {
            await context.close();
            fs.rmSync(profile, { recursive: true, force: true });
        },
    };
}

// The same random numbers in every page, so that a debug page and a release
// page choose the same alternatives and can be compared text for text.
function seededRandom() {
    let state = 20240601;
    Math.random = () => {
        state = (state * 1103515245 + 12345) % 2147483648;
        return state / 2147483648;
    };
}

module.exports = { launchBrowser, seededRandom };
