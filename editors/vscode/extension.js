// The Quenlo extension: starts `quenlo-cli lsp` for the project's files,
// offers the build as a task whose errors land in the Problems view, and
// plays the adventure through `quenlo-cli serve`.
'use strict';
const vscode = require('vscode');
const { spawn } = require('node:child_process');
const { LanguageClient } = require('vscode-languageclient/node');

const languages = ['quenlo-rooms', 'quenlo-messages', 'quenlo-objects', 'quenlo-script',
  'quenlo-variables', 'quenlo-text'];
let client;
let server;  // the running `serve`, one at a time

function cli() {
  return vscode.workspace.getConfiguration('quenlo').get('cli') || 'quenlo-cli';
}

function projectFolder() {
  const editor = vscode.window.activeTextEditor;
  const folder = editor && vscode.workspace.getWorkspaceFolder(editor.document.uri);
  return (folder || (vscode.workspace.workspaceFolders || [])[0])?.uri.fsPath;
}

function buildTask(folder, release) {
  const args = ['build', ...(release ? ['--release'] : []), folder];
  const task = new vscode.Task({ type: 'quenlo', command: 'build', release },
    vscode.TaskScope.Workspace, release ? 'build --release' : 'build', 'quenlo',
    new vscode.ProcessExecution(cli(), args), '$quenlo');
  task.group = vscode.TaskGroup.Build;
  return task;
}

function play() {
  const folder = projectFolder();
  if (!folder) return vscode.window.showErrorMessage('Quenlo: open a project folder first.');
  if (server) server.kill();
  const output = vscode.window.createOutputChannel('Quenlo: Play');
  server = spawn(cli(), ['serve', folder]);
  let opened = false;
  server.stdout.on('data', (chunk) => {
    const text = chunk.toString();
    output.append(text);
    const address = /http:\/\/127\.0\.0\.1:\d+\//.exec(text);
    if (address && !opened) {
      opened = true;
      vscode.env.openExternal(vscode.Uri.parse(address[0]));
    }
  });
  server.stderr.on('data', (chunk) => output.append(chunk.toString()));
  server.on('exit', () => { server = undefined; });
}

function activate(context) {
  client = new LanguageClient('quenlo', 'Quenlo', { command: cli(), args: ['lsp'] }, {
    documentSelector: languages.map((language) => ({ scheme: 'file', language })),
  });
  client.start();
  context.subscriptions.push(
    vscode.commands.registerCommand('quenlo.play', play),
    vscode.tasks.registerTaskProvider('quenlo', {
      provideTasks: () => {
        const folder = projectFolder();
        return folder ? [buildTask(folder, false), buildTask(folder, true)] : [];
      },
      resolveTask: (task) => {
        const folder = projectFolder();
        return folder && task.definition.command === 'build'
          ? buildTask(folder, task.definition.release) : undefined;
      },
    }));
}

function deactivate() {
  if (server) server.kill();
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
