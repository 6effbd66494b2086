// The KSyntaxHighlighting definition as Kate loads it, through Debian's
// kate-syntax-highlighter: each sample file's formats, traced by name, must
// match its golden output. QUENLO_UPDATE_GOLDEN=1 writes them anew.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync } = require('node:child_process');

const home = fs.mkdtempSync(path.join(os.tmpdir(), 'quenlo-kate-'));
const syntax = path.join(home, 'org.kde.syntax-highlighting', 'syntax');
fs.mkdirSync(syntax, { recursive: true });
fs.copyFileSync(path.join(__dirname, 'quenlo.xml'), path.join(syntax, 'quenlo.xml'));
test.after(() => fs.rmSync(home, { recursive: true, force: true }));

const highlight = (file) => execFileSync('kate-syntax-highlighter',
  ['-f', 'ansi256Colors', '--syntax-trace=format', '-b', file],
  { env: { ...process.env, XDG_DATA_HOME: home }, encoding: 'utf8' });

for (const name of fs.readdirSync(path.join(__dirname, 'samples'))) {
  test(`Kate highlights ${name} as its golden output shows`, () => {
    const out = highlight(path.join(__dirname, 'samples', name));
    assert.match(out, /Room|Object/, 'the Quenlo definition was used');
    const golden = path.join(__dirname, 'golden', `${name}.trace`);
    if (process.env.QUENLO_UPDATE_GOLDEN === '1') fs.writeFileSync(golden, out);
    assert.equal(out, fs.readFileSync(golden, 'utf8'));
  });
}
