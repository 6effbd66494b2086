'use strict';
// With the mouse put away: a new project's sample adventure played from its
// cover to its success page with Tab, Enter, the arrows and Escape, in the
// debug page and in the release page; Tab and Shift+Tab go through the
// cover's words in reading order.
const { test, before } = require('node:test');
const assert = require('node:assert/strict');
const { launchBrowser } = require('./support/browser');
const { newProject, buildProject, fileUrl } = require('./support/project');
const { playSampleByKeyboard, checkTabOrder } = require('./support/keyboard_play');

let pages;

before(() => {
    pages = buildProject(newProject('quenlo-keyboard-'));
});

for (const kind of ['debug', 'release']) {
    test(`the sample adventure is played to its success page with the keyboard alone (${kind} page)`, async () => {
        const browser = await launchBrowser();
        try {
            const page = await browser.context.newPage();
            const errors = [];
            page.on('pageerror', (e) => errors.push(e.message));
            await page.goto(fileUrl(pages[kind]));
            await page.waitForFunction(() => window.Mrvmenu && window.Mrvmenu.published > 0);
            await checkTabOrder(page, 'Shift+Tab');
            await page.evaluate(() => document.getElementById('content').focus());
            const end = await playSampleByKeyboard(page);
            assert.match(end, /Hai riacceso il faro!/);
            assert.deepEqual(errors, []);
        } finally {
            await browser.close();
        }
    });
}
