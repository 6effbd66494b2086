'use strict';
// The sample adventure played to its success page with the keyboard alone:
// Tab to a word, Enter to open its menu, arrows to a verb or a
// sub-menu, Enter to choose, Enter on the dialog's button. It uses only
// page.keyboard.press and page.evaluate, which mean the same in
// playwright-core and puppeteer-core, so either can drive it.
const assert = require('node:assert/strict');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls FN in the page until it returns something true; returns that.
async function until(page, fn, arg, what) {
    for (let k = 0; k < 200; k++) {
        const value = await page.evaluate(fn, arg);
        if (value) return value;
        await sleep(25);
    }
    throw new Error('waited in vain for ' + what);
}

// The focused element as the player hears it.
function focused(page) {
    return page.evaluate(() => {
        const a = document.activeElement;
        return {
            id: a ? a.id : '',
            role: a ? a.getAttribute('role') : null,
            text: a ? a.textContent.replace(/\s+/g, ' ').trim() : '',
            expanded: a ? a.getAttribute('aria-expanded') : null,
        };
    });
}

// A page is ready for keys once drawn and past its lock, or shows the dialog.
async function ready(page) {
    await until(page, () => {
        const m = window.Mrvmenu;
        if (!m) return false;
        if (m.dialog) return document.getElementById('mdlg').style.display === 'block';
        return m.published > 0 && !m.acting && Date.now() - m.published >= 420;
    }, null, 'a page that takes keys');
}

function published(page) {
    return page.evaluate(() => window.Mrvmenu.published);
}

// Waits for the turn that BEFORE (the publication time) started to end in a
// new page, which then holds the focus, or in the dialog.
async function turnEnded(page, before) {
    await until(page, (b) => window.Mrvmenu.dialog || window.Mrvmenu.published !== b, before, 'the turn');
    await ready(page);
    const dialog = await page.evaluate(() => window.Mrvmenu.dialog);
    if (!dialog) assert.equal((await focused(page)).id, 'content', 'the new page has the focus');
}

// Presses KEY (Tab by default) until the word LABEL has the focus.
async function tabTo(page, label, key = 'Tab') {
    for (let k = 0; k < 40; k++) {
        await page.keyboard.press(key);
        const f = await focused(page);
        if (f.role === 'button' && f.text === label) return f;
    }
    throw new Error(`${key} never reached "${label}"`);
}

// Moves down the open menu to the item LABEL.
async function arrowTo(page, label) {
    for (let k = 0; k < 12; k++) {
        const f = await focused(page);
        assert.equal(f.role, 'menuitem');
        if (f.text === label || f.text.startsWith(label + ' ')) return;
        await page.keyboard.press('ArrowDown');
    }
    throw new Error(`no item "${label}" in the menu`);
}

// Tab to WORD and press Enter on it: the word acts at once.
async function press(page, word) {
    await ready(page);
    await tabTo(page, word);
    const before = await published(page);
    await page.keyboard.press('Enter');
    await turnEnded(page, before);
}

// Tab to WORD, open its menu, choose VERB and, when given, SUB in its
// sub-menu.
async function act(page, word, verb, sub) {
    await ready(page);
    await tabTo(page, word);
    await page.keyboard.press('Enter');
    const first = await focused(page);
    assert.equal(first.role, 'menuitem', `the menu of "${word}" opened on its first item`);
    await arrowTo(page, verb);
    if (sub !== undefined) {
        await page.keyboard.press('ArrowRight');
        await arrowTo(page, sub);
    }
    const before = await published(page);
    await page.keyboard.press('Enter');
    await turnEnded(page, before);
}

// Reads every screen of the dialog, continuing each with Enter on the
// button that holds the focus; returns the screens.
async function continueDialog(page) {
    const screens = [];
    while (await page.evaluate(() => window.Mrvmenu.dialog)) {
        const f = await focused(page);
        assert.equal(f.id, 'mdlgbutton', 'the dialog holds the focus on its button');
        screens.push(await page.evaluate(() => document.getElementById('mdlgtext').textContent.trim()));
        // The button ignores presses for its first half second.
        let closed = false;
        for (let k = 0; k < 40 && !closed; k++) {
            await page.keyboard.press('Enter');
            closed = await page.evaluate(() => document.getElementById('mdlg').style.display === 'none');
            if (!closed) await sleep(50);
        }
        assert.ok(closed, 'Enter on the button continues');
        // The next screen, or the page drawn again.
        await ready(page);
    }
    assert.equal((await focused(page)).id, 'content', 'the page after the dialog has the focus');
    return screens;
}

function words(page) {
    return page.evaluate(() => Array.from(document.querySelectorAll('#content [role=button]'),
        (b) => b.textContent.replace(/\s+/g, ' ').trim()));
}

// Tab visits every word of the page in reading order, and BACK (a key that
// moves the focus backward, when given) visits them in reverse.
async function checkTabOrder(page, back) {
    const all = await words(page);
    const forward = [];
    for (const label of all) forward.push((await tabTo(page, label)).text);
    assert.deepEqual(forward, all);
    if (!back) return;
    const backward = [all[all.length - 1]];
    for (const label of all.slice(0, -1).reverse()) backward.push((await tabTo(page, label, back)).text);
    assert.deepEqual(backward, [...all].reverse());
}

async function content(page) {
    return page.evaluate(() => document.getElementById('content').textContent);
}

// Plays the sample from its cover page (already open in PAGE) to its
// success page; returns the success page's text.
async function playSampleByKeyboard(page) {
    await ready(page);
    assert.match(await content(page), /Il faro spento/);
    await press(page, "Inizia l'avventura");
    await press(page, 'Continua');
    await press(page, 'Continua');
    assert.match(await content(page), /Sei in una stanza buia/);
    await checkTabOrder(page);

    // Escape closes a menu and goes back to its word.
    await page.evaluate(() => document.getElementById('content').focus());
    await tabTo(page, 'baule');
    await page.keyboard.press('Enter');
    assert.equal((await focused(page)).role, 'menuitem');
    await page.keyboard.press('Escape');
    const word = await focused(page);
    assert.deepEqual([word.text, word.expanded], ['baule', 'false']);
    await page.evaluate(() => document.getElementById('content').focus());

    await act(page, 'baule', 'esamina');
    assert.match((await continueDialog(page))[0], /trovi una piccola chiave/);
    await act(page, 'una piccola chiave', 'prendi');
    await act(page, 'porta', 'esci');
    assert.match(await content(page), /Sei in un piccolo giardino/);
    await act(page, 'cancello', 'usa con', 'chiave');
    assert.match((await continueDialog(page))[0], /il cancello si apre/);
    await act(page, 'una lanterna a olio', 'prendi');
    await act(page, 'sentiero', 'vai');
    await act(page, 'faro', 'sali');
    assert.match(await content(page), /Sei in cima al faro/);
    await act(page, 'lampada', 'usa con', 'lanterna');
    assert.equal((await continueDialog(page)).length, 2);
    const end = await content(page);
    assert.match(end, /Hai vinto!/);
    return end;
}

module.exports = { playSampleByKeyboard, checkTabOrder };
