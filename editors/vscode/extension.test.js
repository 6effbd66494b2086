// The VS Code extension as a user installs it: its grammars on sample files,
// the .vsix that @vscode/vsce packs (it must carry the grammars and the
// language client), and the problem matcher on a real failed build's lines.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync, spawnSync } = require('node:child_process');

const here = __dirname;
const bin = (name) => path.join(here, 'node_modules', '.bin', name);
const manifest = JSON.parse(fs.readFileSync(path.join(here, 'package.json'), 'utf8'));

test('the grammars colour the sample files as their tests say', () => {
  const run = spawnSync(bin('vscode-tmgrammar-test'), ['tests/*.test.*'], { cwd: here, encoding: 'utf8' });
  assert.equal(run.status, 0, run.stdout + run.stderr);
  assert.equal((run.stdout.match(/run successfuly/g) || []).length, 6, run.stdout);
});

test('the .vsix carries the languages, grammars and language client', async () => {
  const out = fs.mkdtempSync(path.join(os.tmpdir(), 'quenlo-vsix-'));
  const vsix = path.join(out, 'quenlo.vsix');
  execFileSync(bin('vsce'), ['package', '--skip-license', '--allow-missing-repository', '--out', vsix],
    { cwd: here, stdio: ['ignore', 'ignore', 'inherit'] });
  const yauzl = require('yauzl');
  const names = await new Promise((resolve, reject) => {
    yauzl.open(vsix, { lazyEntries: true }, (error, zip) => {
      if (error) return reject(error);
      const found = [];
      zip.on('entry', (entry) => { found.push(entry.fileName); zip.readEntry(); });
      zip.on('end', () => resolve(found));
      zip.readEntry();
    });
  });
  fs.rmSync(out, { recursive: true, force: true });
  for (const grammar of manifest.contributes.grammars)
    assert.ok(names.includes(path.posix.join('extension', grammar.path)), grammar.path);
  assert.ok(names.includes('extension/extension.js'));
  assert.ok(names.includes('extension/language-configuration.json'));
  assert.ok(names.includes('extension/node_modules/vscode-languageclient/package.json'));
  assert.ok(!names.some((n) => n.startsWith('extension/tests/')), 'no tests inside');
});

test('the problem matcher reads the location lines of a failed build', () => {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quenlo-matcher-'));
  const project = path.join(work, 'progetto');
  execFileSync(process.env.QUENLO_CLI, ['new', project]);
  const rooms = path.join(project, 'rooms.qnr');
  fs.writeFileSync(rooms, fs.readFileSync(rooms, 'utf8').replace('{baule|_baule_}', '{baule|_bacno_}'));
  const build = spawnSync(process.env.QUENLO_CLI, ['build', project], { encoding: 'utf8' });
  const lines = fs.readFileSync(rooms, 'utf8').split(/\r\n|\n/);
  fs.rmSync(work, { recursive: true, force: true });
  assert.equal(build.status, 1);
  const matcher = manifest.contributes.problemMatchers[0].pattern;
  const found = build.stdout.split('\n').map((l) => new RegExp(matcher.regexp).exec(l)).filter(Boolean);
  const error = found.find((m) => m[matcher.message].includes('_bacno_'));
  assert.ok(error, build.stdout);
  assert.equal(error[matcher.file], rooms);
  assert.equal(error[matcher.severity], 'error');
  const line = lines[Number(error[matcher.line]) - 1];
  // Columns count characters: "c'è" before the name is three of them.
  assert.equal([...line].slice(Number(error[matcher.column]) - 1).join('').slice(0, 7), '_bacno_');
});
