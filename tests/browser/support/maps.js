'use strict';
// Turns a new project into one with a map: the example map picture as map 1,
// a grid that gives each of the four sample rooms the area of its drawn room
// and a connection point in the middle, and connections between them.
const fs = require('node:fs');
const path = require('node:path');

// Rooms of the example picture, in cells of 20 pixels: [room, x0, y0, x1, y1]
// (inclusive), as drawn by tools/pictures/make_pictures.py.
const AREAS = [
    [1, 3, 3, 9, 8],
    [2, 15, 3, 23, 9],
    [3, 3, 15, 10, 22],
    [4, 16, 16, 24, 26],
];

function centre(area) {
    return [Math.floor((area[1] + area[3]) / 2), Math.floor((area[2] + area[4]) / 2)];
}

// The grid as the map editor writes it: 840 fields of three digits, column
// after column, then CR LF.
function gridText() {
    const cells = new Array(28 * 30).fill(0);
    for (const area of AREAS) {
        for (let x = area[1]; x <= area[3]; x++)
            for (let y = area[2]; y <= area[4]; y++) cells[x + 28 * y] = area[0];
        const [cx, cy] = centre(area);
        cells[cx + 28 * cy] = area[0] + 100;
    }
    let text = '';
    for (let x = 0; x < 28; x++)
        for (let y = 0; y < 30; y++) text += String(cells[x + 28 * y]).padStart(3, '0');
    return text + '\r\n';
}

function addMap(folder) {
    const picture = fs.readFileSync(path.join(folder, 'map_example.gif')).toString('base64');
    fs.writeFileSync(path.join(folder, 'mapimage1.qn'), 'data:image/gif;base64,' + picture + '\r\n');
    fs.writeFileSync(path.join(folder, 'map1.qn'), gridText());
    fs.writeFileSync(path.join(folder, 'connections.qn'), '1,2\r\n2,3\r\n3,4\r\n');
}

module.exports = { addMap, AREAS, centre };
