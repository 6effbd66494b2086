// ESLint for the game page's runtime, runtime/*.js. The assembler joins these
// files into one <script>, so each file sees the top-level names of the
// others as globals; besides those the page knows a few browser names, and
// the generator fills the placeholders before the page runs.
'use strict';
const fs = require('fs');
const path = require('path');
const espree = require('espree');

const runtime = path.join(__dirname, '..', '..', 'runtime');
const files = fs.readdirSync(runtime).filter((f) => f.endsWith('.js')).sort();
const texts = Object.fromEntries(files.map((f) => [f, fs.readFileSync(path.join(runtime, f), 'utf8')]));

// ECMAScript 5: a top-level 'let', 'const' or 'class' would not become the
// window property that generated code and authors' scripts reach.
const language = { ecmaVersion: 5, sourceType: 'script' };

const placeholderLine = /^([ \t]*)___([A-Z0-9]+)___([ \t]*\r?)$/;
const scriptTagLine = /^([ \t]*)(<\/?script>)([ \t]*\r?)$/;

// Makes a runtime file JavaScript: a placeholder alone on a line (elements
// of a list, or statements) becomes a comment of the same length, and the
// tags around head.js's script become blanks. Lines and columns stay put.
function scriptOnly(text) {
    return text.split('\n').map((line) => line
        .replace(placeholderLine, '$1/* $2 */$3')
        .replace(scriptTagLine, (all, indent, tag, rest) => indent + ' '.repeat(tag.length) + rest)).join('\n');
}

// The parsed file, or null when it does not parse (linting it says why).
function parse(text) {
    try {
        return espree.parse(scriptOnly(text), { ...language, loc: true });
    } catch (e) {
        return null;
    }
}

function topLevelNames(text) {
    const program = parse(text);
    const names = [];
    for (const node of program ? program.body : []) {
        if (node.type === 'FunctionDeclaration') names.push(node.id.name);
        if (node.type === 'VariableDeclaration') names.push(...node.declarations.map((d) => d.id.name));
    }
    return names;
}
const declared = Object.fromEntries(files.map((f) => [f, topLevelNames(texts[f])]));

// Placeholders that stand for a value, as in
// 'window.g_start_room = ___STARTROOM___;', are names of the page too.
const placeholders = new Set(Object.values(texts).flatMap((t) => t.match(/___[A-Z0-9]+___/g) || []));

// Of the browser only what the runtime uses: a global like 'name' or
// 'status' would hide a misspelt variable.
const browser = ['window', 'document', 'Image'];

// Every name is declared once: a file that declares a name of another file
// gets a redeclaration error.
function globalsFor(file) {
    const names = [...browser, ...placeholders];
    for (const other of files) if (other !== file) names.push(...declared[other]);
    return Object.fromEntries(names.map((n) => [n, 'readonly']));
}

// The parameters of a function whose body the generator fills, like
// f_getmenus(id, node, index), are there for the generated code.
function filledParameters(text) {
    const lines = text.split('\n').flatMap((line, i) => (placeholderLine.test(line) ? [i + 1] : []));
    const positions = new Set();
    const program = parse(text);
    for (const node of program ? program.body : []) {
        const { start, end } = node.loc;
        if (node.type !== 'FunctionDeclaration') continue;
        if (!lines.some((l) => l > start.line && l < end.line)) continue;
        for (const p of node.params) positions.add(p.loc.start.line + ':' + (p.loc.start.column + 1));
    }
    return positions;
}

const parametersOfFile = new Map();
const processor = {
    meta: { name: 'quenlo-runtime' },
    preprocess(text, file) {
        parametersOfFile.set(file, filledParameters(text));
        return [scriptOnly(text)];
    },
    postprocess(messages, file) {
        const filled = parametersOfFile.get(file);
        return messages.flat().filter((m) => !(m.ruleId === 'no-unused-vars' && filled.has(m.line + ':' + m.column)));
    },
    supportsAutofix: true,
};

module.exports = [
    {
        files: ['runtime/*.js'],
        plugins: { quenlo: { processors: { runtime: processor } } },
        processor: 'quenlo/runtime',
        languageOptions: language,
        rules: {
            'no-undef': 'error',
            // Top-level names are the page's interface, used from other files,
            // generated code, authors' scripts and the body's handlers.
            'no-unused-vars': ['error', { vars: 'local', caughtErrors: 'none' }],
            'no-unreachable': 'error',
            'no-redeclare': 'error',
            indent: ['error', 4],
            // The release page encodes only single-quoted texts and runs lines
            // together, so a comment after code (an apostrophe in it, or the
            // next line joined to it) breaks it; the verbatim marker goes.
            quotes: ['error', 'single'],
            semi: ['error', 'always'],
            'line-comment-position': ['error', { position: 'above', ignorePattern: '^/°°°$' }],
        },
    },
    ...files.map((f) => ({ files: ['runtime/' + f], languageOptions: { globals: globalsFor(f) } })),
];
