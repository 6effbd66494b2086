'use strict';
// A fresh `quenlo-cli new` project, built with every check on, played to its
// end in its debug page and in its release page, opened from disk and served
// on 127.0.0.1. Both pages must show the player the same texts.
const { describe, test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { launchBrowser } = require('./support/browser');
const { newProject, buildProject, fileUrl, serve, artifactsFolder } = require('./support/project');
const { playSample } = require('./support/sample_play');

let project;
let pages;
let server;
const transcripts = {};

before(async () => {
    project = newProject();
    pages = buildProject(project);
    server = await serve(project);
});

after(async () => {
    if (server) await server.close();
});

describe('the sample adventure', () => {
    for (const kind of ['debug', 'release']) {
        for (const where of ['file', 'http']) {
            test(`plays to its end in the ${kind} page opened from ${where === 'file' ? 'disk' : '127.0.0.1'}`, async () => {
                const browser = await launchBrowser();
                try {
                    const url = where === 'file' ? fileUrl(pages[kind]) : server.url(pages[kind]);
                    const shots = kind === 'debug' && where === 'file' ? artifactsFolder() : null;
                    transcripts[kind + where] = await playSample(browser.context, url, shots);
                } finally {
                    await browser.close();
                }
            });
        }
    }

    test('the release page shows the same texts as the debug page', () => {
        assert.ok(transcripts.debugfile && transcripts.releasefile, 'both pages were played');
        assert.deepEqual(transcripts.releasefile, transcripts.debugfile);
        assert.deepEqual(transcripts.releasehttp, transcripts.debughttp);
    });

    test('the release page source shows no sentence of the adventure', () => {
        const source = fs.readFileSync(pages.release, 'utf8');
        for (const sentence of ['Sei in una stanza buia', 'notte di tempesta', 'COME SI GIOCA',
            'Hai riacceso il faro', 'trovi una piccola chiave', 'Partita salvata', 'usa con',
            'mantello', 'Il faro spento</']) {
            assert.ok(!source.includes(sentence), sentence);
        }
        const debug = fs.readFileSync(pages.debug, 'utf8');
        assert.ok(debug.includes('Sei in una stanza buia'));
    });
});
