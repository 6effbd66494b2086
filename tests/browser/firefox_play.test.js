'use strict';
// The sample adventure played to its end in Firefox ESR, opened from disk and
// served by `quenlo-cli serve`, with its saves to a slot and to the page
// address.
const { describe, test, before, after } = require('node:test');
const { launchFirefox } = require('./support/firefox');
const { newProject, buildProject, fileUrl } = require('./support/project');
const { startPreview } = require('./support/preview');
const { playSample } = require('./support/sample_play');

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
});
