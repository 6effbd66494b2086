'use strict';
// The map page of a project with a map: the picture shows the discovered
// rooms, hides the others under white, marks the player and joins
// discovered rooms.
const { describe, test, before } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { launchBrowser } = require('./support/browser');
const { newProject, buildProject, fileUrl, artifactsFolder } = require('./support/project');
const { Game } = require('./support/game');
const { addMap, AREAS, centre } = require('./support/maps');

let pages;

before(() => {
    const project = newProject('quenlo-maps-');
    addMap(project);
    pages = buildProject(project);
});

// The colour of the map canvas at a pixel.
function pixel(game, x, y) {
    return game.page.evaluate(([px, py]) => {
        const c = document.getElementById('mapcanvas').getContext('2d');
        return Array.from(c.getImageData(px, py, 1, 1).data);
    }, [x, y]);
}

async function openMap(game) {
    await game.touch('mappa');
    await game.page.waitForFunction(() => window.Mrvmenu.mapdrawn === true);
}

function isWhite(rgba) {
    return rgba[0] === 255 && rgba[1] === 255 && rgba[2] === 255;
}

function isReddish(rgba) {
    return rgba[0] > rgba[1] + 40 && rgba[0] > rgba[2] + 40;
}

describe('the map page', () => {
    for (const kind of ['debug', 'release']) {
        test(`draws discovered rooms, the player and connections in the ${kind} page`, async () => {
            const browser = await launchBrowser();
            try {
                const game = await Game.open(browser.context, fileUrl(pages[kind]));
                await game.touch("Inizia l'avventura");
                await game.touch('Continua');
                await game.touch('Continua');
                const room = await game.text();
                assert.ok(room.includes('mappa'), room);

                await openMap(game);
                const [r1, r2] = AREAS;
                // A corner cell of room 1 shows the picture (not white); room 2 is hidden.
                assert.ok(!isWhite(await pixel(game, r1[1] * 20 + 3, r1[2] * 20 + 3)));
                assert.ok(isWhite(await pixel(game, r2[1] * 20 + 10, r2[2] * 20 + 10)));
                // The player marker: red around the centre of room 1's connection point.
                const [cx, cy] = centre(r1);
                assert.ok(isReddish(await pixel(game, cx * 20 + 10 + 8, cy * 20 + 10)));
                // Outside every room nothing is masked: the parchment shows.
                assert.ok(!isWhite(await pixel(game, 5, 5)));
                await game.touch('Continua');
                assert.ok((await game.text()).includes('Sei in una stanza buia'));

                // Into the garden: both rooms are discovered and joined by a line.
                await game.act('porta', 'esci');
                await openMap(game);
                assert.ok(!isWhite(await pixel(game, r2[1] * 20 + 3, r2[2] * 20 + 3)));
                const [gx, gy] = centre(r2);
                const midX = Math.round(((cx + gx) / 2) * 20 + 10);
                const midY = Math.round(((cy + gy) / 2) * 20 + 10);
                assert.ok(isReddish(await pixel(game, midX, midY)), 'connection line');
                // Rooms 3 and 4 stay hidden, and so does their connection.
                assert.ok(isWhite(await pixel(game, AREAS[2][1] * 20 + 10, AREAS[2][2] * 20 + 10)));
                if (kind === 'debug')
                    await game.page.screenshot({ path: path.join(artifactsFolder(), 'map.png'), fullPage: true });
                assert.deepEqual(game.errors, []);
            } finally {
                await browser.close();
            }
        });
    }
});

// A PNG picture as the map, as "Import picture..." writes it: the page draws
// it like a GIF. Chromium makes the PNG from the example GIF.
describe('a PNG map picture', () => {
    test('is drawn on the map page', async () => {
        const browser = await launchBrowser();
        try {
            const project = newProject('quenlo-png-map-');
            addMap(project);
            const gif = fs.readFileSync(path.join(project, 'map_example.gif')).toString('base64');
            const maker = await browser.context.newPage();
            const png = await maker.evaluate(async (source) => {
                const picture = new Image();
                picture.src = source;
                await picture.decode();
                const canvas = document.createElement('canvas');
                canvas.width = picture.width;
                canvas.height = picture.height;
                canvas.getContext('2d').drawImage(picture, 0, 0);
                return canvas.toDataURL('image/png');
            }, 'data:image/gif;base64,' + gif);
            assert.ok(png.startsWith('data:image/png;base64,iVBORw0KGgo'));
            fs.writeFileSync(path.join(project, 'mapimage1.qn'), png + '\r\n');
            const built = buildProject(project);
            assert.ok(fs.readFileSync(built.debug, 'utf8').includes("'data:image/png;base64,iVBORw0KGgo"));

            const game = await Game.open(browser.context, fileUrl(built.debug));
            await game.touch("Inizia l'avventura");
            await game.touch('Continua');
            await game.touch('Continua');
            await openMap(game);
            // Without a picture the page would be white outside the rooms too.
            assert.ok(!isWhite(await pixel(game, 5, 5)));
            const r1 = AREAS[0];
            assert.ok(!isWhite(await pixel(game, r1[1] * 20 + 3, r1[2] * 20 + 3)));
            assert.deepEqual(game.errors, []);
        } finally {
            await browser.close();
        }
    });
});
