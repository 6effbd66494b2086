// A language client as an editor has one: quenlo-cli lsp started over stdio
// and spoken to through the protocol's own npm packages.
'use strict';
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const rpc = require('vscode-languageserver-protocol/node');

function uri(folder, file) {
  return pathToFileURL(path.join(folder, file)).href;
}

// Starts the server for `folder`; `encodings` is what the client offers.
async function start(folder, encodings = ['utf-16']) {
  const server = spawn(process.env.QUENLO_CLI, ['lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
  const exited = new Promise((resolve) => server.on('exit', (code) => resolve(code)));
  const logged = [];
  const logger = { error: (m) => logged.push(m), warn: (m) => logged.push(m), info() {}, log() {} };
  const connection = rpc.createProtocolConnection(
    new rpc.StreamMessageReader(server.stdout), new rpc.StreamMessageWriter(server.stdin), logger);
  const diagnostics = new Map();  // uri -> the last diagnostics published
  const waiters = [];
  connection.onNotification(rpc.PublishDiagnosticsNotification.type, (params) => {
    diagnostics.set(params.uri, params.diagnostics);
    for (const waiter of waiters.splice(0)) waiter();
  });
  connection.listen();
  const init = await connection.sendRequest(rpc.InitializeRequest.type, {
    processId: process.pid,
    rootUri: pathToFileURL(folder).href,
    capabilities: { general: { positionEncodings: encodings } },
    workspaceFolders: null,
  });
  await connection.sendNotification(rpc.InitializedNotification.type, {});

  // Resolves once `test` holds for the diagnostics of `file`.
  function diagnosticsOf(file, test = () => true, timeout = 5000) {
    const key = uri(folder, file);
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error(`no fitting diagnostics for ${file}: ` +
        JSON.stringify(diagnostics.get(key)))), timeout);
      const check = () => {
        const list = diagnostics.get(key);
        if (list && test(list)) {
          clearTimeout(timer);
          resolve(list);
        } else {
          waiters.push(check);
        }
      };
      check();
    });
  }

  async function open(file, text = fs.readFileSync(path.join(folder, file), 'utf8')) {
    await connection.sendNotification(rpc.DidOpenTextDocumentNotification.type, {
      textDocument: { uri: uri(folder, file), languageId: 'quenlo', version: 1, text },
    });
    return text.split(/\r\n|\r|\n/);
  }

  return { server, exited, connection, init, diagnostics, diagnosticsOf, open, logged,
           uri: (file) => uri(folder, file) };
}

module.exports = { start, uri };
