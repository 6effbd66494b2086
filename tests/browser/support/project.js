'use strict';
// Projects made and built by quenlo-cli, and a small web server for them.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const http = require('node:http');
const { execFileSync } = require('node:child_process');

const repository = path.resolve(__dirname, '..', '..', '..');

function cli() {
    const given = process.env.QUENLO_CLI;
    if (given) return given;
    return path.join(repository, 'build', 'src', 'cli', 'quenlo-cli');
}

// Where screenshots and measurements go.
function artifactsFolder() {
    const folder = process.env.QUENLO_ARTIFACTS || path.join(repository, 'build', 'test-artifacts');
    fs.mkdirSync(folder, { recursive: true });
    return folder;
}

function tempFolder(prefix) {
    return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

function quenlo(args) {
    return execFileSync(cli(), args, { encoding: 'utf8', env: { ...process.env, NO_COLOR: '1' } });
}

// A new project from the stored default, in a folder that does not exist yet.
function newProject(prefix = 'quenlo-project-') {
    const folder = path.join(tempFolder(prefix), 'progetto');
    quenlo(['new', folder]);
    return folder;
}

// Builds debug and release pages with every check on; returns their paths.
function buildProject(folder) {
    const log = quenlo(['build', '--release', '--check-chars', folder]);
    const debug = fs.readdirSync(folder).find((f) => f.endsWith('_debug.html'));
    if (!debug) throw new Error('no debug page written:\n' + log);
    const release = debug.slice(0, -'_debug.html'.length) + '.html';
    return { log, debug: path.join(folder, debug), release: path.join(folder, release) };
}

function fileUrl(file) {
    return 'file://' + file;
}

const types = { '.html': 'text/html; charset=utf-8', '.gif': 'image/gif' };

// Serves FOLDER on 127.0.0.1 at a free port; only files directly in it.
function serve(folder) {
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname).slice(1);
        const file = path.join(folder, path.basename(name));
        if (name === 'favicon.ico') {
            response.writeHead(204);
            response.end();
            return;
        }
        if (!name || name.includes('/') || !fs.existsSync(file)) {
            response.writeHead(404);
            response.end();
            return;
        }
        response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
        response.end(fs.readFileSync(file));
    });
    return new Promise((resolve) => {
        server.listen(0, '127.0.0.1', () => {
            const base = 'http://127.0.0.1:' + server.address().port + '/';
            resolve({
                url: (file) => base + encodeURIComponent(path.basename(file)),
                close: () => new Promise((done) => server.close(done)),
            });
        });
    });
}

module.exports = { cli, quenlo, newProject, buildProject, fileUrl, serve, artifactsFolder, tempFolder, repository };
