'use strict';
// `quenlo-cli serve` run as an author runs it: the live preview of a project
// folder, on a port of its own.
const { spawn } = require('node:child_process');
const { cli } = require('./project');

// Starts the server; resolves once it has printed its address.
function startPreview(folder, args = []) {
    const port = 20000 + Math.floor(Math.random() * 20000);
    const child = spawn(cli(), ['serve', '--port', String(port), ...args, folder], {
        env: { ...process.env, NO_COLOR: '1' },
        stdio: ['ignore', 'pipe', 'pipe'],
    });
    let output = '';
    const ended = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
    return new Promise((resolve, reject) => {
        const heard = (chunk) => {
            output += chunk;
            const found = /^Serving the debug page on (http:\/\/127\.0\.0\.1:\d+\/)$/m.exec(output);
            if (!found) return;
            child.stdout.off('data', heard);
            child.stdout.on('data', (more) => { output += more; });
            resolve({
                url: found[1],
                log: () => output,
                // Ctrl-C; resolves with the exit status.
                stop: () => {
                    child.kill('SIGINT');
                    return ended;
                },
            });
        };
        child.stdout.setEncoding('utf8');
        child.stdout.on('data', heard);
        child.stderr.on('data', (chunk) => { output += chunk; });
        ended.then((code) => reject(new Error(`serve ended with ${code}:\n${output}`)));
    });
}

module.exports = { startPreview };
