// The README's Neovim settings, as an author pastes them into init.lua: a
// headless Neovim opens a broken project's rooms file and must receive the
// server's diagnostic at the misspelt object, after the accented letter.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync, spawnSync } = require('node:child_process');

const readme = fs.readFileSync(path.join(__dirname, '..', '..', 'README.md'), 'utf8');
const settings = /### Neovim[\s\S]*?```lua\n([\s\S]*?)```/.exec(readme)[1];

test('a headless Neovim with the README settings receives a diagnostic', () => {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quenlo-nvim-'));
  const project = path.join(work, 'progetto');
  execFileSync(process.env.QUENLO_CLI, ['new', project]);
  const rooms = path.join(project, 'rooms.qnr');
  fs.writeFileSync(rooms, fs.readFileSync(rooms, 'utf8').replace('{baule|_baule_}', '{baule|_bauel_}'));
  const report = path.join(work, 'report.json');
  // Waits for the server's diagnostics, writes them down and quits.
  const check = `
    vim.wait(20000, function() return #vim.diagnostic.get(0) > 0 end, 50)
    local found = {}
    for _, d in ipairs(vim.diagnostic.get(0)) do
      table.insert(found, { line = d.lnum, col = d.col, message = d.message })
    end
    vim.fn.writefile({ vim.fn.json_encode(found) }, ${JSON.stringify(report)})
    vim.cmd('qall!')`;
  fs.writeFileSync(path.join(work, 'init.lua'), settings);
  fs.writeFileSync(path.join(work, 'check.lua'), check);
  const env = { ...process.env, PATH: `${path.dirname(process.env.QUENLO_CLI)}:${process.env.PATH}`,
    XDG_CONFIG_HOME: work, XDG_DATA_HOME: work, XDG_STATE_HOME: work, XDG_CACHE_HOME: work };
  const run = spawnSync('nvim', ['--headless', '-n', '-i', 'NONE', '-u', path.join(work, 'init.lua'),
    rooms, '-c', `luafile ${path.join(work, 'check.lua')}`], { env, encoding: 'utf8', timeout: 60000 });
  const text = fs.readFileSync(rooms, 'utf8').split(/\r\n|\n/);
  const found = fs.existsSync(report) ? JSON.parse(fs.readFileSync(report, 'utf8')) : [];
  fs.rmSync(work, { recursive: true, force: true });
  assert.equal(run.status, 0, run.stderr);
  const diagnostic = found.find((d) => d.message === 'missing objects specification: _bauel_');
  assert.ok(diagnostic, JSON.stringify(found));
  // Neovim counts bytes: "c'è" is four of them.
  const line = Buffer.from(text[diagnostic.line]);
  assert.equal(line.subarray(diagnostic.col, diagnostic.col + 7).toString(), '_bauel_');
});
