// quenlo-cli lsp driven as an editor drives it, over stdio, through every
// feature: on the sample adventure of a new project and on a broken copy of
// it, with positions on lines that hold accented letters before them.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const rpc = require('vscode-languageserver-protocol/node');
const { start } = require('./client');

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quenlo-lsp-'));
const sample = path.join(work, 'Il faro è spento');  // a blank and an accent in the address
const broken = path.join(work, 'broken');
execFileSync(process.env.QUENLO_CLI, ['new', sample]);
fs.cpSync(sample, broken, { recursive: true });
const edit = (file, from, to) => {
  const where = path.join(broken, file);
  const text = fs.readFileSync(where, 'utf8');
  assert.ok(text.includes(from), `${file} holds ${from}`);
  fs.writeFileSync(where, text.replace(from, to));
};
// A misspelt object after "c'è", a call that never closes its bracket, a misspelt flag.
edit('rooms.qnr', "c'è un vecchio {baule|_baule_}", "c'è un vecchio {baule|_bauel_}");
edit('actions.qna', 'if (f_action("_cancello_", "spingi")) {', 'if (f_action("_cancello_", "spingi") {');
edit('objects.qno', ':examinable takeable usable', ':examinable takable usable');
test.after(() => fs.rmSync(work, { recursive: true, force: true }));

// Position of the first `piece` in the lines, in UTF-16 code units (as JS counts).
function find(lines, piece, offset = 0) {
  const line = lines.findIndex((l) => l.includes(piece));
  assert.ok(line >= 0, `found ${piece}`);
  return { line, character: lines[line].indexOf(piece) + offset };
}
const labels = (list) => list.items.map((i) => i.label);

test('the broken copy: errors where they are, a quick fix, the script error', async () => {
  const c = await start(broken);
  assert.equal(c.init.capabilities.positionEncoding, 'utf-16');
  const rooms = await c.open('rooms.qnr');
  const missing = find(rooms, '_bauel_');
  assert.ok(rooms[missing.line].indexOf('è') < missing.character, 'an accent stands before it');
  const [error] = await c.diagnosticsOf('rooms.qnr', (l) => l.length > 0);
  assert.equal(error.message, 'missing objects specification: _bauel_');
  assert.equal(error.severity, 1);
  assert.deepEqual(error.range, { start: missing,
    end: { line: missing.line, character: missing.character + 7 } });
  const related = error.relatedInformation[0];
  assert.equal(related.message, 'did you mean _baule_?');
  assert.ok(related.location.uri.endsWith('/objects.qno'));

  const actions = await c.connection.sendRequest(rpc.CodeActionRequest.type, {
    textDocument: { uri: c.uri('rooms.qnr') }, range: error.range, context: { diagnostics: [error] },
  });
  assert.equal(actions.length, 1);
  assert.equal(actions[0].kind, 'quickfix');
  assert.deepEqual(actions[0].edit.changes[c.uri('rooms.qnr')],
    [{ range: error.range, newText: '_baule_' }]);

  // The flag's note has no place: its fix is found on the flag's line.
  const objects = fs.readFileSync(path.join(broken, 'objects.qno'), 'utf8').split(/\r\n|\n/);
  const flags = await c.diagnosticsOf('objects.qno', (l) => l.length > 0);
  const flag = flags.find((d) => d.message.startsWith('unknown object property: takable'));
  assert.ok(flag, JSON.stringify(flags));
  const [fixFlag] = await c.connection.sendRequest(rpc.CodeActionRequest.type, {
    textDocument: { uri: c.uri('objects.qno') }, range: flag.range, context: { diagnostics: [flag] },
  });
  assert.deepEqual(fixFlag.edit.changes[c.uri('objects.qno')][0], {
    newText: 'takeable', range: { start: find(objects, 'takable'),
      end: { line: find(objects, 'takable').line, character: find(objects, 'takable').character + 7 } } });

  // The script's error comes from the JavaScript parser, for a file not even open.
  const lines = fs.readFileSync(path.join(broken, 'actions.qna'), 'utf8').split(/\r\n|\n/);
  const script = await c.diagnosticsOf('actions.qna', (l) => l.some((d) => d.source === 'javascript'));
  const syntax = script.find((d) => d.source === 'javascript');
  assert.match(syntax.message, /^Script error: /);
  assert.equal(syntax.range.start.line, find(lines, 'f_action("_cancello_", "spingi") {').line);

  // Fixing the text in the editor, unsaved, clears the error: incremental sync.
  const started = Date.now();
  await c.connection.sendNotification(rpc.DidChangeTextDocumentNotification.type, {
    textDocument: { uri: c.uri('rooms.qnr'), version: 2 },
    contentChanges: [{ range: error.range, text: '_baule_' }],
  });
  await c.diagnosticsOf('rooms.qnr', (l) => l.length === 0);
  assert.ok(Date.now() - started < 3000, 'diagnostics follow the change within seconds');
  assert.match(fs.readFileSync(path.join(broken, 'rooms.qnr'), 'utf8'), /_bauel_/, 'disk untouched');

  // Bad input never ends the server.
  c.server.stdin.write('Content-Length: 9\r\n\r\n{not json');
  await assert.rejects(c.connection.sendRequest('quenlo/noSuchMethod', {}),
    (e) => e.code === rpc.ErrorCodes.MethodNotFound);
  await assert.rejects(c.connection.sendRequest(rpc.HoverRequest.type, { textDocument: {} }),
    (e) => e.code === rpc.ErrorCodes.InvalidParams);
  assert.ok(c.logged.some((m) => /Parse error/.test(m)), 'the malformed message got its error');
  await c.connection.sendRequest(rpc.ShutdownRequest.type);
  await c.connection.sendNotification(rpc.ExitNotification.type);
  assert.equal(await c.exited, 0);
});

test('the sample: completion, definition, references, rename, hover, symbols', async () => {
  const c = await start(sample);
  const rooms = await c.open('rooms.qnr');
  const actions = await c.open('actions.qna');
  const objects = await c.open('objects.qno');
  const clean = await c.diagnosticsOf('rooms.qnr');
  assert.deepEqual(clean.filter((d) => d.severity === 1), [], 'the sample has no error');
  const complete = (file, position) => c.connection.sendRequest(rpc.CompletionRequest.type,
    { textDocument: { uri: c.uri(file) }, position });

  // Objects in a link after "è", with their kind and short description.
  const link = find(rooms, "c'è un vecchio {baule|_baule_}", "c'è un vecchio {baule|_".length);
  const inLink = await complete('rooms.qnr', link);
  assert.ok(labels(inLink).includes('_baule_') && labels(inLink).includes('_lanterna_'));
  assert.ok(!labels(inLink).includes('_rGiardino_'), 'no rooms in a link');
  const lantern = inLink.items.find((i) => i.label === '_lanterna_');
  assert.equal(lantern.kind, rpc.CompletionItemKind.Class);
  assert.equal(lantern.detail, 'oggetto: lanterna');
  assert.deepEqual(lantern.textEdit.range.start, { line: link.line, character: link.character - 1 });

  // Rooms after f_moveplayer(, verbs inside f_action("_cancello_", ", functions with parameters.
  const end = actions.length - 1;  // the empty line after the last break
  const typed = 'f_moveplayer("_r\nif (f_action("_cancello_", "\nf_movep\n';
  await c.connection.sendNotification(rpc.DidChangeTextDocumentNotification.type, {
    textDocument: { uri: c.uri('actions.qna'), version: 2 },
    contentChanges: [{ range: { start: { line: end, character: 0 }, end: { line: end, character: 0 } },
      text: typed }],
  });
  const toRoom = await complete('actions.qna', { line: end, character: 'f_moveplayer("_r'.length });
  assert.ok(labels(toRoom).includes('_rGiardino_') && labels(toRoom).includes('_rOUT_'));
  assert.ok(!labels(toRoom).includes('_baule_'), 'no objects where a room goes');
  const verbs = await complete('actions.qna',
    { line: end + 1, character: 'if (f_action("_cancello_", "'.length });
  assert.ok(labels(verbs).includes('spingi') && labels(verbs).includes('scuoti'));
  const functions = await complete('actions.qna', { line: end + 2, character: 'f_movep'.length });
  const move = functions.items.find((i) => i.label === 'f_moveplayer');
  assert.equal(move.detail, 'f_moveplayer(stanza)');
  assert.match(move.documentation.value, /porta il giocatore in una stanza/);

  // Keys and flags at the start of an object line.
  const key = find(objects, ':desc.long: una lanterna a olio');
  const keys = await complete('objects.qno', { line: key.line, character: 2 });
  assert.ok(labels(keys).includes(':desc.short:') && labels(keys).includes(':menu:'));
  const flagLine = find(objects, ':examinable takeable usable');
  const first = await complete('objects.qno', { line: flagLine.line, character: 4 });
  assert.ok(labels(first).includes(':wearable') && labels(first).includes(':weight:'));
  const next = await complete('objects.qno', { line: flagLine.line, character: ':examinable t'.length });
  assert.ok(labels(next).includes('takeable') && !labels(next).includes(':weight:'));

  // Definition from a link, typed after "à" and not saved, to the object in another file.
  const typedLine = find(rooms, 'dà sul giardino.').line;
  await c.connection.sendNotification(rpc.DidChangeTextDocumentNotification.type, {
    textDocument: { uri: c.uri('rooms.qnr'), version: 2 },
    contentChanges: [{ range: { start: { line: typedLine, character: 0 }, end: { line: typedLine, character: 0 } },
      text: 'Là, già pronto, un altro {baule|_baule_}.\n' }],
  });
  rooms.splice(typedLine, 0, 'Là, già pronto, un altro {baule|_baule_}.');
  const baule = { line: typedLine, character: 'Là, già pronto, un altro {baule|_ba'.length };
  const definition = await c.connection.sendRequest(rpc.DefinitionRequest.type,
    { textDocument: { uri: c.uri('rooms.qnr') }, position: baule });
  assert.equal(definition.uri, c.uri('objects.qno'));
  assert.equal(objects[definition.range.start.line], '{_baule_}');

  // References and rename of a room, across files, in one edit.
  const garden = find(rooms, '_rGiardino_', 3);
  const references = await c.connection.sendRequest(rpc.ReferencesRequest.type, {
    textDocument: { uri: c.uri('rooms.qnr') }, position: garden, context: { includeDeclaration: true },
  });
  const files = new Set(references.map((r) => path.basename(new URL(r.uri).pathname)));
  assert.ok(files.has('rooms.qnr') && files.has('objects.qno'), [...files].join());
  const renamed = await c.connection.sendRequest(rpc.RenameRequest.type,
    { textDocument: { uri: c.uri('rooms.qnr') }, position: garden, newName: '_rOrto_' });
  const edits = Object.values(renamed.changes).flat();
  assert.equal(edits.length, references.length);
  assert.ok(edits.every((e) => e.newText === '_rOrto_' && e.range.end.character - e.range.start.character === 11));
  for (const [name, position] of [['_rOUT_', find(objects, ':room: _rOUT_', 8)],
    ['f_show', find(actions, 'f_show("Il cancello', 2)]]) {
    const file = name === '_rOUT_' ? 'objects.qno' : 'actions.qna';
    await assert.rejects(c.connection.sendRequest(rpc.RenameRequest.type,
      { textDocument: { uri: c.uri(file) }, position, newName: '_rAltro_' }),
    (e) => e.code === rpc.LSPErrorCodes.RequestFailed && e.message.includes(name), name);
  }

  // Hover: an object's descriptions and room, a variable's number and value, a function's line.
  const hover = async (file, position) => (await c.connection.sendRequest(rpc.HoverRequest.type,
    { textDocument: { uri: c.uri(file) }, position })).contents.value;
  const onLantern = await hover('objects.qno', find(objects, '{_lanterna_}', 3));
  assert.match(onLantern, /una lanterna a olio/);
  assert.match(onLantern, /_rGiardino_/);
  assert.match(await hover('rooms.qnr', find(rooms, '_vGIARDINO_', 2)), /numero 2, valore iniziale 1/);
  assert.match(await hover('rooms.qnr', find(rooms, '_rStanzaBuia_', 2)), /Sei in una stanza buia e umida/);

  // The outline of a file, and the project's symbols.
  const outline = await c.connection.sendRequest(rpc.DocumentSymbolRequest.type,
    { textDocument: { uri: c.uri('rooms.qnr') } });
  const dark = outline.find((s) => s.name === '_rStanzaBuia_');
  assert.equal(dark.kind, rpc.SymbolKind.Module);
  assert.equal(dark.range.start.line, find(rooms, '{*1}').line);
  const symbols = await c.connection.sendRequest(rpc.WorkspaceSymbolRequest.type, { query: 'giardino' });
  assert.deepEqual(symbols.map((s) => s.name).sort(), ['_rGiardino_', '_vGIARDINO_']);

  await c.connection.sendRequest(rpc.ShutdownRequest.type);
  await c.connection.sendNotification(rpc.ExitNotification.type);
  assert.equal(await c.exited, 0);
});

test('a client that offers UTF-8 gets columns in bytes', async () => {
  const c = await start(broken, ['utf-8', 'utf-16']);
  assert.equal(c.init.capabilities.positionEncoding, 'utf-8');
  const rooms = await c.open('rooms.qnr');
  const missing = find(rooms, '_bauel_');
  const [error] = await c.diagnosticsOf('rooms.qnr', (l) => l.length > 0);
  const bytes = Buffer.byteLength(rooms[missing.line].slice(0, missing.character));
  assert.equal(error.range.start.character, bytes);
  assert.equal(bytes, missing.character + 1, 'è is two bytes and one UTF-16 unit');
  c.connection.end();
  c.server.stdin.end();
  assert.equal(await c.exited, 1, 'exit without shutdown');
});
