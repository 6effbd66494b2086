'use strict';
// The sample adventure played to its end in Firefox ESR, opened from disk and
// served by `quenlo-cli serve`, with its saves to a slot and to the page
// address, and from disk once more with the keyboard alone.
const { describe, test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { launchFirefox } = require('./support/firefox');
const { newProject, buildProject, fileUrl } = require('./support/project');
const { startPreview } = require('./support/preview');
const { playSample } = require('./support/sample_play');
const { playSampleByKeyboard, checkTabOrder } = require('./support/keyboard_play');

let project;
let pages;
let preview;

before(async () => {
    project = newProject('quenlo-firefox-game-');
    pages = buildProject(project);
    preview = await startPreview(project);
});

after(async () => {
    if (preview) await preview.stop();
});

describe('the sample adventure in Firefox', () => {
    for (const where of ['disk', 'the preview server']) {
        test(`plays to its end from ${where}`, async () => {
            const firefox = await launchFirefox();
            try {
                await playSample(firefox.context, where === 'disk' ? fileUrl(pages.debug) : preview.url);
            } finally {
                await firefox.close();
            }
        });
    }

    test('plays to its end from disk with the keyboard alone', async () => {
        const firefox = await launchFirefox();
        try {
            const page = await firefox.newPage();
            await page.goto(fileUrl(pages.debug));
            await page.waitForFunction(() => window.Mrvmenu && window.Mrvmenu.published > 0);
            // puppeteer-core presses one key at a time: Shift+Tab is held by hand.
            const keys = {
                evaluate: (fn, arg) => page.evaluate(fn, arg),
                keyboard: {
                    async press(key) {
                        if (key !== 'Shift+Tab') return page.keyboard.press(key);
                        await page.keyboard.down('Shift');
                        await page.keyboard.press('Tab');
                        await page.keyboard.up('Shift');
                    },
                },
            };
            await checkTabOrder(keys, 'Shift+Tab');
            await page.evaluate(() => document.getElementById('content').focus());
            assert.match(await playSampleByKeyboard(keys), /Hai riacceso il faro!/);
        } finally {
            await firefox.close();
        }
    });
});
